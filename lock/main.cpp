// Entry point of the lock program: one copy only, settings read once, then the bar window
// and its message loop until the window is gone.
#include <windows.h>

#include <cstring>

#include "bar_window.h"
#include "event_log.h"
#include "program_state.h"
#include "shell_windows.h"
#include "single_instance.h"
#include "texts.h"

static_assert(MUTEX_ALREADY_EXISTS == ERROR_ALREADY_EXISTS);

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show_command)
{
    char class_name[sizeof PROGRAM_NAME];
    std::memcpy(class_name, PROGRAM_NAME, sizeof PROGRAM_NAME);

    // A copy that is already running is left alone; this one just ends. The handle stays
    // open so that the name lasts as long as this process.
    instance_mutex = CreateMutexA(nullptr, FALSE, INSTANCE_MUTEX_NAME);
    if (another_copy_runs(instance_mutex != nullptr, GetLastError()))
        return 0;
    // No copy is running, so any shell window still marked as taken was left so by one that
    // ended while locked. Done before the settings are read: a desktop is handed back even
    // when this copy cannot go on.
    if (hand_back_taken_windows())
        audit_trail().windows_handed_back();

    // Never run on defaults: without the administrator's settings there is nothing to offer.
    if (!lock_bar.settings.load()) {
        audit_trail().start_failed(lock_bar.settings.file_path);
        MessageBoxA(nullptr, TEXT_LOAD_FAILED, CAPTION_START_FAILED, MB_ICONWARNING);
        return 0;
    }
    if (!register_bar_class(instance, class_name) || !create_bar_window(instance, class_name, show_command))
        return 0;

    MSG message{};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    tray_icon = NOTIFYICONDATAA{};
    return static_cast<int>(message.wParam);
}
