// The module a window belongs to, where its resources live.
#pragma once

#include <windows.h>

inline HINSTANCE window_instance(HWND window)
{
    return reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE));
}
