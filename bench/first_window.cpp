// The start-up baseline: the least a windowed program built like Kivel2.exe (static, the
// GUI subsystem) does before a window of its own is on the screen. The benchmark times it
// from process start to that window and reads its memory and handles. Started with
// "libraries", it first loads the libraries that Kivel2.exe cannot do without (the common
// controls that draw its buttons, the shell for its tray icon, its hook library) and starts a
// thread that only waits for messages, as the one that answers Kivel2.exe's hooks while locked,
// so that their share of the memory is measured in the same run. Started with "libraries
// worker", it also runs a second thread to its end, as Kivel2.exe's lock runs the worker that
// hands the shell's windows over: Wine keeps the stack of a process's last ended thread until
// another one ends, where Windows frees it with the thread.
#include <windows.h>

#include "small_thread.h"

namespace {

constexpr char CLASS_NAME[] = "KivelFirstWindow";
constexpr const char* LIBRARIES[] = {"comctl32.dll", "shell32.dll", "KivPx.dll"};
constexpr char WITH_LIBRARIES[] = "libraries";
constexpr char WITH_LIBRARIES_AND_WORKER[] = "libraries worker";

DWORD WINAPI wait_for_messages(void*)
{
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {}
    return 0;
}

DWORD WINAPI end_at_once(void*)
{
    return 0;
}

bool start_thread(LPTHREAD_START_ROUTINE run, bool wait_for_its_end)
{
    // As Kivel2.exe starts its hook thread and worker.
    const OwnedHandle thread = start_small_thread(run, nullptr);
    return thread && (!wait_for_its_end || WaitForSingleObject(thread.get(), INFINITE) == WAIT_OBJECT_0);
}

LRESULT CALLBACK window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR command_line, int)
{
    const bool worker = lstrcmpA(command_line, WITH_LIBRARIES_AND_WORKER) == 0;
    if (worker || lstrcmpA(command_line, WITH_LIBRARIES) == 0) {
        for (const char* library : LIBRARIES)
            if (!LoadLibraryA(library))
                return 1;
        if (!start_thread(wait_for_messages, false) || (worker && !start_thread(end_at_once, true)))
            return 1;
    }
    WNDCLASSEXA window_class{};
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = window_proc;
    window_class.hInstance = instance;
    window_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    window_class.lpszClassName = CLASS_NAME;
    if (!RegisterClassExA(&window_class))
        return 1;
    if (!CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, CLASS_NAME, CLASS_NAME, WS_POPUP | WS_VISIBLE, 0, 0, 200, 30,
            nullptr, nullptr, instance, nullptr))
        return 1;
    MSG message{};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
