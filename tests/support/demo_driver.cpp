// Drives the running lock program for `make run`, as a user at the station would:
//
//   demo_driver wait-locked           waits until the bar is shown, the taskbar hidden and the
//                                     bar painted
//   demo_driver unlock-exit PASSWORD  Shift + right click on the bar, the password, OK with
//                                     "stay resident" clear; waits until the program has ended
//
// Exit code 0 when it worked, 1 when the program did not get there in time.
#include <windows.h>

#include <cstring>
#include <string>

#include "program_driver.h"
#include "user_interface.h"

namespace {

constexpr DWORD DEMO_WAIT_MS = 30000;

HWND find_bar()
{
    return FindWindowA(BAR_CLASS, BAR_TITLE);
}

bool wait_locked()
{
    HWND bar = nullptr;
    const bool locked = wait_until(
        [&] {
            bar = find_bar();
            HWND taskbar = FindWindowA("Shell_TrayWnd", nullptr);
            return bar && IsWindowVisible(bar) && !(taskbar && IsWindowVisible(taskbar));
        },
        DEMO_WAIT_MS);
    if (locked)
        repaint_now(bar);
    return locked;
}

bool unlock_and_exit(const char* password)
{
    HWND bar = find_bar();
    if (!bar)
        return false;
    DWORD process_id = 0;
    GetWindowThreadProcessId(bar, &process_id);
    const OwnedHandle process(OpenProcess(SYNCHRONIZE, FALSE, process_id));
    if (!process)
        return false;
    PostMessageA(bar, WM_RBUTTONDOWN, MK_SHIFT | MK_RBUTTON, 0);
    HWND dialog = nullptr;
    return wait_until([&] { return (dialog = find_dialog_of(process_id, PASSWORD_TITLE)) != nullptr; }, DEMO_WAIT_MS) &&
        SendMessageA(GetDlgItem(dialog, PASSWORD_EDIT), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(password)) &&
        PostMessageA(dialog, WM_COMMAND, IDOK, 0) && WaitForSingleObject(process.get(), DEMO_WAIT_MS) == WAIT_OBJECT_0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], "wait-locked") == 0)
        return wait_locked() ? 0 : 1;
    if (argc == 3 && std::strcmp(argv[1], "unlock-exit") == 0)
        return unlock_and_exit(argv[2]) ? 0 : 1;
    return 2;
}
