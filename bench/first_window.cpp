// The start-up baseline: the least a windowed program built like Kivel2.exe (static, the
// GUI subsystem, C++ runtime) does before a window of its own is on the screen. The
// benchmark times it from process start to that window and reads its memory and handles.
#include <windows.h>

namespace {

constexpr char CLASS_NAME[] = "KivelFirstWindow";

LRESULT CALLBACK window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    WNDCLASSEXA window_class{};
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = window_proc;
    window_class.hInstance = instance;
    window_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    window_class.lpszClassName = CLASS_NAME;
    if (!RegisterClassExA(&window_class))
        return 1;
    if (!CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, CLASS_NAME, CLASS_NAME, WS_POPUP | WS_VISIBLE, 0, 0, 200,
            30, nullptr, nullptr, instance, nullptr))
        return 1;
    MSG message{};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
