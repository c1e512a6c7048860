// The real Kivel2.exe against current Windows's ways out while locked: system keys from a
// window of the test, a restarted shell, a display change, shell windows that come later or
// hang, and the hand-back at the next start of what a copy that ended while locked had taken.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "fake_windows.h"
#include "key_input.h"
#include "lock_program_fixture.h"

namespace {

// How long the bar may take to answer, whatever the shell does: a hung shell never answers, and
// a busy test machine once took 227 ms for a lock that waits on nothing.
constexpr ULONGLONG ANSWER_MS = 1000;
// Well within a clock tick: what a display change takes must not wait for one.
constexpr DWORD DISPLAY_CHANGE_MS = 2000;

// The keyboard hook of the real program, seen from a window of this process that has the
// keyboard: the ways out never arrive while locked, and everything does once unlocked.
TEST_F(LockProgram, SystemKeysAreSwallowedOnlyWhileLocked)
{
    start();
    KeyRecorder recorder;
    lock_by_tray();
    ASSERT_TRUE(recorder.focus());
    EXPECT_EQ(recorder.keys_reaching({press(VK_LWIN), press('R'), release('R'), release(VK_LWIN), press('A'),
                  release('A'), press(VK_CONTROL), press(VK_ESCAPE), release(VK_ESCAPE), release(VK_CONTROL)}),
        (std::vector<WORD>{'A', VK_CONTROL}));

    answer_password("kid", true);
    ASSERT_TRUE(wait_until([&] { return resident_state(); })) << desktop_state();
    ASSERT_TRUE(recorder.focus());
    EXPECT_EQ(recorder.keys_reaching({press(VK_RWIN), release(VK_RWIN)}), std::vector<WORD>{VK_RWIN});
}

// A taskbar of this process: the shell's tray talks to whatever window has its class, so this
// one hears of the program's tray icon (under Wine, as WM_COPYDATA with the NIM_ code in
// dwData and the icon's window handle first).
class FakeTaskbar {
public:
    explicit FakeTaskbar(const char* window_class = "Shell_TrayWnd")
    {
        window = create_window(window_class, procedure, "", WS_POPUP | WS_VISIBLE, WS_EX_TOPMOST, {0, 0, 100, 30});
    }
    FakeTaskbar(const FakeTaskbar&) = delete;
    FakeTaskbar& operator=(const FakeTaskbar&) = delete;
    ~FakeTaskbar() { DestroyWindow(window); }

