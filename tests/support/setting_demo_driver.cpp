// Drives the running settings tool for `make run-setting`, as an administrator would:
//
//   setting_demo_driver login PASSWORD      enters the password, confirms the access notice and
//                                           prints where the main dialog is (WxH+X+Y) once it
//                                           has painted itself
//   setting_demo_driver follower PASSWORD   changes the follower password in the main dialog
//   setting_demo_driver accept              presses "設定" and waits until the tool has ended
//   setting_demo_driver cancel              presses "ｷｬﾝｾﾙ" and waits until the tool has ended
//
// Exit code 0 when it worked, 1 when the tool did not get there in time.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "gui_probe.h"
#include "user_interface.h"

namespace {

constexpr DWORD DEMO_WAIT_MS = 30000;

// The visible dialog titled "Kivel2 設定" that has (or lacks) the list.
HWND find_tool_dialog(bool main)
{
    HWND found = nullptr;
    wait_until(
        [&] {
            found = FindWindowA("#32770", SETTING_TITLE);
            return found && IsWindowVisible(found) && (GetDlgItem(found, LIST) != nullptr) == main;
        },
        DEMO_WAIT_MS);
    return found;
}

DWORD process_of(HWND window)
{
    DWORD process_id = 0;
    GetWindowThreadProcessId(window, &process_id);
    return process_id;
}

// Answers the one message box that the tool shows next.
bool answer_message(DWORD process_id)
{
    const HWND box = wait_for_shown_message_box(process_id, DEMO_WAIT_MS);
    return box && PostMessageA(box, WM_COMMAND, IDOK, 0) && wait_until([&] { return !IsWindow(box); });
}

void set_text(HWND dialog, int id, const char* text)
{
    SendMessageA(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

bool log_in(const char* password)
{
    const HWND login = find_tool_dialog(false);
    if (!login)
        return false;
    set_text(login, LOGIN_PASSWORD, password);
    PostMessageA(login, WM_COMMAND, IDOK, 0);
    if (!answer_message(process_of(login)))
        return false;
    const HWND dialog = find_tool_dialog(true);
    RECT rect;
    if (!dialog || !GetWindowRect(dialog, &rect))
        return false;
    repaint_now(dialog);
    std::printf("%ldx%ld+%ld+%ld\n", rect.right - rect.left, rect.bottom - rect.top, rect.left, rect.top);
    return true;
}

bool change_follower_password(const char* password)
{
    const HWND dialog = find_tool_dialog(true);
    if (!dialog)
        return false;
    PostMessageA(GetDlgItem(dialog, FOLLOWER_PASSWORD), BM_CLICK, 0, 0);
    HWND change = nullptr;
    if (!wait_until([&] { return (change = find_dialog_of(process_of(dialog), TITLE_FOLLOWER_PASSWORD)) != nullptr; },
            DEMO_WAIT_MS))
        return false;
    set_text(change, NEW_PASSWORD, password);
    PostMessageA(change, WM_COMMAND, IDOK, 0);
    return wait_until([&] { return !IsWindow(change); }, DEMO_WAIT_MS);
}

bool end_with(int button)
{
    const HWND dialog = find_tool_dialog(true);
    if (!dialog)
        return false;
    const OwnedHandle process(OpenProcess(SYNCHRONIZE, FALSE, process_of(dialog)));
    if (!process)
        return false;
    PostMessageA(GetDlgItem(dialog, button), BM_CLICK, 0, 0);
    return WaitForSingleObject(process.get(), DEMO_WAIT_MS) == WAIT_OBJECT_0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "login") == 0)
        return log_in(argv[2]) ? 0 : 1;
    if (argc == 3 && std::strcmp(argv[1], "follower") == 0)
        return change_follower_password(argv[2]) ? 0 : 1;
    if (argc == 2 && std::strcmp(argv[1], "accept") == 0)
        return end_with(ACCEPT) ? 0 : 1;
    if (argc == 2 && std::strcmp(argv[1], "cancel") == 0)
        return end_with(IDCANCEL) ? 0 : 1;
    return 2;
}
