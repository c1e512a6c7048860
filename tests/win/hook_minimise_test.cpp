// Minimise requests refused while the hook is on, in this process and in another, and honoured
// again once it is off; maximise and restore are never refused.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>

#include "fake_windows.h"
#include "kivpx.h"
#include "program_driver.h"

namespace {

struct Request {
    const char* name;
    void (*send)(HWND window);
};

// Every way of asking for a minimise within the window's own thread.
const Request minimise_requests[] = {
    {"SW_MINIMIZE", [](HWND window) { ShowWindow(window, SW_MINIMIZE); }},
    {"SW_SHOWMINIMIZED", [](HWND window) { ShowWindow(window, SW_SHOWMINIMIZED); }},
    {"SW_SHOWMINNOACTIVE", [](HWND window) { ShowWindow(window, SW_SHOWMINNOACTIVE); }},
    {"SW_FORCEMINIMIZE", [](HWND window) { ShowWindow(window, SW_FORCEMINIMIZE); }},
    {"system menu minimise", [](HWND window) { SendMessageA(window, WM_SYSCOMMAND, SC_MINIMIZE, 0); }},
};

// A window of another process handles these when its thread gets to them; the WM_NULL sent
// afterwards returns only once it has. True when the request reached the window: a window
// that never got it stays as it was too, hook or no hook.
struct RemoteRequest {
    const char* name;
    bool (*send)(HWND window);
};
bool show_remote(HWND window, int command)
{
    return ShowWindowAsync(window, command) &&
        SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr) != 0;
}
const RemoteRequest remote_minimise_requests[] = {
    {"SW_MINIMIZE", [](HWND window) { return show_remote(window, SW_MINIMIZE); }},
    {"SW_SHOWMINNOACTIVE", [](HWND window) { return show_remote(window, SW_SHOWMINNOACTIVE); }},
    {"system menu minimise",
        [](HWND window) {
            return SendMessageTimeoutA(window, WM_SYSCOMMAND, SC_MINIMIZE, 0, SMTO_ABORTIFHUNG, 5000, nullptr) != 0;
        }},
};

// minimise_target.exe from beside this program, with a window titled uniquely for this run.
class TargetProcess {
public:
    TargetProcess()
    {
        if (process_.started())
            wait_until([this] { return (window_ = FindWindowA("KivelMinimiseTarget", title_.c_str())) != nullptr; });
    }
    TargetProcess(const TargetProcess&) = delete;
    TargetProcess& operator=(const TargetProcess&) = delete;
    // Closed as a user would; the running program ends it by force if that does not do.
    ~TargetProcess()
    {
        if (window_)
            PostMessageA(window_, WM_CLOSE, 0, 0);
        process_.exit_code();
    }
    HWND window() const { return window_; }

private:
    const std::string title_ = "minimise target " + std::to_string(GetCurrentProcessId());
    RunningProgram process_{directory_of_this_program() + "\\minimise_target.exe", directory_of_this_program(), title_};
    HWND window_ = nullptr;
};

