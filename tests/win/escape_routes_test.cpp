// The locked station's answers to current Windows's ways out, in-process: the keyboard hook
// fed with synthesised input, taskbars of other screens, a restarted shell's new windows, and
// the marks through which a later start hands back what an ended lock had taken.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "fake_windows.h"
#include "key_input.h"
#include "lock_bar.h"
#include "shell_windows.h"
#include "texts.h"

namespace {

constexpr char SECONDARY_TASKBAR[] = "Shell_SecondaryTrayWnd";

// Print Screen, a browser key from each end, the mail key and an application key.
const std::initializer_list<KeyStroke> PROGRAM_KEYS = {press(VK_SNAPSHOT), release(VK_SNAPSHOT), press(VK_BROWSER_BACK),
    press(VK_BROWSER_HOME), press(VK_LAUNCH_MAIL), press(VK_LAUNCH_APP2), release(VK_LAUNCH_APP2),
    release(VK_LAUNCH_MAIL), release(VK_BROWSER_HOME), release(VK_BROWSER_BACK)};

bool marked(HWND window)
{
    return GetPropA(window, TAKEN_MARK) != nullptr;
}

// A keyboard hook of the test, installed after the lock's and so called before it: it sees
// every keystroke, also those that the lock's hook then swallows.
class KeySpy {
public:
    KeySpy() : hook_(SetWindowsHookExA(WH_KEYBOARD_LL, procedure, GetModuleHandleA(nullptr), 0)) {}

    // Sends the strokes and waits until the last one has passed through the hooks.
    static bool pass(std::initializer_list<KeyStroke> strokes)
    {
        last_seen = 0;
        send_keys(strokes);
        return wait_until([&] {
            handle_messages();
            return last_seen == (strokes.end() - 1)->key;
        });
    }

private:
    static LRESULT CALLBACK procedure(int code, WPARAM wparam, LPARAM lparam)
    {
        if (code == HC_ACTION)
            last_seen = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lparam)->vkCode;
        return CallNextHookEx(nullptr, code, wparam, lparam);
    }

    static inline DWORD last_seen = 0;
    OwnedHook hook_;
};

class EscapeRoutes : public ::testing::Test {
protected:
    void SetUp() override
    {
        taskbar = create_shell_window("Shell_TrayWnd");
        desktop = create_shell_window("Progman", "Program Manager");
        bar.bar_window = create_window("TestBar", "Kivel2", WS_POPUP | WS_THICKFRAME, WS_EX_PALETTEWINDOW);
    }

    void TearDown() override
    {
        bar.unlock();
        for (HWND window : {bar.bar_window, desktop, taskbar})
            DestroyWindow(window);
    }

    LockBar bar;
    HWND taskbar = nullptr;
    HWND desktop = nullptr;
};

