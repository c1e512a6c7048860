// The lockdown and the launcher controls in-process, against shell windows that the test
// makes itself: a taskbar ("Shell_TrayWnd") and a desktop window ("Progman", "Program Manager").
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "bar_geometry.h"
#include "clock_panel.h"
#include "fake_windows.h"
#include "kivpx.h"
#include "lock_bar.h"
#include "program_driver.h"

namespace {

// The bar as the program creates it: topmost popup with a sizing frame, not yet shown.
HWND create_bar()
{
    return create_window("TestBar", "Kivel2", WS_POPUP | WS_CLIPCHILDREN | WS_THICKFRAME, WS_EX_PALETTEWINDOW);
}

bool screen_saver_running()
{
    BOOL running = FALSE;
    SystemParametersInfoA(SPI_GETSCREENSAVERRUNNING, 0, &running, 0);
    return running != FALSE;
}

// A window of this process that the hook, if installed, keeps from being minimised.
bool can_minimise()
{
    // Wine tells a thread of the hooks that another thread put in when it next asks for
    // messages; the lock's hooks are on a thread of their own.
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
    HWND window = create_window("TestVictim", "victim", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    ShowWindow(window, SW_MINIMIZE);
    const bool minimised = IsIconic(window);
    DestroyWindow(window);
    return minimised;
}

class Lockdown : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Topmost and newest, so that a search by class finds these before the bench's own.
        taskbar = create_window("Shell_TrayWnd", "", WS_POPUP | WS_VISIBLE, WS_EX_TOPMOST);
        desktop = create_window("Progman", "Program Manager", WS_POPUP | WS_VISIBLE, WS_EX_TOPMOST);
        ASSERT_EQ(FindWindowA("Shell_TrayWnd", nullptr), taskbar);
        ASSERT_EQ(FindWindowA("Progman", "Program Manager"), desktop);
        bar.bar_window = create_bar();
    }

    void TearDown() override
    {
        bar.unlock();
        DestroyWindow(bar.bar_window);
        DestroyWindow(desktop);
        DestroyWindow(taskbar);
    }

