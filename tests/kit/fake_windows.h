// Plain windows of a class and title of the test's choosing: the shell windows that the lock
// looks for, made by the test itself.
#pragma once

#include <windows.h>

// Posted to the thread of shell_stand_in.exe: it stops answering for this long.
inline constexpr UINT WM_STAND_IN_HANG = WM_APP + 7;
inline constexpr DWORD STAND_IN_HANG_MS = 10000;

// A top-level window of a class of this process, registered with `procedure` on first use.
inline HWND create_window(
    const char* class_name, WNDPROC procedure, const char* title, DWORD style, DWORD ex_style, const RECT& place)
{
    WNDCLASSEXA window_class{};
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = procedure;
    window_class.hInstance = GetModuleHandleA(nullptr);
    window_class.lpszClassName = class_name;
    RegisterClassExA(&window_class);
    return CreateWindowExA(ex_style, class_name, title, style, place.left, place.top, place.right - place.left,
        place.bottom - place.top, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

inline HWND create_window(const char* class_name, const char* title, DWORD style, DWORD ex_style = 0)
{
    return create_window(class_name, DefWindowProcA, title, style, ex_style, {0, 0, 100, 30});
}

// Topmost and newest, so that a search by class finds these before the bench's own. Never
// active, as the shell's windows are not.
inline HWND create_shell_window(const char* class_name, const char* title = "")
{
    return create_window(class_name, title, WS_POPUP | WS_VISIBLE, WS_EX_TOPMOST | WS_EX_NOACTIVATE);
}

// A window holding the desktop's icon view, as the shell moves it out of "Progman".
inline HWND create_desktop_view_holder(const char* class_name = "WorkerW")
{
    const HWND holder = create_shell_window(class_name);
    WNDCLASSEXA view_class{};
    view_class.cbSize = sizeof view_class;
    view_class.lpfnWndProc = DefWindowProcA;
    view_class.hInstance = GetModuleHandleA(nullptr);
    view_class.lpszClassName = "SHELLDLL_DefView";
    RegisterClassExA(&view_class);
    CreateWindowExA(0, view_class.lpszClassName, "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, holder, nullptr,
        GetModuleHandleA(nullptr), nullptr);
    return holder;
}
