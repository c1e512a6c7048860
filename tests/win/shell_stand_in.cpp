// A shell window in a process of its own, the way the lock meets the shell's windows: its
// class is the first command-line argument, and a second argument "icons" gives it the
// desktop's icon view. Its thread stops answering for a while when told to.
#include <windows.h>

#include <string>

#include "fake_windows.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR arguments, int)
{
    const std::string words(arguments);
    const std::string window_class = words.substr(0, words.find(' '));
    const HWND window = words.ends_with(" icons") ? create_desktop_view_holder(window_class.c_str())
                                                  : create_shell_window(window_class.c_str());
    if (!window)
        return 1;
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (!message.hwnd && message.message == WM_STAND_IN_HANG)
            Sleep(STAND_IN_HANG_MS);
        DispatchMessageA(&message);
    }
    return 0;
}
