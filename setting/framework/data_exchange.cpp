// Data exchange between members and controls.
#include "data_exchange.h"

#include <vector>

#include "framework_texts.h"
#include "message.h"

namespace {

std::string length_message(std::size_t limit)
{
    std::string text = TEXT_LENGTH_LIMIT;
    text.replace(text.find("%1"), 2, std::to_string(limit));
    return text;
}

std::string window_text(HWND window)
{
    // The length may be given in UTF-16 units by a Unicode control: never fewer than the
    // ANSI bytes, but leave room for two bytes per unit all the same.
    std::vector<char> buffer(2 * static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1);
    const int length = GetWindowTextA(window, buffer.data(), static_cast<int>(buffer.size()));
    return std::string(buffer.data(), length > 0 ? length : 0);
}

} // namespace

bool DataExchange::text(int id, std::string& value, std::size_t limit)
{
    const HWND edit = GetDlgItem(dialog_, id);
    if (!from_controls()) {
        SetWindowTextA(edit, value.c_str());
        if (limit != NO_LIMIT)
            SendMessageA(edit, EM_LIMITTEXT, limit, 0);
        return true;
    }
    value = window_text(edit);
    if (limit == NO_LIMIT || value.size() <= limit)
        return true;
    show_text(length_message(limit), MB_ICONEXCLAMATION, dialog_);
    SetFocus(edit);
    SendMessageA(edit, EM_SETSEL, 0, -1);
    return false;
}

bool DataExchange::check(int id, int& value)
{
    if (from_controls()) {
        value = static_cast<int>(IsDlgButtonChecked(dialog_, id));
        return true;
    }
    if (value < 0 || value > 2)
        value = 0;
    CheckDlgButton(dialog_, id, static_cast<UINT>(value));
    return true;
}
