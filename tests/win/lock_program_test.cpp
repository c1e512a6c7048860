// The real Kivel2.exe driven from outside: start-up, the single instance, the tray, the
// password dialog and the two ways to it, close requests, the buttons and the programs they
// start.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "gui_probe.h"
#include "key_input.h"
#include "lock_program_fixture.h"
#include "scoped_handles.h"

namespace {

// Without a settings file read whole the program offers nothing: it says so and ends.
TEST_F(LockProgram, RefusesToRunWithoutACompleteSettingsFile)
{
    ASSERT_TRUE(settings.save());
    const Bytes good = read_bytes(settings.file_path);
    const auto with_magic = [&](const char* magic) {
        Bytes bytes = good;
        std::copy(magic, magic + 5, bytes.begin());
        return bytes;
    };
    const struct {
        const char* name;
        Bytes bytes; // empty: no file at all
    } cases[] = {
        {"missing", {}},
        {"cut by one byte", Bytes(good.begin(), good.end() - 1)},
        {"magic in lower case", with_magic("kivl3")},
        {"unknown version", with_magic("KIVL4")},
    };
    for (const auto& c : cases) {
        DeleteFileA(settings.file_path.c_str());
        if (!c.bytes.empty())
            write_bytes(settings.file_path, c.bytes);
        program = std::make_unique<RunningProgram>(in_dir("Kivel2.exe"), dir.path());
        HWND box = wait_for_message_box(TEXT_START_FAILED_CAPTION);
        ASSERT_TRUE(box) << c.name;
        EXPECT_EQ(message_box_text(box), TEXT_LOAD_FAILED) << c.name;
        EXPECT_FALSE(find_window_of(program->id(), BAR_CLASS, BAR_TITLE)) << c.name;
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        EXPECT_EQ(program->exit_code(), 0u) << c.name;
    }
}

// A settings file that another program holds for a moment is read once it lets go.
TEST_F(LockProgram, WaitsForASettingsFileHeldByAnotherProgram)
{
    ASSERT_TRUE(settings.save());
    OwnedFile held(CreateFileA(
        settings.file_path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(held);
    program = std::make_unique<RunningProgram>(in_dir("Kivel2.exe"), dir.path());
    EXPECT_TRUE(holds_for([&] { return !find_dialog_of(program->id(), TEXT_START_FAILED_CAPTION); }, 500));
    held.reset();
    ASSERT_TRUE(wait_until([&] {
        bar = find_window_of(program->id(), BAR_CLASS, BAR_TITLE);
        return bar && has_bar_rect(bar);
    })) << "no bar window laid out";
    EXPECT_TRUE(resident_state()) << desktop_state();
}

// The older version has no start-up flag: the program starts unlocked, whatever it was.
TEST_F(LockProgram, OlderVersionStartsUnlocked)
{
    write_bytes(settings.file_path, hex("4B 49 56 4C 32  00 00  00 00  00 00  00 00  00"));
    run_program();
    EXPECT_TRUE(resident_state()) << desktop_state();
}

TEST_F(LockProgram, StartsResidentAndASecondCopyEndsAtOnce)
{
    start();
    EXPECT_TRUE(resident_state());
    EXPECT_FALSE(IsWindowVisible(bar));

    RunningProgram second(in_dir("Kivel2.exe"), dir.path());
    EXPECT_EQ(second.exit_code(), 0u);
    EXPECT_TRUE(program->is_running());
}

// A lock asked for before the start-up layout has run keeps its bar on the screen.
TEST_F(LockProgram, AnEarlyLockKeepsItsBar)
{
    ASSERT_TRUE(settings.save());
    program = std::make_unique<RunningProgram>(in_dir("Kivel2.exe"), dir.path());
    ASSERT_TRUE(
        wait_until([&] { return (bar = find_window_of(program->id(), BAR_CLASS, BAR_TITLE)) != nullptr; }, WAIT_MS));
    PostMessageA(bar, WM_TRAYNOTIFY, 1, WM_LBUTTONDBLCLK);
    ASSERT_TRUE(wait_until([&] { return has_bar_rect(bar) && locked_state(); })) << desktop_state();
    // Past the layout, the bar is still there to unlock from.
    EXPECT_TRUE(holds_for([&] { return IsWindowVisible(bar) != FALSE; }, 500));
    answer_password("kid", false);
    EXPECT_EQ(program->exit_code(), 0u);
}

TEST_F(LockProgram, LocksAtStartUpWhenTheSettingsSaySo)
{
    settings.lock_at_startup = 1;
    start();
    EXPECT_TRUE(wait_until([&] { return locked_state(); })) << desktop_state();
    EXPECT_TRUE(GetWindowLongA(bar, GWL_STYLE) & WS_THICKFRAME);
    EXPECT_TRUE(GetWindowLongA(bar, GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(LockProgram, TrayIconLocksAndEnds)
{
    start();
    lock_by_tray();
    // While locked a right double-click on the icon (a taskbar that came back) does nothing;
    // resident, it ends the program at once, without a password.
    PostMessageA(bar, WM_TRAYNOTIFY, 1, WM_RBUTTONDBLCLK);
    settle();
    EXPECT_TRUE(locked_state()) << desktop_state();
    answer_password("kid", true);
    ASSERT_TRUE(wait_until([&] { return resident_state(); })) << desktop_state();
    PostMessageA(bar, WM_TRAYNOTIFY, 1, WM_RBUTTONDBLCLK);
    EXPECT_EQ(program->exit_code(), 0u);
}

TEST_F(LockProgram, CloseRequestsAreRefusedOnlyWhileLocked)
{
    start();
    lock_by_tray();
    SendMessageTimeoutA(bar, WM_CLOSE, 0, 0, SMTO_BLOCK, WAIT_MS, nullptr);
    SendMessageTimeoutA(bar, WM_SYSCOMMAND, SC_CLOSE, 0, SMTO_BLOCK, WAIT_MS, nullptr);
    settle();
    EXPECT_TRUE(IsWindow(bar));
    EXPECT_TRUE(locked_state());

    answer_password("boss", true);
    ASSERT_TRUE(wait_until([&] { return resident_state(); })) << desktop_state();
    PostMessageA(bar, WM_CLOSE, 0, 0);
    EXPECT_EQ(program->exit_code(), 0u);
}

TEST_F(LockProgram, FrameOfTheLockedBarCannotBeDragged)
{
    start();
    lock_by_tray();
    RECT rect{};
    GetWindowRect(bar, &rect);
    const struct {
        LONG x;
        LONG y;
    } edges[] = {{rect.left + 1, rect.top + 1}, {(rect.left + rect.right) / 2, rect.top + 1},
        {rect.right - 2, (rect.top + rect.bottom) / 2}, {rect.right - 2, rect.bottom - 2}};
    for (const auto& at : edges) {
        DWORD_PTR where = 0;
        SendMessageTimeoutA(bar, WM_NCHITTEST, 0, MAKELPARAM(at.x, at.y), SMTO_BLOCK, WAIT_MS, &where);
        EXPECT_EQ(where, static_cast<DWORD_PTR>(HTCLIENT)) << at.x << "," << at.y;
    }
}

// Either password unlocks, the longest the settings tool allows included; the check box
// decides between staying in the tray and ending.
TEST_F(LockProgram, EitherPasswordUnlocks)
{
    const std::string longest(255, 'b');
    const struct {
        std::string boss;
        std::string typed;
        bool stay_resident;
    } cases[] = {
        {"boss", "boss", false},
        {"boss", "boss", true},
        {"boss", "kid", false},
        {"boss", "kid", true},
        {longest, longest, false},
    };
    for (const auto& c : cases) {
        settings.boss_password = c.boss;
        start();
        lock_by_tray();
        answer_password(c.typed, c.stay_resident);
        if (c.stay_resident) {
            EXPECT_TRUE(wait_until([&] { return resident_state(); })) << desktop_state() << " " << c.typed;
            EXPECT_TRUE(program->is_running()) << c.typed;
            end_cleanly();
        } else {
            EXPECT_EQ(program->exit_code(), 0u) << c.typed;
            EXPECT_EQ(desktop_state(), "bar hidden, taskbar shown, screen saver off") << c.typed;
        }
    }
}

TEST_F(LockProgram, WrongAnswersKeepTheLock)
{
    start();
    lock_by_tray();

    // A right click without Shift is swallowed.
    PostMessageA(bar, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(300, 5));
    settle();
    EXPECT_FALSE(find_dialog_of(program->id(), PASSWORD_TITLE));

    // Cancel keeps the lock without a word.
    HWND dialog = open_password_dialog();
    ASSERT_TRUE(dialog);
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(wait_until([&] { return !IsWindow(dialog); }));
    settle();
    EXPECT_TRUE(locked_state());

    // A wrong password, also one that differs only in case, is told and keeps the lock.
    for (const char* wrong : {"KID", "ki", ""}) {
        answer_password(wrong, false);
        HWND box = wait_for_message_box(MESSAGE_CAPTION);
        ASSERT_TRUE(box) << wrong;
        EXPECT_EQ(message_box_text(box), TEXT_BAD_PASSWORD);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(wait_until([&] { return !IsWindow(box); }));
        EXPECT_TRUE(locked_state()) << wrong;
    }
}

// A touch screen has no Shift and no right button: a press held still on the logo for three
// seconds opens the password dialog, with the keyboard in its edit. Let go sooner, slid away or
// held elsewhere on the bar, it opens nothing. A hold straight after a tap arrives as the
// second press of a double click, and counts as well.
TEST_F(LockProgram, HoldingTheLogoOpensThePasswordDialog)
{
    constexpr DWORD HOLD_MS = 3000;
    constexpr DWORD WATCH_MS = HOLD_MS + 500;
    start();
    // Without it, Windows would turn a held finger into a right click, and tell the bar of the
    // press only once the finger lifts. (Wine has no touch input to show that.)
    constexpr UINT_PTR NO_PRESS_AND_HOLD = 1;
    EXPECT_EQ(reinterpret_cast<UINT_PTR>(GetPropA(bar, "MicrosoftTabletPenServiceProperty")), NO_PRESS_AND_HOLD);
    RECT client{};
    GetClientRect(bar, &client);
    POINT logo{LOGO_WIDTH / 2, client.bottom / 2};
    POINT free_bar{300, client.bottom / 2};
    MapWindowPoints(bar, nullptr, &logo, 1);
    MapWindowPoints(bar, nullptr, &free_bar, 1);
    // Under Wine on X, a synthesised move comes back once more from the X server a moment
    // later, sometimes with the position before it. So the pointer rests on the logo while the
    // bar locks, and each press moves it in the same event; the positions around a press that
    // must open differ by no more than the drag distance, and the jump away comes last.
    send_mouse(MOUSEEVENTF_MOVE, logo.x, logo.y);
    lock_by_tray();
    const LONG beyond_drag = GetSystemMetrics(SM_CXDRAG) + 3;
    const auto no_dialog = [&] { return !find_dialog_of(program->id(), PASSWORD_TITLE); };
    const struct {
        const char* name;
        POINT at;
        bool tap_first;
        LONG slide; // across, once the button is down
        DWORD released_after_ms; // when it opens nothing
        bool opens;
    } cases[] = {
        {"held, trembling within the drag distance", logo, false, 1, 0, true},
        {"released at 2 s", logo, false, 0, 2000, false},
        {"tapped, then held, after a cancelled dialog", logo, true, 0, 0, true},
        {"slid beyond the drag distance", logo, false, beyond_drag, WATCH_MS, false},
        {"held elsewhere on the bar", free_bar, false, 0, WATCH_MS, false},
    };
    for (const auto& c : cases) {
        if (c.tap_first) {
            send_mouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_LEFTDOWN, c.at.x, c.at.y);
            send_mouse(MOUSEEVENTF_LEFTUP, c.at.x, c.at.y);
        }
        const ULONGLONG pressed = GetTickCount64();
        send_mouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_LEFTDOWN, c.at.x, c.at.y);
        if (c.slide)
            send_mouse(MOUSEEVENTF_MOVE, c.at.x + c.slide, c.at.y);
        if (!c.opens) {
            EXPECT_TRUE(holds_for(no_dialog, c.released_after_ms)) << c.name;
            send_mouse(MOUSEEVENTF_LEFTUP, c.at.x + c.slide, c.at.y);
            EXPECT_TRUE(holds_for(no_dialog, WATCH_MS - c.released_after_ms)) << c.name;
            continue;
        }
        HWND dialog = nullptr;
        ASSERT_TRUE(wait_until(
            [&] { return (dialog = find_dialog_of(program->id(), PASSWORD_TITLE)) != nullptr; }, HOLD_MS + WAIT_MS))
            << c.name;
        EXPECT_GE(GetTickCount64() - pressed, HOLD_MS - 50) << c.name;
        settle();
        EXPECT_EQ(focus_of(dialog), GetDlgItem(dialog, PASSWORD_EDIT)) << c.name;
        send_mouse(MOUSEEVENTF_LEFTUP, c.at.x + c.slide, c.at.y);
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        ASSERT_TRUE(wait_until([&] { return !IsWindow(dialog); })) << c.name;
    }
    EXPECT_TRUE(locked_state()) << desktop_state();
}

TEST_F(LockProgram, ButtonsAndMenuFollowTheSettings)
{
    settings.main_label = "メイン";
    settings.main_program = in_dir("record_start.exe");
    settings.entries = {{0, "one", "one.exe"}, {1, "", ""}, {0, "two", "two.exe"}};
    start();
    lock_by_tray();

    const struct {
        int id;
        const char* caption;
        int x;
    } buttons[] = {{MAIN_SOFTWARE_BUTTON, "メイン", 85}, {OTHER_SOFTWARE_BUTTON, TEXT_OTHER_SOFTWARE, 215}};
    RECT client{};
    GetClientRect(bar, &client);
    for (const auto& b : buttons) {
        HWND button = GetDlgItem(bar, b.id);
        ASSERT_TRUE(button) << b.id;
        EXPECT_EQ(window_text(button), b.caption);
        RECT rect{};
        GetWindowRect(button, &rect);
        MapWindowPoints(nullptr, bar, reinterpret_cast<POINT*>(&rect), 2);
        EXPECT_EQ(rect.left, b.x);
        EXPECT_EQ(rect.top, 0);
        EXPECT_EQ(rect.right - rect.left, BUTTON_WIDTH);
        EXPECT_EQ(rect.bottom, client.bottom);
    }
}

// An administrator's text, imported with kiv2cfg.exe, is what the lock program then offers.
TEST_F(LockProgram, ShowsWhatKiv2cfgImported)
{
    const std::u8string text = u8"[kivel2]\nlock_at_startup = yes\nboss_password = boss\nfollower_password = kid\n"
                               u8"\n[main]\nlabel = メイン\npath = record_start.exe\n";
    write_bytes(in_dir("kiv2.txt"), Bytes(text.begin(), text.end()));
    ASSERT_TRUE(copy_built_file("kiv2cfg.exe", dir.path()));
    const RunningProgram import(in_dir("kiv2cfg.exe"), dir.path(), "import kiv2.txt kiv2.bin");
    ASSERT_EQ(import.exit_code(), 0u);

    run_program();
    EXPECT_TRUE(wait_until([&] { return locked_state(); })) << desktop_state();
    EXPECT_EQ(window_text(GetDlgItem(bar, MAIN_SOFTWARE_BUTTON)), "メイン");
    answer_password("kid", false);
    EXPECT_EQ(program->exit_code(), 0u);
}

TEST_F(LockProgram, OneButtonWithoutMainSoftwareNoneWithoutEntries)
{
    settings.main_label = "label only";
    settings.entries = {{0, "one", "one.exe"}};
    start();
    EXPECT_FALSE(GetDlgItem(bar, MAIN_SOFTWARE_BUTTON));
    HWND button = GetDlgItem(bar, OTHER_SOFTWARE_BUTTON);
    ASSERT_TRUE(button);
    EXPECT_EQ(window_text(button), TEXT_SOFTWARE);
}

TEST_F(LockProgram, StartsProgramsInTheirDirectoryAndReportsFailures)
{
    const std::string tools = dir.path() + "\\tools";
    ASSERT_TRUE(CreateDirectoryA(tools.c_str(), nullptr));
    ASSERT_TRUE(CopyFileA(in_dir("record_start.exe").c_str(), (tools + "\\menu.exe").c_str(), FALSE));
    const std::string missing = dir.path() + "\\nowhere\\missing.exe";
    // A bare name is found by the shell from the program's own working directory.
    settings.main_program = "record_start.exe";
    settings.entries = {{0, "menu", tools + "\\menu.exe"}, {1, "", tools + "\\menu.exe"}, {0, "gone", missing}};
    start();
    lock_by_tray();

    PostMessageA(bar, WM_COMMAND, FIRST_MENU_COMMAND, 0);
    EXPECT_TRUE(wait_until([&] { return read_bytes(tools + "\\menu.exe.started").size() > 0; }));
    const Bytes where = read_bytes(tools + "\\menu.exe.started");
    EXPECT_EQ(std::string(where.begin(), where.end()), tools);

    PostMessageA(bar, WM_COMMAND, 100, 0);
    EXPECT_TRUE(wait_until([&] { return read_bytes(in_dir("record_start.exe.started")).size() > 0; }));

    // A separator's id starts nothing; ids past the list are ignored.
    DeleteFileA((tools + "\\menu.exe.started").c_str());
    PostMessageA(bar, WM_COMMAND, 301, 0);
    PostMessageA(bar, WM_COMMAND, 303, 0);
    settle();

    PostMessageA(bar, WM_COMMAND, 302, 0);
    HWND box = wait_for_message_box(MESSAGE_CAPTION);
    ASSERT_TRUE(box);
    EXPECT_EQ(message_box_text(box), "「" + missing + "」が実行できません");
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(wait_until([&] { return !IsWindow(box); }));
    EXPECT_TRUE(locked_state());
    EXPECT_EQ(GetFileAttributesA((tools + "\\menu.exe.started").c_str()), INVALID_FILE_ATTRIBUTES);
}

// Wine tells a thread that another process set or removed a hook when the thread next takes
// a message from its queue.
void notice_hook_changes()
{
    PostThreadMessageA(GetCurrentThreadId(), WM_NULL, 0, 0);
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE);
}

// The hook library is bound and started: while locked, no window can be minimised.
TEST_F(LockProgram, MinimisingIsRefusedWhileLocked)
{
    start();
    HWND window = CreateWindowExA(0, "STATIC", "victim", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200, 100, nullptr,
        nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(window);
    lock_by_tray();
    notice_hook_changes();
    ShowWindow(window, SW_MINIMIZE);
    EXPECT_FALSE(IsIconic(window));

    answer_password("kid", true);
    ASSERT_TRUE(wait_until([&] { return resident_state(); })) << desktop_state();
    notice_hook_changes();
    ShowWindow(window, SW_MINIMIZE);
    EXPECT_TRUE(IsIconic(window));
    DestroyWindow(window);
}

} // namespace
