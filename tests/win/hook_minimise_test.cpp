// Minimise requests refused while the hook is on, in this process and in another, and honoured
// again once it is off; maximise and restore are never refused.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>

#include "fake_windows.h"
#include "kivpx.h"

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
// afterwards returns only once it has.
void show_remote(HWND window, int command)
{
    ShowWindowAsync(window, command);
    SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr);
}
const Request remote_minimise_requests[] = {
    {"SW_MINIMIZE", [](HWND window) { show_remote(window, SW_MINIMIZE); }},
    {"SW_SHOWMINNOACTIVE", [](HWND window) { show_remote(window, SW_SHOWMINNOACTIVE); }},
    {"system menu minimise",
        [](HWND window) {
            SendMessageTimeoutA(window, WM_SYSCOMMAND, SC_MINIMIZE, 0, SMTO_ABORTIFHUNG, 5000, nullptr);
        }},
};

// Polls every 20 ms for up to 5 s.
template <typename Condition> bool eventually(Condition condition)
{
    for (int i = 0; i < 250 && !condition(); ++i)
        Sleep(20);
    return condition();
}

class TestWindow {
public:
    TestWindow()
        : window_(create_window(
              "KivelHookTest", DefWindowProcA, "hook test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, {50, 50, 350, 250}))
    {
    }
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;
    ~TestWindow() { DestroyWindow(window_); }
    HWND handle() const { return window_; }

private:
    HWND window_;
};

// minimise_target.exe from beside this program, with a window titled uniquely for this run.
class TargetProcess {
public:
    TargetProcess()
    {
        char path[MAX_PATH];
        const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
        std::string command(path, length);
        command = '"' + command.substr(0, command.rfind('\\') + 1) + "minimise_target.exe\" " + title_;
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process_))
            return;
        CloseHandle(process_.hThread);
        eventually([this] { return (window_ = FindWindowA("KivelMinimiseTarget", title_.c_str())) != nullptr; });
    }
    TargetProcess(const TargetProcess&) = delete;
    TargetProcess& operator=(const TargetProcess&) = delete;
    ~TargetProcess()
    {
        if (!process_.hProcess)
            return;
        if (window_)
            PostMessageA(window_, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(process_.hProcess, 5000) != WAIT_OBJECT_0)
            TerminateProcess(process_.hProcess, 1);
        CloseHandle(process_.hProcess);
    }
    HWND window() const { return window_; }

private:
    const std::string title_ = "minimise target " + std::to_string(GetCurrentProcessId());
    PROCESS_INFORMATION process_{};
    HWND window_ = nullptr;
};

class Minimise : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(window.handle(), nullptr); }
    void TearDown() override
    {
        while (IsHooking())
            EndKivHook();
    }
    TestWindow window;
};

TEST_F(Minimise, RefusedWhileHookedAndHonouredAfter)
{
    // The lock program hands its own bar window over; that window is not spared either.
    SetKivel(static_cast<int>(reinterpret_cast<INT_PTR>(window.handle())));
    ASSERT_EQ(StartKivHook(), 1);
    for (const auto& request : minimise_requests) {
        request.send(window.handle());
        EXPECT_FALSE(IsIconic(window.handle())) << request.name;
        EXPECT_TRUE(IsWindowVisible(window.handle())) << request.name;
    }

    ASSERT_EQ(EndKivHook(), 1);
    for (const auto& request : minimise_requests) {
        request.send(window.handle());
        EXPECT_TRUE(IsIconic(window.handle())) << request.name;
        ShowWindow(window.handle(), SW_RESTORE);
    }
}

TEST_F(Minimise, HonouredAfterEndEvenWhenStartedTwice)
{
    ASSERT_EQ(StartKivHook(), 1);
    ASSERT_EQ(StartKivHook(), 1);
    ASSERT_EQ(EndKivHook(), 1);
    ShowWindow(window.handle(), SW_MINIMIZE);
    EXPECT_TRUE(IsIconic(window.handle())) << "a hook of the first start was left behind";
}

TEST_F(Minimise, MaximiseAndRestoreNeverRefused)
{
    ShowWindow(window.handle(), SW_MINIMIZE);
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
        step.send(window.handle());
        EXPECT_EQ(IsIconic(window.handle()) != FALSE, step.iconic) << step.name;
        EXPECT_EQ(IsZoomed(window.handle()) != FALSE, step.zoomed) << step.name;
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
        request.send(other);
        EXPECT_FALSE(IsIconic(other)) << request.name;
    }

    ASSERT_EQ(EndKivHook(), 1);
    for (const auto& request : remote_minimise_requests) {
        request.send(other);
        EXPECT_TRUE(eventually([other] { return IsIconic(other) != FALSE; })) << request.name;
        ShowWindowAsync(other, SW_RESTORE);
        ASSERT_TRUE(eventually([other] { return !IsIconic(other); })) << request.name;
    }
}

// Another program's CBT hook, installed before the lock's, goes on hearing of every event but
// the refused minimise requests.
class ChainedHook {
public:
    ChainedHook() : hook_(SetWindowsHookExA(WH_CBT, procedure, GetModuleHandleA(nullptr), 0)) {}
    ChainedHook(const ChainedHook&) = delete;
    ChainedHook& operator=(const ChainedHook&) = delete;
    ~ChainedHook() { UnhookWindowsHookEx(hook_); }
    bool installed() const { return hook_ != nullptr; }

    static inline int seen[HCBT_SETFOCUS + 1] = {};

private:
    static LRESULT CALLBACK procedure(int code, WPARAM wparam, LPARAM lparam)
    {
        if (code >= 0 && code <= HCBT_SETFOCUS)
            ++seen[code];
        return CallNextHookEx(nullptr, code, wparam, lparam);
    }
    HHOOK hook_;
};

TEST_F(Minimise, OtherCbtHooksStillHearOfEverythingElse)
{
    const ChainedHook other;
    ASSERT_TRUE(other.installed());
    ASSERT_EQ(StartKivHook(), 1);
    std::fill(std::begin(ChainedHook::seen), std::end(ChainedHook::seen), 0);
    const TestWindow created;
    SetActiveWindow(window.handle());
    SetActiveWindow(created.handle());
    ShowWindow(created.handle(), SW_MINIMIZE);
    EXPECT_FALSE(IsIconic(created.handle()));
    EXPECT_GT(ChainedHook::seen[HCBT_CREATEWND], 0);
    EXPECT_GT(ChainedHook::seen[HCBT_ACTIVATE], 0);
    EXPECT_EQ(ChainedHook::seen[HCBT_MINMAX], 0) << "a refused minimise is not handed on";
}

} // namespace
