// What KivPx.dll's system-wide CBT hook costs the other programs on the desktop: CBT events
// per second in this process while another process holds no hook, the empty baseline hook of
// empty_hook.dll, or KivPx.dll's hook, in interleaved rounds.
//
//   hook_bench                  runs the benchmark
//   hook_bench host PARENT_PID  (internal) holds the hook the parent asks for
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "kivpx.h"
#include "measure.h"
#include "program_driver.h"
#include "scoped_handles.h"

namespace {

enum class Hook { NONE, EMPTY, KIVPX, COUNTING };

struct HookName {
    Hook hook;
    const char* name;
};
constexpr HookName HOOK_NAMES[] = {
    {Hook::NONE, "none"}, {Hook::EMPTY, "empty"}, {Hook::KIVPX, "KivPx"}, {Hook::COUNTING, "counting"}};
// Indexed by Hook: the host and the benchmark name their events in this order.
static_assert(HOOK_NAMES[static_cast<int>(Hook::COUNTING)].hook == Hook::COUNTING);

const char* name_of(Hook hook)
{
    return HOOK_NAMES[static_cast<std::size_t>(hook)].name;
}

constexpr char EMPTY_HOOK_DLL[] = "empty_hook.dll";
constexpr DWORD HOST_WAIT_MS = 20000;
// A host whose parent has gone without a word removes its hook after this long.
constexpr DWORD HOST_IDLE_MS = 120000;
constexpr int ROUNDS = 61;
// Each timed run should last about this long: short, so that many pairs fit.
constexpr double RUN_MS = 100;
constexpr double TARGET_RATIO = 0.95;
constexpr long MINMAX_EVERY = 4;

std::string event_name(const char* what, DWORD parent)
{
    return std::string("KivelBenchHook") + what + "-" + std::to_string(parent);
}

using StartEmptyHook = int (*)(int counting);
using EndEmptyHook = int (*)();
using EmptyHookCounts = const long* (*)();

template <typename Function> Function function_of(HMODULE module, const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// The host side: holds at most one hook, switches to the one the parent asks for through its
// events, says so through "Ready", and removes its hook when told to quit (or left alone).
int run_host(DWORD parent)
{
    const HMODULE empty_hook = LoadLibraryA(EMPTY_HOOK_DLL);
    const auto start_empty = function_of<StartEmptyHook>(empty_hook, "start_empty_hook");
    const auto end_empty = function_of<EndEmptyHook>(empty_hook, "end_empty_hook");
    const OwnedHandle ready(OpenEventA(EVENT_MODIFY_STATE, FALSE, event_name("Ready", parent).c_str()));
    std::vector<OwnedHandle> commands;
    for (const HookName& entry : HOOK_NAMES)
        commands.emplace_back(OpenEventA(SYNCHRONIZE, FALSE, event_name(entry.name, parent).c_str()));
    commands.emplace_back(OpenEventA(SYNCHRONIZE, FALSE, event_name("Quit", parent).c_str()));
    std::vector<HANDLE> waits;
    for (const OwnedHandle& command : commands)
        waits.push_back(command.get());
    if (!start_empty || !end_empty || !ready || std::find(waits.begin(), waits.end(), nullptr) != waits.end())
        return 1;

    Hook held = Hook::NONE;
    const auto release = [&] {
        const bool ended = held == Hook::NONE || (held == Hook::KIVPX ? EndKivHook() : end_empty()) == 1;
        held = Hook::NONE;
        return ended;
    };
    for (;;) {
        SetEvent(ready.get());
        const DWORD signalled =
            WaitForMultipleObjects(static_cast<DWORD>(waits.size()), waits.data(), FALSE, HOST_IDLE_MS);
        const std::size_t index = signalled - WAIT_OBJECT_0;
        if (index >= std::size(HOOK_NAMES))
            return release() ? 0 : 1;
        if (!release())
            return 1;
        const Hook wanted = HOOK_NAMES[index].hook;
        if (wanted == Hook::KIVPX && StartKivHook() != 1)
            return 1;
        if ((wanted == Hook::EMPTY || wanted == Hook::COUNTING) && start_empty(wanted == Hook::COUNTING) != 1)
            return 1;
        held = wanted;
    }
}

void pump_messages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&message);
}

// Wine tells a thread that another process set or removed a hook when the thread next takes a
// message from its queue; a message posted to itself makes sure there is one.
void notice_hook_changes()
{
    PostThreadMessageA(GetCurrentThreadId(), WM_NULL, 0, 0);
    pump_messages();
}

