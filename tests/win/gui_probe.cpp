// Window probes for the tests under Wine.
#include "gui_probe.h"

namespace {

constexpr int MESSAGE_TEXT_ID = 0xFFFF;

BOOL CALLBACK collect(HWND window, LPARAM found)
{
    auto& windows = *reinterpret_cast<std::pair<DWORD, std::vector<HWND>>*>(found);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == windows.first)
        windows.second.push_back(window);
    return TRUE;
}

bool is_message_box(HWND window)
{
    const HWND text = GetDlgItem(window, MESSAGE_TEXT_ID);
    return class_name(window) == "#32770" && text && class_name(text) == "Static";
}

} // namespace

bool wait_until(const std::function<bool()>& ready, DWORD timeout_ms)
{
    const ULONGLONG end = GetTickCount64() + timeout_ms;
    for (;;) {
        if (ready())
            return true;
        if (GetTickCount64() >= end)
            return false;
        Sleep(20);
    }
}

std::string window_text(HWND window)
{
    char text[4096];
    // WM_GETTEXT is one of the messages carried across processes with its buffer.
    const auto length = SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return std::string(text, length > 0 ? static_cast<std::size_t>(length) : 0);
}

std::string class_name(HWND window)
{
    char name[256];
    const int length = GetClassNameA(window, name, sizeof name);
    return std::string(name, length > 0 ? length : 0);
}

std::vector<HWND> top_windows(DWORD process_id)
{
    std::pair<DWORD, std::vector<HWND>> found{process_id, {}};
    EnumWindows(collect, reinterpret_cast<LPARAM>(&found));
    return found.second;
}

HWND find_message_box(DWORD process_id)
{
    for (const HWND window : top_windows(process_id))
        if (is_message_box(window))
            return window;
    return nullptr;
}

std::string message_text(HWND box)
{
    return window_text(GetDlgItem(box, MESSAGE_TEXT_ID));
}

HWND find_dialog_with(DWORD process_id, int id, int without)
{
    for (const HWND window : top_windows(process_id))
        if (class_name(window) == "#32770" && IsWindowVisible(window) && !is_message_box(window) &&
            GetDlgItem(window, id) && !(without && GetDlgItem(window, without)))
            return window;
    return nullptr;
}

HWND focus_of(HWND window)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}
