// A window in a process of its own, for the tests that minimise across processes. Its title is
// the first command-line argument; it ends when the window is closed.
#include <windows.h>

namespace {

LRESULT CALLBACK target_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR title, int)
{
    WNDCLASSA window_class{};
    window_class.lpfnWndProc = target_window_proc;
    window_class.hInstance = instance;
    window_class.lpszClassName = "KivelMinimiseTarget";
    if (!RegisterClassA(&window_class))
        return 1;
    if (!CreateWindowExA(0, window_class.lpszClassName, title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200,
            nullptr, nullptr, instance, nullptr))
        return 1;
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