    static inline std::vector<HWND> icons_added;
    HWND window = nullptr;

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
    {
        if (message != WM_COPYDATA)
            return DefWindowProcA(window, message, wparam, lparam);
        const auto& data = *reinterpret_cast<const COPYDATASTRUCT*>(lparam);
        if (data.dwData == NIM_ADD && data.cbData >= sizeof(DWORD))
            icons_added.push_back(
                reinterpret_cast<HWND>(static_cast<UINT_PTR>(*static_cast<const DWORD*>(data.lpData))));
        return TRUE;
    }
};

void broadcast_taskbar_created()
{
    PostMessageA(HWND_BROADCAST, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
}

// The shell restarts: the icon is added again in every state, and while locked the new
// taskbars and desktop window are taken as well, and handed back by unlock.
TEST_F(LockProgram, RestartedShellGetsTheIconBackAndLosesItsWindowsWhileLocked)
{
    start();
    FakeTaskbar::icons_added.clear();
    {
        const FakeTaskbar restarted;
        broadcast_taskbar_created();
        EXPECT_TRUE(wait_until([&] { return FakeTaskbar::icons_added == std::vector<HWND>{bar}; }));
        EXPECT_TRUE(IsWindowVisible(restarted.window));
    }

    const FakeTaskbar secondary("Shell_SecondaryTrayWnd");
    lock_by_tray();
    EXPECT_FALSE(IsWindowVisible(secondary.window));
    const FakeTaskbar restarted;
    const FakeTaskbar restarted_secondary("Shell_SecondaryTrayWnd");
    const HWND desktop = create_shell_window("Progman", "Program Manager");
    broadcast_taskbar_created();
    EXPECT_TRUE(wait_until([&] {
        return FakeTaskbar::icons_added.size() == 2 && !IsWindowVisible(restarted.window) &&
            !IsWindowVisible(restarted_secondary.window) && !IsWindowEnabled(desktop);
    })) << FakeTaskbar::icons_added.size();
    EXPECT_TRUE(locked_state()) << desktop_state();

    answer_password("kid", true);
    EXPECT_TRUE(wait_until([&] {
        return IsWindowVisible(restarted.window) && IsWindowVisible(restarted_secondary.window) &&
            IsWindowVisible(secondary.window) && IsWindowEnabled(desktop);
    }));
    DestroyWindow(desktop);
}

TEST_F(LockProgram, DisplayChangeMovesTheLockedBarBackToTheBottomEdge)
{
    start();
    // Resident, the hidden bar is left alone. The start-up layout shows the bar for a moment to
    // measure it: the display change comes once it is hidden again.
    ASSERT_TRUE(wait_until([&] { return !IsWindowVisible(bar); })) << desktop_state();
    PostMessageA(bar, WM_DISPLAYCHANGE, 32, MAKELPARAM(1024, 768));
    settle();
    EXPECT_FALSE(IsWindowVisible(bar)) << desktop_state();

    lock_by_tray();
    MoveWindow(bar, 0, 0, 300, 40, TRUE);
    ASSERT_FALSE(has_bar_rect(bar));
    PostMessageA(bar, WM_DISPLAYCHANGE, 32, MAKELPARAM(1024, 768));
    EXPECT_TRUE(wait_until([&] { return has_bar_rect(bar) && IsWindowVisible(bar); }));
}

// What a copy that ended while locked left marked as taken is handed back by the next start,
// and nothing else; a copy that merely finds another one running touches nothing.
TEST_F(LockProgram, NextStartHandsBackWhatAnEndedLockHadTaken)
{
    const HWND taken_taskbar = create_shell_window("Shell_TrayWnd");
    const HWND taken_desktop = create_shell_window("Progman", "Program Manager");
    SetPropA(taken_taskbar, TAKEN_MARK, reinterpret_cast<HANDLE>(1));
    ShowWindow(taken_taskbar, SW_HIDE);
    SetPropA(taken_desktop, TAKEN_MARK, reinterpret_cast<HANDLE>(1));
    EnableWindow(taken_desktop, FALSE);

    settings.lock_at_startup = 1;
    start();
    ASSERT_TRUE(wait_until([&] { return locked_state(); })) << desktop_state();
    RunningProgram second(in_dir("Kivel2.exe"), dir.path());
    EXPECT_EQ(second.exit_code(), 0u);
    EXPECT_FALSE(IsWindowVisible(taken_taskbar));
    EXPECT_FALSE(IsWindowEnabled(taken_desktop));
    end_cleanly();
    EXPECT_TRUE(IsWindowVisible(taken_taskbar));

    // As a lock that never ended would have left them.
    for (HWND window : {taken_taskbar, taken_desktop})
        SetPropA(window, TAKEN_MARK, reinterpret_cast<HANDLE>(1));
    ShowWindow(taken_taskbar, SW_HIDE);
    EnableWindow(taken_desktop, FALSE);
    const HWND hidden_by_others = create_shell_window("Shell_SecondaryTrayWnd");
    ShowWindow(hidden_by_others, SW_HIDE);
    settings.lock_at_startup = 0;
    start();
    EXPECT_TRUE(IsWindowVisible(taken_taskbar));
    EXPECT_TRUE(IsWindowEnabled(taken_desktop));
    EXPECT_FALSE(GetPropA(taken_taskbar, TAKEN_MARK));
    EXPECT_FALSE(GetPropA(taken_desktop, TAKEN_MARK));
    EXPECT_FALSE(IsWindowVisible(hidden_by_others));
    EXPECT_FALSE(screen_saver_running());
    for (HWND window : {taken_taskbar, taken_desktop, hidden_by_others})
        DestroyWindow(window);
}

// A shell window of shell_stand_in.exe, in a process of its own as the shell's are. The process
// ends with the object.
class StandIn {
public:
    StandIn(const std::string& directory, const std::string& window_class, bool icons = false)
        : process_(
              directory_of_this_program() + "\\shell_stand_in.exe", directory, window_class + (icons ? " icons" : ""))
    {
        wait_until([&] {
            window = find_window_of(process_.id(), window_class, "");
            return window && (!icons || FindWindowExA(window, nullptr, "SHELLDLL_DefView", nullptr));
        });
    }

    // Its thread stops answering for a while; returns once it does not answer.
    bool hang() const
    {
        PostThreadMessageA(GetWindowThreadProcessId(window, nullptr), WM_STAND_IN_HANG, 0, 0);
        return wait_until([&] { return !SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_BLOCK, 50, nullptr); });
    }

    HWND window = nullptr;

private:
    RunningProgram process_;
};

bool marked(HWND window)
{
    return GetPropA(window, TAKEN_MARK) != nullptr;
}

// What the shell shows or makes while locked, without a word (a taskbar shown again, one for a
// screen plugged in, the desktop's icons in a window of their own), is taken at the next clock
// tick or display change, and unlock hands it all back.
TEST_F(LockProgram, ShellWindowsOfLaterAreTakenAndHandedBack)
{
    start();
    lock_by_tray();
    const StandIn secondary(dir.path(), "Shell_SecondaryTrayWnd");
    const StandIn icons(dir.path(), "WorkerW", true);
    ShowWindow(taskbar(), SW_SHOWNA);
    const auto taken = [](HWND hidden, HWND disabled) {
        return !IsWindowVisible(hidden) && !IsWindowEnabled(disabled) && marked(hidden) && marked(disabled);
    };
    // Within one clock tick.
    EXPECT_TRUE(wait_until([&] { return taken(secondary.window, icons.window) && !IsWindowVisible(taskbar()); }))
        << desktop_state();

    const StandIn plugged_in(dir.path(), "Shell_SecondaryTrayWnd");
    const StandIn more_icons(dir.path(), "WorkerW", true);
    PostMessageA(bar, WM_DISPLAYCHANGE, 32, MAKELPARAM(1024, 768));
    EXPECT_TRUE(wait_until([&] { return taken(plugged_in.window, more_icons.window); }, DISPLAY_CHANGE_MS))
        << desktop_state();

    answer_password("kid", true);
    EXPECT_TRUE(wait_until([&] {
        for (HWND window : {secondary.window, icons.window, plugged_in.window, more_icons.window})
            if (!IsWindowVisible(window) || !IsWindowEnabled(window) || marked(window))
                return false;
        return resident_state();
    })) << desktop_state();
}

// A shell whose thread stops answering delays neither the bar nor the keyboard hook.
TEST_F(LockProgram, HungTaskbarDelaysNothing)
{
    start();
    KeyRecorder recorder;
    const StandIn hung(dir.path(), "Shell_TrayWnd");
    ASSERT_EQ(taskbar(), hung.window);
    ASSERT_TRUE(hung.hang());
    const auto answers_within = [&](const char* what, const std::function<bool()>& done) {
        const ULONGLONG begin = GetTickCount64();
        ASSERT_TRUE(wait_until(done)) << what;
        EXPECT_LE(GetTickCount64() - begin, ANSWER_MS) << what;
    };

    PostMessageA(bar, WM_TRAYNOTIFY, 1, WM_LBUTTONDBLCLK);
    answers_within("lock", [&] {
        settle();
        return IsWindowVisible(bar) && marked(hung.window);
    });
    ASSERT_TRUE(recorder.focus());
    EXPECT_EQ(recorder.keys_reaching({press(VK_LWIN), release(VK_LWIN), press('A')}), std::vector<WORD>{'A'});

    HWND dialog = nullptr;
    PostMessageA(bar, WM_RBUTTONDOWN, MK_SHIFT | MK_RBUTTON, MAKELPARAM(300, 5));
    answers_within("password dialog", [&] { return (dialog = find_dialog_of(program->id(), PASSWORD_TITLE)); });
    SendMessageA(GetDlgItem(dialog, PASSWORD_EDIT), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("kid"));
    SendMessageA(GetDlgItem(dialog, STAY_RESIDENT), BM_SETCHECK, BST_CHECKED, 0);
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    answers_within("unlock", [&] { return !IsWindow(dialog) && !IsWindowVisible(bar); });
}

} // namespace
