// The locked station under attack and under load: the ways out a user or another program
// might try, many lock cycles and program starts without growth, and copies started at once.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "key_input.h"
#include "lock_program_fixture.h"

namespace {

// Leaks show as steady growth; a few handles and pages may come and go with the system's own
// lazy allocations.
constexpr DWORD HANDLE_SLACK = 8;
constexpr SIZE_T MEMORY_SLACK = 1024 * 1024;

void expect_no_growth(const Footprint& warm, const Footprint& end)
{
    EXPECT_GT(warm.handles, 0u);
    EXPECT_GT(warm.windows, 0u);
    EXPECT_LE(end.windows, warm.windows) << "windows " << warm.windows << " -> " << end.windows;
    EXPECT_LE(end.handles, warm.handles + HANDLE_SLACK) << "handles " << warm.handles << " -> " << end.handles;
    EXPECT_LE(end.private_bytes, warm.private_bytes + MEMORY_SLACK)
        << "private bytes " << warm.private_bytes << " -> " << end.private_bytes;
}

// How long a test watches for synthesised input to do what it must not do.
constexpr DWORD INPUT_WATCH_MS = 1000;

using LockEscape = LockProgram;

// Windows of other programs stay as they are, however the minimise is asked for.
TEST_F(LockEscape, OtherProgramsCannotBeMinimised)
{
    start();
    const std::string title = "escape-target-" + std::to_string(GetCurrentProcessId());
    RunningProgram target(directory_of_this_program() + "\\minimise_target.exe", dir.path(), title);
    HWND window = nullptr;
    ASSERT_TRUE(wait_until([&] { return (window = FindWindowA("KivelMinimiseTarget", title.c_str())) != nullptr; }));
    lock_by_tray();

    // True when the request reached the window: one that never got it stays as it was too.
    const auto minimise_by_show = [&] {
        return ShowWindowAsync(window, SW_MINIMIZE) &&
            SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_BLOCK, WAIT_MS, nullptr) != 0;
    };
    const auto minimise_by_menu = [&] {
        return SendMessageTimeoutA(window, WM_SYSCOMMAND, SC_MINIMIZE, 0, SMTO_BLOCK, WAIT_MS, nullptr) != 0;
    };
    EXPECT_TRUE(minimise_by_show());
    EXPECT_FALSE(IsIconic(window));
    EXPECT_TRUE(minimise_by_menu());
    EXPECT_FALSE(IsIconic(window));

    answer_password("kid", true);
    ASSERT_TRUE(wait_until([&] { return resident_state(); })) << desktop_state();
    EXPECT_TRUE(wait_until([&] {
        minimise_by_menu();
        return IsIconic(window) != FALSE;
    }));
    PostMessageA(window, WM_CLOSE, 0, 0);
}

// Dragging the top edge of the bar with the mouse leaves it where it is.
TEST_F(LockEscape, BarCannotBeResizedByItsFrame)
{
    start();
    lock_by_tray();
    RECT before{};
    GetWindowRect(bar, &before);
    const LONG x = (before.left + before.right) / 2;
    send_mouse(MOUSEEVENTF_MOVE, x, before.top);
    send_mouse(MOUSEEVENTF_LEFTDOWN, x, before.top);
    for (LONG y = before.top; y > before.top - 200; y -= 20)
        send_mouse(MOUSEEVENTF_MOVE, x, y);
    send_mouse(MOUSEEVENTF_LEFTUP, x, before.top - 200);
    // Input is handled after posted messages: watch for a while instead.
    EXPECT_TRUE(holds_for(
        [&] {
            RECT now{};
            GetWindowRect(bar, &now);
            return EqualRect(&before, &now) != FALSE;
        },
        INPUT_WATCH_MS));
    EXPECT_TRUE(locked_state()) << desktop_state();
}

// Alt+F4 typed while the bar has the keyboard becomes a close request, which the lock refuses.
TEST_F(LockEscape, AltF4OnTheBarIsRefused)
{
    start();
    lock_by_tray();
    ASSERT_TRUE(wait_until([&] {
        SetForegroundWindow(bar);
        return GetForegroundWindow() == bar;
    }));
    send_keys(chord({VK_MENU, VK_F4}));
    EXPECT_TRUE(holds_for([&] { return IsWindowVisible(bar) != FALSE; }, INPUT_WATCH_MS));
    EXPECT_TRUE(locked_state()) << desktop_state();
}

