// The modal dialog and its dialog procedure, which only cracks messages and forwards them.
#include "dialog.h"

#include <algorithm>

#include "data_exchange.h"

namespace {

// Over the owner when it is on the screen, else in the middle of the work area; never off it.
void center(HWND window)
{
    const HWND owner = GetWindow(window, GW_OWNER);
    const bool over_owner = owner && IsWindowVisible(owner) && !IsIconic(owner);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromWindow(over_owner ? owner : window, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT area = monitor.rcWork;
    RECT around = area;
    if (over_owner)
        GetWindowRect(owner, &around);
    RECT own;
    GetWindowRect(window, &own);
    const int width = own.right - own.left;
    const int height = own.bottom - own.top;
    const int x =
        std::clamp((around.left + around.right - width) / 2, area.left, std::max(area.left, area.right - width));
    const int y =
        std::clamp((around.top + around.bottom - height) / 2, area.top, std::max(area.top, area.bottom - height));
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool same_rect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// Whether the dialog's initialisation left its placing to the layer: it neither showed nor
// moved the dialog from where it was (`before`).
bool placing_left_to_us(HWND window, const RECT& before)
{
    RECT after;
    GetWindowRect(window, &after);
    return !IsWindowVisible(window) && same_rect(before, after);
}

} // namespace

INT_PTR Dialog::run(HWND owner)
{
    const INT_PTR result = DialogBoxParamA(
        GetModuleHandleA(nullptr), MAKEINTRESOURCEA(template_id_), owner, procedure, reinterpret_cast<LPARAM>(this));
    window_ = nullptr;
    return result;
}

void Dialog::end(INT_PTR result)
{
    EndDialog(window_, result);
}

bool Dialog::exchange(DataExchange&)
{
    return true;
}

bool Dialog::update_data(bool from_controls)
{
    DataExchange dx(
        window_, from_controls ? DataExchange::Direction::from_controls : DataExchange::Direction::to_controls);
    return exchange(dx);
}

BOOL Dialog::on_init()
{
    update_data(false);
    return TRUE;
}

void Dialog::on_ok()
{
    if (update_data(true))
        end(IDOK);
}

void Dialog::on_cancel()
{
    end(IDCANCEL);
}

bool Dialog::on_command(int, int)
{
    return false;
}

bool Dialog::on_notify(int, int)
{
    return false;
}

bool Dialog::on_message(UINT, WPARAM, LPARAM, INT_PTR&)
{
    return false;
}

INT_PTR CALLBACK Dialog::procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (message == WM_INITDIALOG) {
        auto* dialog = reinterpret_cast<Dialog*>(lparam);
        dialog->window_ = window;
        SetWindowLongPtrA(window, DWLP_USER, lparam);
        RECT before;
        GetWindowRect(window, &before);
        const BOOL result = dialog->on_init();
        if (placing_left_to_us(window, before))
            center(window);
        return result;
    }
    // Messages sent before WM_INITDIALOG (WM_SETFONT and the like) find no dialog yet.
    auto* dialog = reinterpret_cast<Dialog*>(GetWindowLongPtrA(window, DWLP_USER));
    return dialog ? dialog->handle(message, wparam, lparam) : FALSE;
}

INT_PTR Dialog::handle(UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_COMMAND: {
        const int id = LOWORD(wparam);
        const int code = HIWORD(wparam);
        if (on_command(id, code))
            return TRUE;
        if (code != BN_CLICKED)
            return FALSE;
        if (id == IDOK)
            on_ok();
        else if (id == IDCANCEL)
            on_cancel();
        else
            return FALSE;
        return TRUE;
    }
    case WM_NOTIFY: {
        const auto& header = *reinterpret_cast<const NMHDR*>(lparam);
        if (!on_notify(static_cast<int>(header.idFrom), static_cast<int>(header.code)))
            return FALSE;
        SetWindowLongPtrA(window_, DWLP_MSGRESULT, 0);
        return TRUE;
    }
    default: {
        INT_PTR result = FALSE;
        return on_message(message, wparam, lparam, result) ? result : FALSE;
    }
    }
}
