// The real Kivel2.exe against current Windows's ways out while locked: system keys from a
// window of the test, a restarted shell, a display change, and the hand-back at the next start
// of what a copy that ended while locked had taken.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_windows.h"
#include "key_input.h"
#include "lock_program_fixture.h"

namespace {

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
    // Resident, the hidden bar is left alone.
    PostMessageA(bar, WM_DISPLAYCHANGE, 32, MAKELPARAM(1024, 768));
    settle();
    EXPECT_FALSE(IsWindowVisible(bar));

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

} // namespace