// The host process, switched between hooks on request.
class HookHost {
public:
    HookHost()
    {
        const DWORD self = GetCurrentProcessId();
        ready_.reset(CreateEventA(nullptr, TRUE, FALSE, event_name("Ready", self).c_str()));
        for (const HookName& entry : HOOK_NAMES)
            commands_.emplace_back(CreateEventA(nullptr, FALSE, FALSE, event_name(entry.name, self).c_str()));
        quit_.reset(CreateEventA(nullptr, FALSE, FALSE, event_name("Quit", self).c_str()));
        program_ = std::make_unique<RunningProgram>(directory_of_this_program() + "\\hook_bench.exe",
            directory_of_this_program(), "host " + std::to_string(self));
        started_ = program_->started() && wait_ready();
    }
    HookHost(const HookHost&) = delete;
    HookHost& operator=(const HookHost&) = delete;
    // Ends the host through its event, so that it removes the hook itself: Wine keeps the hook
    // of a killed process working in the others.
    ~HookHost()
    {
        SetEvent(quit_.get());
        program_->exit_code(HOST_WAIT_MS);
        notice_hook_changes();
    }

    // True once the host holds `hook` (and nothing else) and this thread knows.
    bool use(Hook hook)
    {
        if (!started_)
            return false;
        ResetEvent(ready_.get());
        SetEvent(commands_[static_cast<std::size_t>(hook)].get());
        const bool switched = wait_ready();
        notice_hook_changes();
        return switched;
    }

private:
    bool wait_ready()
    {
        return wait_until(
                   [&] { return WaitForSingleObject(ready_.get(), 0) == WAIT_OBJECT_0 || !program_->is_running(); },
                   HOST_WAIT_MS) &&
            program_->is_running();
    }

    OwnedHandle ready_;
    std::vector<OwnedHandle> commands_;
    OwnedHandle quit_;
    std::unique_ptr<RunningProgram> program_;
    bool started_ = false;
};

// Two hidden windows of this thread, the first with two child windows. The loop moves, hides
// and shows, focuses, creates and destroys the children, activates the windows and, less often
// because it is slow on Wine, maximises and restores a child: the things a CBT hook is told
// about. Hidden windows and children keep the X server out, so that the loop measures the hooks
// rather than the display. Minimising is left out: KivPx.dll refuses it, which would make its
// runs do less work than the others.
class Workload {
public:
    Workload()
    {
        WNDCLASSA window_class{};
        window_class.lpfnWndProc = DefWindowProcA;
        window_class.hInstance = GetModuleHandleA(nullptr);
        window_class.lpszClassName = "KivelHookBench";
        RegisterClassA(&window_class);
        for (OwnedWindow* window : {&top_, &other_})
            window->reset(CreateWindowExA(0, window_class.lpszClassName, "hook bench", WS_OVERLAPPEDWINDOW, 40, 40, 400,
                300, nullptr, nullptr, window_class.hInstance, nullptr));
        for (OwnedWindow* child : {&first_, &second_})
            child->reset(CreateWindowExA(0, window_class.lpszClassName, "child",
                WS_CHILD | WS_VISIBLE | WS_CAPTION | WS_THICKFRAME | WS_MAXIMIZEBOX, 10, 10, 150, 100, top_.get(),
                nullptr, window_class.hInstance, nullptr));
        pump_messages();
    }

    bool created() const { return top_ && other_ && first_ && second_; }