TEST_F(EscapeRoutes, KeyboardHookSwallowsOnlyTheWaysOut)
{
    KeyRecorder recorder;
    ASSERT_TRUE(recorder.focused());
    bar.lock();
    const struct {
        const char* name;
        std::initializer_list<KeyStroke> strokes;
        std::vector<WORD> reaching;
    } cases[] = {
        {"typing", {press('A'), release('A')}, {'A'}},
        {"Esc alone", {press(VK_ESCAPE), release(VK_ESCAPE)}, {VK_ESCAPE}},
        {"both Windows keys", {press(VK_LWIN), release(VK_LWIN), press(VK_RWIN), release(VK_RWIN)}, {}},
        {"Windows+R, then typing",
            {press(VK_LWIN), press('R'), release('R'), release(VK_LWIN), press('A'), release('A')}, {'A'}},
        {"Ctrl+Esc", {press(VK_CONTROL), press(VK_ESCAPE), release(VK_ESCAPE), release(VK_CONTROL)}, {VK_CONTROL}},
        {"Ctrl+Shift+Esc",
            {press(VK_CONTROL), press(VK_SHIFT), press(VK_ESCAPE), release(VK_ESCAPE), release(VK_SHIFT),
                release(VK_CONTROL)},
            {VK_CONTROL, VK_SHIFT}},
        {"Alt+Esc", {press(VK_MENU), press(VK_ESCAPE), release(VK_ESCAPE), release(VK_MENU)}, {VK_MENU}},
        {"Alt+Tab", {press(VK_MENU), press(VK_TAB), release(VK_TAB), release(VK_MENU)}, {VK_MENU, VK_TAB}},
        {"keys that make the shell open a program", PROGRAM_KEYS, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(recorder.keys_reaching(c.strokes), c.reaching) << c.name;

    bar.unlock();
    EXPECT_FALSE(bar.hooks.key_hook_installed());
    EXPECT_EQ(recorder.keys_reaching({press(VK_LWIN), release(VK_LWIN)}), std::vector<WORD>{VK_LWIN});
    EXPECT_EQ(recorder.keys_reaching(PROGRAM_KEYS),
        (std::vector<WORD>{VK_SNAPSHOT, VK_BROWSER_BACK, VK_BROWSER_HOME, VK_LAUNCH_MAIL, VK_LAUNCH_APP2}));
}

// A Windows key whose release went elsewhere holds typing back only for a while. The stamps
// put the typing well past that while without the test waiting for it.
TEST_F(EscapeRoutes, LostWindowsKeyReleaseIsForgottenAfterAWhile)
{
    KeyRecorder recorder;
    bar.lock();
    const DWORD now = GetTickCount();
    {
        const KeySpy spy;
        ASSERT_TRUE(KeySpy::pass({stamped(press(VK_LWIN), now)}));
    }
    EXPECT_EQ(recorder.keys_reaching({stamped(press('A'), now + 6000)}), std::vector<WORD>{'A'});
}

// The system may drop the hook without a word; the next clock tick puts a new one in place.
TEST_F(EscapeRoutes, KeyboardHookIsRenewedAfterTheSystemRemovedIt)
{
    KeyRecorder recorder;
    bar.lock();
    ASSERT_TRUE(UnhookWindowsHookEx(bar.hooks.key_hook_handle()));
    EXPECT_EQ(recorder.keys_reaching({press(VK_LWIN), release(VK_LWIN)}), std::vector<WORD>{VK_LWIN});
    bar.renew_key_hook();
    EXPECT_EQ(recorder.keys_reaching({press(VK_LWIN), release(VK_LWIN), press('A')}), std::vector<WORD>{'A'});

    // Not locked, nothing is installed.
    bar.unlock();
    bar.renew_key_hook();
    EXPECT_FALSE(bar.hooks.key_hook_installed());
}

// A lock ended between a Windows key's press and its release: the next lock still lets the
// password be typed.
TEST_F(EscapeRoutes, WindowsKeyHeldAcrossLocksIsForgotten)
{
    KeyRecorder recorder;
    bar.lock();
    {
        const KeySpy spy;
        ASSERT_TRUE(KeySpy::pass({press(VK_LWIN), press('A')}));
    }
    bar.unlock();
    bar.lock();
    EXPECT_EQ(recorder.keys_reaching({press('A'), release('A')}), std::vector<WORD>{'A'});
    recorder.keys_reaching({release(VK_LWIN)});
}

TEST_F(EscapeRoutes, TaskbarsOfOtherScreensAreTakenToo)
{
    const HWND secondaries[] = {create_shell_window(SECONDARY_TASKBAR), create_shell_window(SECONDARY_TASKBAR)};
    bar.lock();
    for (HWND secondary : secondaries) {
        EXPECT_FALSE(IsWindowVisible(secondary));
        EXPECT_TRUE(marked(secondary));
    }
    bar.unlock();
    for (HWND secondary : secondaries) {
        EXPECT_TRUE(IsWindowVisible(secondary));
        EXPECT_FALSE(marked(secondary));
        DestroyWindow(secondary);
    }
    EXPECT_TRUE(bar.other_taskbars.empty());
}

TEST_F(EscapeRoutes, RestartedShellLosesItsNewWindowsWhileLocked)
{
    // Not locked, a new shell is left alone.
    HWND restarted = create_shell_window("Shell_TrayWnd");
    bar.on_taskbar_created();
    EXPECT_TRUE(IsWindowVisible(restarted));
    DestroyWindow(restarted);

    bar.lock();
    DestroyWindow(taskbar);
    DestroyWindow(desktop);
    taskbar = create_shell_window("Shell_TrayWnd");
    desktop = create_shell_window("Progman", "Program Manager");
    const HWND secondary = create_shell_window(SECONDARY_TASKBAR);
    bar.on_taskbar_created();
    EXPECT_EQ(bar.tray_window, taskbar);
    EXPECT_EQ(bar.progman_window, desktop);
    EXPECT_FALSE(IsWindowVisible(taskbar));
    EXPECT_FALSE(IsWindowEnabled(desktop));
    EXPECT_FALSE(IsWindowVisible(secondary));

    bar.unlock();
    EXPECT_TRUE(IsWindowVisible(taskbar));
    EXPECT_TRUE(IsWindowEnabled(desktop));
    EXPECT_TRUE(IsWindowVisible(secondary));
    DestroyWindow(secondary);
}

// Should the old shell's windows outlive the new shell's arrival, unlock hands back both.
TEST_F(EscapeRoutes, WindowsThatOutliveARestartAreHandedBackToo)
{
    bar.lock();
    const HWND new_taskbar = create_shell_window("Shell_TrayWnd");
    const HWND new_desktop = create_shell_window("Progman", "Program Manager");
    bar.on_taskbar_created();
    bar.on_taskbar_created();
    for (HWND window : {taskbar, new_taskbar})
        EXPECT_FALSE(IsWindowVisible(window));
    for (HWND window : {desktop, new_desktop})
        EXPECT_FALSE(IsWindowEnabled(window));
    EXPECT_EQ(std::count(bar.other_taskbars.begin(), bar.other_taskbars.end(), taskbar), 1);

    bar.unlock();
    for (HWND window : {taskbar, new_taskbar})
        EXPECT_TRUE(IsWindowVisible(window));
    for (HWND window : {desktop, new_desktop})
        EXPECT_TRUE(IsWindowEnabled(window));
    DestroyWindow(new_desktop);
    DestroyWindow(new_taskbar);
}

// The desktop's icons wherever the shell put them, and what it shows or makes while locked:
// taken at the next look, all handed back on unlock. A window without the icon view is no
// desktop.
TEST_F(EscapeRoutes, DesktopIconsAndLateShellWindowsAreTaken)
{
    const HWND icons = create_desktop_view_holder();
    const HWND plain = create_shell_window("WorkerW");
    bar.lock();
    EXPECT_FALSE(IsWindowEnabled(icons));
    EXPECT_TRUE(marked(icons));
    EXPECT_TRUE(IsWindowEnabled(plain));

    ShowWindow(taskbar, SW_SHOWNA);
    EnableWindow(icons, TRUE);
    const HWND late[] = {create_shell_window(SECONDARY_TASKBAR), create_desktop_view_holder("LateDesktop")};
    bar.retake_shell_windows();
    for (HWND window : {taskbar, late[0]})
        EXPECT_FALSE(IsWindowVisible(window));
    for (HWND window : {icons, late[1]})
        EXPECT_FALSE(IsWindowEnabled(window));

    bar.unlock();
    for (HWND window : {taskbar, late[0]})
        EXPECT_TRUE(IsWindowVisible(window));
    for (HWND window : {icons, late[1]}) {
        EXPECT_TRUE(IsWindowEnabled(window));
        EXPECT_FALSE(marked(window));
    }
    disable_desktop(icons);
    hand_back_taken_windows();
    EXPECT_TRUE(IsWindowEnabled(icons));
    for (HWND window : {icons, plain, late[0], late[1]})
        DestroyWindow(window);
}

// What a copy that ended while locked left taken, and only that, is handed back.
TEST_F(EscapeRoutes, MarkedWindowsAreHandedBack)
{
    const HWND secondary = create_shell_window(SECONDARY_TASKBAR);
    const HWND hidden_by_others = create_shell_window(SECONDARY_TASKBAR);
    ShowWindow(hidden_by_others, SW_HIDE);
    hide_taskbar(taskbar);
    hide_taskbar(secondary);
    disable_desktop(desktop);

    hand_back_taken_windows();
    for (HWND window : {taskbar, secondary, desktop}) {
        EXPECT_TRUE(IsWindowVisible(window));
        EXPECT_FALSE(marked(window));
    }
    EXPECT_TRUE(IsWindowEnabled(desktop));
    EXPECT_FALSE(IsWindowVisible(hidden_by_others));
    DestroyWindow(hidden_by_others);
    DestroyWindow(secondary);
}

} // namespace