// A quit message posted to the program's thread cannot be refused: the program ends, but it
// hands the desktop back on its way out.
TEST_F(LockEscape, QuitMessageEndsTheProgramButUnlocksFirst)
{
    start();
    lock_by_tray();
    PostThreadMessageA(GetWindowThreadProcessId(bar, nullptr), WM_QUIT, 0, 0);
    EXPECT_EQ(program->exit_code(), 0u);
    EXPECT_TRUE(IsWindowVisible(taskbar()));
    EXPECT_FALSE(screen_saver_running());
}

// However many copies start at the same moment, exactly one keeps running.
TEST_F(LockProgram, ExactlyOneOfManyCopiesStartedAtOnceRuns)
{
    ASSERT_TRUE(settings.save());
    for (int round = 0; round < 3; ++round) {
        std::vector<std::unique_ptr<RunningProgram>> copies;
        for (int i = 0; i < 5; ++i)
            copies.push_back(
                std::make_unique<RunningProgram>(in_dir("Kivel2.exe"), dir.path(), "", RunningProgram::Start::held));
        for (const auto& copy : copies)
            copy->resume();

        const auto running = [&] {
            int count = 0;
            for (const auto& copy : copies)
                count += copy->is_running() && find_window_of(copy->id(), BAR_CLASS, BAR_TITLE) ? 1 : 0;
            return count;
        };
        std::size_t survivor = copies.size();
        ASSERT_TRUE(wait_until([&] {
            int ended = 0;
            for (std::size_t i = 0; i < copies.size(); ++i) {
                if (!copies[i]->is_running())
                    ++ended;
                else
                    survivor = i;
            }
            return ended == 4;
        })) << "round "
            << round;
        EXPECT_TRUE(wait_until([&] { return running() == 1; })) << "round " << round;
        for (std::size_t i = 0; i < copies.size(); ++i) {
            if (i != survivor) {
                EXPECT_EQ(copies[i]->exit_code(), 0u) << "round " << round;
            }
        }

        PostMessageA(find_window_of(copies[survivor]->id(), BAR_CLASS, BAR_TITLE), WM_CLOSE, 0, 0);
        EXPECT_EQ(copies[survivor]->exit_code(), 0u) << "round " << round;
    }
}

class LockSoak : public LockProgram {
protected:
    // Cheap checks that need no helper process: the soak goes through a thousand of them.
    bool bar_up() const { return IsWindowVisible(bar) && !IsWindowVisible(taskbar()); }
    bool bar_down() const { return !IsWindowVisible(bar) && IsWindowVisible(taskbar()); }
};

TEST_F(LockSoak, AThousandLockCyclesLeaveNothingBehind)
{
    constexpr int CYCLES = 1000;
    constexpr int WARM_CYCLES = 50;
    start();
    // Read once the threads that the lock and the unlock started have ended: Wine releases an
    // ended thread's stack (about 1 MB) only when the next thread of the process ends, so one
    // still on its way out would count a stack more in one reading than in the other.
    const std::size_t resident_threads = thread_count_of(program->id());
    const auto settled_footprint = [&] {
        EXPECT_TRUE(wait_until([&] { return thread_count_of(program->id()) == resident_threads; }));
        return footprint_of(program->id());
    };
    Footprint warm;
    for (int cycle = 0; cycle < CYCLES; ++cycle) {
        PostMessageA(bar, WM_TRAYNOTIFY, 1, WM_LBUTTONDBLCLK);
        ASSERT_TRUE(wait_until([&] { return bar_up(); })) << "cycle " << cycle;
        // A paint of the locked bar in every cycle.
        RedrawWindow(bar, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        answer_password("kid", true);
        ASSERT_TRUE(wait_until([&] { return bar_down(); })) << "cycle " << cycle;
        if (cycle == WARM_CYCLES - 1)
            warm = settled_footprint();
    }
    // Each cycle shows the password dialog: its picture must not stay behind either.
    expect_no_growth(warm, settled_footprint());
}

TEST_F(LockSoak, AThousandProgramStartsLeaveNothingBehind)
{
    settings.entries = {{0, "short-lived", in_dir("record_start.exe")}};
    start();
    lock_by_tray();
    const std::string marker = in_dir("record_start.exe.started");
    Footprint warm;
    for (int launch = 0; launch < 1000; ++launch) {
        PostMessageA(bar, WM_COMMAND, FIRST_MENU_COMMAND, 0);
        ASSERT_TRUE(wait_until([&] { return GetFileAttributesA(marker.c_str()) != INVALID_FILE_ATTRIBUTES; }))
            << "launch " << launch;
        ASSERT_TRUE(wait_until([&] { return DeleteFileA(marker.c_str()) != FALSE; })) << "launch " << launch;
        if (launch == 49)
            warm = footprint_of(program->id());
    }
    expect_no_growth(warm, footprint_of(program->id()));
}

} // namespace
