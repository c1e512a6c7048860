// Window probes for the settings-tool tests.
#include "gui_probe.h"

namespace {

bool is_message_box(HWND window)
{
    const HWND text = GetDlgItem(window, 0xFFFF);
    return class_name(window) == "#32770" && text && class_name(text) == "Static";
}

} // namespace

HWND find_message_box(DWORD process_id)
{
    for (const HWND window : windows_of(process_id))
        if (is_message_box(window))
            return window;
    return nullptr;
}

HWND wait_for_shown_message_box(DWORD process_id, DWORD timeout_ms)
{
    HWND box = nullptr;
    wait_until([&] { return (box = find_message_box(process_id)) != nullptr && IsWindowVisible(box); }, timeout_ms);
    return box && IsWindowVisible(box) ? box : nullptr;
}

HWND find_dialog_with(DWORD process_id, int id, int without)
{
    for (const HWND window : windows_of(process_id))
        if (class_name(window) == "#32770" && IsWindowVisible(window) && !is_message_box(window) &&
            GetDlgItem(window, id) && !(without && GetDlgItem(window, without)))
            return window;
    return nullptr;
}

std::string control_text(HWND control)
{
    char text[4096];
    const auto length = SendMessageA(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return std::string(text, length > 0 ? static_cast<std::size_t>(length) : 0);
}

HWND focus_of(HWND window)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}