    void run(long iterations)
    {
        HWND top = top_.get(), other = other_.get(), first = first_.get(), second = second_.get();
        for (long i = 0; i < iterations; ++i) {
            SetWindowPos(first, nullptr, 10 + (i & 1) * 8, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            ShowWindow(second, SW_HIDE);
            ShowWindow(second, SW_SHOW);
            SetActiveWindow(other);
            SetActiveWindow(top);
            SetFocus(first);
            SetFocus(second);
            DestroyWindow(
                CreateWindowExA(0, "KivelHookBench", "", WS_CHILD, 0, 0, 10, 10, top, nullptr, nullptr, nullptr));
            if (i % MINMAX_EVERY == 0) {
                ShowWindow(first, SW_MAXIMIZE);
                ShowWindow(first, SW_RESTORE);
            }
            pump_messages();
        }
    }

    // Iterations per second.
    double rate(long iterations)
    {
        run(iterations / 10 + 1);
        const Stopwatch watch;
        run(iterations);
        return iterations * 1000.0 / watch.elapsed_ms();
    }

    // Whether a minimise is refused now, as it is while KivPx.dll's hook is on.
    bool minimise_refused()
    {
        ShowWindow(first_.get(), SW_MINIMIZE);
        const bool refused = !IsIconic(first_.get());
        ShowWindow(first_.get(), SW_RESTORE);
        return refused;
    }

private:
    OwnedWindow top_;
    OwnedWindow other_;
    OwnedWindow first_;
    OwnedWindow second_;
};

// CBT events per iteration of the loop, by code, counted by the counting hook.
double events_per_iteration(Workload& work, long iterations, HookHost& host)
{
    const auto counts_of = function_of<EmptyHookCounts>(GetModuleHandleA(EMPTY_HOOK_DLL), "empty_hook_counts");
    if (!counts_of || !host.use(Hook::COUNTING))
        return 0;
    const long* counts = counts_of();
    const std::vector<long> before(counts, counts + HCBT_SETFOCUS + 1);
    work.run(iterations);
    const char* code_names[] = {"MOVESIZE", "MINMAX", "QS", "CREATEWND", "DESTROYWND", "ACTIVATE", "CLICKSKIPPED",
        "KEYSKIPPED", "SYSCOMMAND", "SETFOCUS"};
    long total = 0;
    std::string by_code;
    for (int code = 0; code <= HCBT_SETFOCUS; ++code) {
        const long seen = counts[code] - before[static_cast<std::size_t>(code)];
        total += seen;
        if (seen > 0) {
            char part[64];
            std::snprintf(part, sizeof part, "%s%s %.2f", by_code.empty() ? "" : ", ", code_names[code],
                static_cast<double>(seen) / static_cast<double>(iterations));
            by_code += part;
        }
    }
    const double per_iteration = static_cast<double>(total) / static_cast<double>(iterations);
    report_info("hook loop: %.2f CBT events per iteration (%s), counted over %ld iterations", per_iteration,
        by_code.c_str(), iterations);
    return per_iteration;
}

int run_benchmark()
{
    // Mapped here once, as the system keeps a hook's library mapped in every process it hooks;
    // KivPx.dll is mapped through this program's imports.
    if (!LoadLibraryA(EMPTY_HOOK_DLL)) {
        std::printf("error hook: %s not found\n", EMPTY_HOOK_DLL);
        return 1;
    }
    Workload work;
    HookHost host;
    if (!work.created() || !host.use(Hook::NONE)) {
        std::printf("error hook: no windows, or no host process\n");
        return 1;
    }

    // As many iterations as make one run of about RUN_MS without a hook.
    const double probe_rate = work.rate(100);
    const long iterations = static_cast<long>(probe_rate * RUN_MS / 1000.0) + 1;
    const double per_iteration = events_per_iteration(work, iterations * 2, host);
    if (per_iteration <= 0) {
        std::printf("error hook: the counting hook saw no CBT events in this process\n");
        return 1;
    }

    std::vector<double> rates[3];
    std::vector<double> kivpx_to_empty, empty_to_none;
    for (int round = 0; round < ROUNDS; ++round) {
        // A B C, then C B A: neither hook always runs right after the other.
        Hook order[] = {Hook::NONE, Hook::EMPTY, Hook::KIVPX};
        if (round % 2)
            std::swap(order[0], order[2]);
        double rate[3] = {};
        for (Hook hook : order) {
            if (!host.use(hook)) {
                std::printf("error hook: the host could not switch to the %s hook\n", name_of(hook));
                return 1;
            }
            if (hook == Hook::KIVPX && !work.minimise_refused()) {
                std::printf("error hook: KivPx.dll's hook does not reach this process\n");
                return 1;
            }
            const auto index = static_cast<std::size_t>(hook);
            rate[index] = work.rate(iterations) * per_iteration;
            rates[index].push_back(rate[index]);
        }
        kivpx_to_empty.push_back(rate[2] / rate[1]);
        empty_to_none.push_back(rate[1] / rate[0]);
    }
    host.use(Hook::NONE);

    report_info("hook runs: %d rounds of none, empty and KivPx, alternately in forward and reverse order, %ld "
                "iterations (about %.0f ms) each",
        ROUNDS, iterations, RUN_MS);
    for (Hook hook : {Hook::NONE, Hook::EMPTY, Hook::KIVPX}) {
        const Spread spread = spread_of(rates[static_cast<std::size_t>(hook)]);
        report_info(
            "hook %s: %.0f CBT events/s median (IQR %.0f-%.0f)", name_of(hook), spread.median, spread.q1, spread.q3);
    }
    report_info("hook empty / none: %.3f (median of paired rounds; what any global CBT hook costs on Wine)",
        median_of(empty_to_none));
    const Spread ratio = spread_of(kivpx_to_empty);
    report_info(
        "hook KivPx / empty per round: IQR %.3f-%.3f, min %.3f, max %.3f", ratio.q1, ratio.q3, ratio.min, ratio.max);
    const double best_empty = spread_of(rates[1]).max, best_kivpx = spread_of(rates[2]).max;
    report_info("hook KivPx / empty, best run of each: %.3f (the least disturbed runs, as a cross-check)",
        best_kivpx / best_empty);
    report_target("hook KivPx / empty, CBT events per second (median of paired rounds)", ratio.median, "",
        Goal::AT_LEAST, TARGET_RATIO);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "host") == 0)
        return run_host(std::strtoul(argv[2], nullptr, 10));
    return run_benchmark();
}