class Minimise : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(window.get(), nullptr); }
    void TearDown() override
    {
        while (IsHooking())
            EndKivHook();
    }
    const OwnedWindow window{create_window(
        "KivelHookTest", DefWindowProcA, "hook test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, {50, 50, 350, 250})};
};

TEST_F(Minimise, RefusedWhileHookedAndHonouredAfter)
{
    // The lock program hands its own bar window over; that window is not spared either.
    SetKivel(static_cast<int>(reinterpret_cast<INT_PTR>(window.get())));
    ASSERT_EQ(StartKivHook(), 1);
    for (const auto& request : minimise_requests) {
        request.send(window.get());
        EXPECT_FALSE(IsIconic(window.get())) << request.name;
        EXPECT_TRUE(IsWindowVisible(window.get())) << request.name;
    }

    ASSERT_EQ(EndKivHook(), 1);
    for (const auto& request : minimise_requests) {
        request.send(window.get());
        EXPECT_TRUE(IsIconic(window.get())) << request.name;
        ShowWindow(window.get(), SW_RESTORE);
    }
}

TEST_F(Minimise, HonouredAfterEndEvenWhenStartedTwice)
{
    ASSERT_EQ(StartKivHook(), 1);
    ASSERT_EQ(StartKivHook(), 1);
    ASSERT_EQ(EndKivHook(), 1);
    ShowWindow(window.get(), SW_MINIMIZE);
    EXPECT_TRUE(IsIconic(window.get())) << "a hook of the first start was left behind";
}

TEST_F(Minimise, MaximiseAndRestoreNeverRefused)
{
    ShowWindow(window.get(), SW_MINIMIZE);
    ASSERT_EQ(StartKivHook(), 1);
    const struct {
        const char* name;
        void (*send)(HWND window);
        bool iconic;
        bool zoomed;
    } steps[] = {
        {"SW_RESTORE from minimised", [](HWND w) { ShowWindow(w, SW_RESTORE); }, false, false},
        {"SW_MAXIMIZE", [](HWND w) { ShowWindow(w, SW_MAXIMIZE); }, false, true},
        {"minimising a maximised window leaves it maximised", [](HWND w) { ShowWindow(w, SW_MINIMIZE); }, false, true},
        {"system menu restore", [](HWND w) { SendMessageA(w, WM_SYSCOMMAND, SC_RESTORE, 0); }, false, false},
        {"system menu maximise", [](HWND w) { SendMessageA(w, WM_SYSCOMMAND, SC_MAXIMIZE, 0); }, false, true},
        {"SW_SHOWNORMAL", [](HWND w) { ShowWindow(w, SW_SHOWNORMAL); }, false, false},
        {"SW_SHOWMAXIMIZED", [](HWND w) { ShowWindow(w, SW_SHOWMAXIMIZED); }, false, true},
    };
    for (const auto& step : steps) {
        step.send(window.get());
        EXPECT_EQ(IsIconic(window.get()) != FALSE, step.iconic) << step.name;
        EXPECT_EQ(IsZoomed(window.get()) != FALSE, step.zoomed) << step.name;
    }
}

TEST_F(Minimise, RefusedInAnotherProcessWhileHooked)
{
    TargetProcess target;
    const HWND other = target.window();
    ASSERT_NE(other, nullptr) << "minimise_target.exe showed no window";
    ASSERT_FALSE(IsIconic(other));

    ASSERT_EQ(StartKivHook(), 1);
    for (const auto& request : remote_minimise_requests) {
        EXPECT_TRUE(request.send(other)) << request.name;
        EXPECT_FALSE(IsIconic(other)) << request.name;
    }

    ASSERT_EQ(EndKivHook(), 1);
    for (const auto& request : remote_minimise_requests) {
        EXPECT_TRUE(request.send(other)) << request.name;
        EXPECT_TRUE(wait_until([other] { return IsIconic(other) != FALSE; })) << request.name;
        ShowWindowAsync(other, SW_RESTORE);
        ASSERT_TRUE(wait_until([other] { return !IsIconic(other); })) << request.name;
    }
}

// Another program's CBT hook, installed before the lock's, goes on hearing of every event but
// the refused minimise requests.
class ChainedHook {
public:
    ChainedHook() : hook_(SetWindowsHookExA(WH_CBT, procedure, GetModuleHandleA(nullptr), 0)) {}
    bool installed() const { return static_cast<bool>(hook_); }

    static inline int seen[HCBT_SETFOCUS + 1] = {};

private:
    static LRESULT CALLBACK procedure(int code, WPARAM wparam, LPARAM lparam)
    {
        if (code >= 0 && code <= HCBT_SETFOCUS)
            ++seen[code];
        return CallNextHookEx(nullptr, code, wparam, lparam);
    }
    OwnedHook hook_;
};

TEST_F(Minimise, OtherCbtHooksStillHearOfEverythingElse)
{
    const ChainedHook other;
    ASSERT_TRUE(other.installed());
    ASSERT_EQ(StartKivHook(), 1);
    std::fill(std::begin(ChainedHook::seen), std::end(ChainedHook::seen), 0);
    const OwnedWindow created{create_window(
        "KivelHookTest", DefWindowProcA, "chained hook", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, {60, 60, 360, 260})};
    SetActiveWindow(window.get());
    SetActiveWindow(created.get());
    ShowWindow(created.get(), SW_MINIMIZE);
    EXPECT_FALSE(IsIconic(created.get()));
    EXPECT_GT(ChainedHook::seen[HCBT_CREATEWND], 0);
    EXPECT_GT(ChainedHook::seen[HCBT_ACTIVATE], 0);
    EXPECT_EQ(ChainedHook::seen[HCBT_MINMAX], 0) << "a refused minimise is not handed on";
}

} // namespace
