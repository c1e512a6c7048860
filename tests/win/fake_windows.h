// Plain windows of a class and title of the test's choosing: the shell windows that the lock
// looks for, made by the test itself.
#pragma once

#include <windows.h>

inline HWND create_window(const char* class_name, const char* title, DWORD style, DWORD ex_style = 0)
{
    WNDCLASSEXA window_class{};
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = DefWindowProcA;
    window_class.hInstance = GetModuleHandleA(nullptr);
    window_class.lpszClassName = class_name;
    RegisterClassExA(&window_class);
    return CreateWindowExA(
        ex_style, class_name, title, style, 0, 0, 100, 30, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

// Topmost and newest, so that a search by class finds these before the bench's own.
inline HWND create_shell_window(const char* class_name, const char* title = "")
{
    return create_window(class_name, title, WS_POPUP | WS_VISIBLE, WS_EX_TOPMOST);
}