    void expect_locked()
    {
        EXPECT_TRUE(bar.is_locked());
        EXPECT_FALSE(IsWindowVisible(taskbar));
        EXPECT_FALSE(IsWindowEnabled(desktop));
        EXPECT_TRUE(screen_saver_running());
        EXPECT_EQ(IsHooking(), 1);
        EXPECT_TRUE(IsWindowVisible(bar.bar_window));
        EXPECT_TRUE(GetWindowLongA(bar.bar_window, GWL_STYLE) & WS_THICKFRAME);
        RECT rect{};
        GetWindowRect(bar.bar_window, &rect);
        const BarRect expected = bar_rect({GetSystemMetrics(SM_CYEDGE), GetSystemMetrics(SM_CYFRAME),
            GetSystemMetrics(SM_CYSMICON), GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
        EXPECT_EQ(rect.left, expected.x);
        EXPECT_EQ(rect.top, expected.y);
        EXPECT_EQ(rect.right, expected.x + expected.width);
        EXPECT_EQ(rect.bottom, expected.y + expected.height);
    }

    void expect_unlocked()
    {
        EXPECT_FALSE(bar.is_locked());
        EXPECT_TRUE(IsWindowVisible(taskbar));
        EXPECT_TRUE(IsWindowEnabled(desktop));
        EXPECT_FALSE(screen_saver_running());
        EXPECT_EQ(IsHooking(), 0);
        EXPECT_FALSE(IsWindowVisible(bar.bar_window));
        EXPECT_FALSE(GetWindowLongA(bar.bar_window, GWL_STYLE) & WS_THICKFRAME);
        EXPECT_FALSE(bar.tray_window);
        EXPECT_FALSE(bar.progman_window);
    }

    LockBar bar;
    HWND taskbar = nullptr;
    HWND desktop = nullptr;
};

TEST_F(Lockdown, LockTakesTheDesktopAndUnlockGivesItBack)
{
    bar.lock();
    expect_locked();
    EXPECT_EQ(bar.tray_window, taskbar);
    EXPECT_EQ(bar.progman_window, desktop);
    EXPECT_FALSE(can_minimise());

    bar.unlock();
    expect_unlocked();
    EXPECT_TRUE(can_minimise());
}

// Both are safe in any state: a second lock installs no second hook and searches nothing,
// an unlock while unlocked touches nothing.
TEST_F(Lockdown, LockAndUnlockAreIdempotent)
{
    bar.lock();
    ShowWindow(taskbar, SW_SHOWNA);
    bar.lock();
    EXPECT_TRUE(IsWindowVisible(taskbar));
    bar.unlock();
    expect_unlocked();
    EXPECT_TRUE(can_minimise());

    ShowWindow(taskbar, SW_HIDE);
    EnableWindow(desktop, FALSE);
    ShowWindow(bar.bar_window, SW_SHOWNA);
    bar.unlock();
    EXPECT_FALSE(IsWindowVisible(taskbar));
    EXPECT_FALSE(IsWindowEnabled(desktop));
    EXPECT_TRUE(IsWindowVisible(bar.bar_window));
}

// The earlier state is not remembered: what lock found is shown and enabled afterwards.
TEST_F(Lockdown, UnlockShowsAndEnablesWhatWasHiddenAndDisabledBefore)
{
    ShowWindow(taskbar, SW_HIDE);
    EnableWindow(desktop, FALSE);
    bar.lock();
    bar.unlock();
    expect_unlocked();
}

TEST_F(Lockdown, WithoutDesktopWindowOrBarTheRestStillHappens)
{
    DestroyWindow(desktop);
    DestroyWindow(bar.bar_window);
    bar.lock();
    EXPECT_TRUE(bar.is_locked());
    EXPECT_FALSE(bar.progman_window);
    EXPECT_FALSE(IsWindowVisible(taskbar));
    EXPECT_TRUE(screen_saver_running());
    EXPECT_EQ(IsHooking(), 1);
    bar.unlock();
    EXPECT_TRUE(IsWindowVisible(taskbar));
    EXPECT_FALSE(screen_saver_running());
    EXPECT_EQ(IsHooking(), 0);
}

TEST_F(Lockdown, EndingWhileLockedHandsTheDesktopBack)
{
    {
        LockBar other;
        other.bar_window = bar.bar_window;
        other.lock();
        EXPECT_FALSE(IsWindowVisible(taskbar));
    }
    expect_unlocked();
}

// Which buttons and menu items the settings give, and where layout puts the buttons.
TEST(LauncherControls, FollowTheSettings)
{
    const struct {
        const char* name;
        std::string main_label;
        std::string main_program;
        std::vector<SoftwareEntry> entries;
        const char* main_caption; // null: no main button
        const char* other_caption; // null: no second button
    } cases[] = {
        {"main and entries", "Main", "main.exe", {{0, "a", "a.exe"}, {0, "b", "b.exe"}}, "Main", "その他のソフト"},
        {"entries only", "", "", {{0, "a", "a.exe"}}, nullptr, "ソフト起動"},
        {"label without program", "Main", "", {{0, "a", "a.exe"}}, nullptr, "ソフト起動"},
        {"program without label", "", "main.exe", {}, "", nullptr},
        {"nothing", "Main", "", {}, nullptr, nullptr},
    };
    for (const auto& c : cases) {
        LockBar lock_bar;
        lock_bar.settings.main_label = c.main_label;
        lock_bar.settings.main_program = c.main_program;
        lock_bar.settings.entries = c.entries;
        HWND window = create_bar();
        lock_bar.create_controls(window);
        lock_bar.layout_buttons(BUTTON_LEFT, 20);

        int x = BUTTON_LEFT;
        for (auto [handle, id, caption] : {std::tuple{lock_bar.main_button, ID_MAIN_SOFTWARE, c.main_caption},
                 std::tuple{lock_bar.other_button, ID_OTHER_SOFTWARE, c.other_caption}}) {
            EXPECT_EQ(handle != nullptr, caption != nullptr) << c.name << " " << id;
            if (!handle || !caption)
                continue;
            EXPECT_EQ(GetDlgItem(window, id), handle) << c.name;
            EXPECT_EQ(window_text(handle), caption) << c.name;
            RECT rect{};
            GetWindowRect(handle, &rect);
            MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
            EXPECT_EQ(rect.left, x) << c.name;
            EXPECT_EQ(rect.top, 0) << c.name;
            EXPECT_EQ(rect.right - rect.left, BUTTON_WIDTH) << c.name;
            EXPECT_EQ(rect.bottom, 20) << c.name;
            x += BUTTON_WIDTH;
        }
        EXPECT_EQ(static_cast<bool>(lock_bar.software_menu), !c.entries.empty()) << c.name;
        DestroyWindow(window);
    }
}

TEST(LauncherControls, MenuHoldsEveryEntryWithItsIndexInTheId)
{
    LockBar lock_bar;
    lock_bar.settings.entries = {{0, "メモ帳", "notepad.exe"}, {1, "ignored", "x"}, {0, "two", "two.exe"}};
    HWND window = create_bar();
    lock_bar.create_controls(window);
    const HMENU menu = lock_bar.software_menu.get();
    ASSERT_EQ(GetMenuItemCount(menu), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(GetMenuItemID(menu, i), static_cast<UINT>(ID_MENU_FIRST + i));
    char label[64];
    GetMenuStringA(menu, 0, label, sizeof label, MF_BYPOSITION);
    EXPECT_STREQ(label, "メモ帳");
    EXPECT_TRUE(GetMenuState(menu, 1, MF_BYPOSITION) & MF_SEPARATOR);
    GetMenuStringA(menu, 2, label, sizeof label, MF_BYPOSITION);
    EXPECT_STREQ(label, "two");
    DestroyWindow(window);
}

// The clock measured in a bar of known size, and its text moving on with injected times.
TEST(Clock, LayoutAndRefresh)
{
    std::tm start_parts{};
    start_parts.tm_year = 2026 - 1900;
    start_parts.tm_mon = 11;
    start_parts.tm_mday = 9;
    start_parts.tm_hour = 12;
    start_parts.tm_sec = 59;
    start_parts.tm_isdst = -1;
    const std::time_t start = std::mktime(&start_parts);
    ClockPanel clock(start);
    EXPECT_STREQ(clock.text, "12/09  12:00");
    EXPECT_FALSE(clock.tick_at(start + 55));
    EXPECT_STREQ(clock.text, "12/09  12:00");
    EXPECT_TRUE(clock.tick_at(start + 60));
    EXPECT_STREQ(clock.text, "12/09  12:01");
    EXPECT_FALSE(clock.tick_at(start + 65));

    HWND window = create_window("TestClockBar", "", WS_POPUP);
    clock.layout(window, 1024, 20);
    EXPECT_EQ(clock.font_height, 14);
    EXPECT_EQ(clock.bar_height, 20);
    EXPECT_GT(clock.text_x, 1024 / 2);
    EXPECT_LT(clock.text_x, 1024 - 10);
    EXPECT_GE(clock.text_y, 0);
    EXPECT_LT(clock.text_y, 20);
    DestroyWindow(window);
}

} // namespace
