// The shell's windows handled on a worker thread, in the order asked.
#include "shell_hands.h"

#include <deque>

#include "scoped_handles.h"
#include "shell_windows.h"
#include "small_thread.h"

namespace {

// At the end of the program, how long the shell has to take its windows back.
constexpr DWORD HAND_BACK_WAIT_MS = 5000;

struct Job {
    HWND window;
    ShellAction action;
};

void perform(const Job& job)
{
    switch (job.action) {
    case ShellAction::hide:
        hide_taskbar(job.window);
        break;
    case ShellAction::show:
        show_taskbar(job.window);
        break;
    case ShellAction::disable:
        disable_desktop(job.window);
        break;
    case ShellAction::enable:
        enable_desktop(job.window);
        break;
    }
}

} // namespace

// The system's slim lock and condition variable hold no kernel handle, so the queue costs the
// program none.
struct ShellHands::Queue {
    SRWLOCK lock = SRWLOCK_INIT;
    CONDITION_VARIABLE changed = CONDITION_VARIABLE_INIT;
    std::deque<Job> waiting;
    // The job the worker is on; a null window when idle.
    Job current{};
    bool worker_running = false;
};

namespace {

DWORD WINAPI work(void* context)
{
    using Shared = std::shared_ptr<ShellHands::Queue>;
    const std::unique_ptr<Shared> shared(static_cast<Shared*>(context));
    ShellHands::Queue& queue = **shared;
    AcquireSRWLockExclusive(&queue.lock);
    // Ends once nothing waits: a locked station is quiet for hours, and the next request
    // starts a worker again.
    while (!queue.waiting.empty()) {
        queue.current = queue.waiting.front();
        queue.waiting.pop_front();
        ReleaseSRWLockExclusive(&queue.lock);
        perform(queue.current);
        AcquireSRWLockExclusive(&queue.lock);
        queue.current = {};
        WakeAllConditionVariable(&queue.changed);
    }
    queue.worker_running = false;
    WakeAllConditionVariable(&queue.changed);
    ReleaseSRWLockExclusive(&queue.lock);
    return 0;
}

bool same_as_last_asked(const ShellHands::Queue& queue, const Job& job)
{
    for (auto waiting = queue.waiting.rbegin(); waiting != queue.waiting.rend(); ++waiting)
        if (waiting->window == job.window)
            return waiting->action == job.action;
    return queue.current.window == job.window && queue.current.action == job.action;
}

} // namespace

ShellHands::~ShellHands()
{
    finish(HAND_BACK_WAIT_MS);
}

void ShellHands::act(HWND window, ShellAction action)
{
    if (GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId()) {
        perform({window, action});
        return;
    }
    if (!queue_)
        queue_ = std::make_shared<Queue>();
    {
        const ExclusiveLock lock(queue_->lock);
        const Job job{window, action};
        if (same_as_last_asked(*queue_, job))
            return;
        if (queue_->worker_running || start_worker()) {
            queue_->waiting.push_back(job);
            WakeAllConditionVariable(&queue_->changed);
            return;
        }
    }
    // Without a worker, waiting is better than leaving the shell's window as it is.
    perform({window, action});
}

bool ShellHands::start_worker()
{
    auto* context = new std::shared_ptr<Queue>(queue_);
    // The worker only makes a few calls into the window manager.
    const OwnedHandle worker = start_small_thread(work, context);
    if (!worker) {
        delete context;
        return false;
    }
    queue_->worker_running = true;
    return true;
}

bool ShellHands::finish(DWORD timeout_ms)
{
    if (!queue_)
        return true;
    const ULONGLONG give_up = GetTickCount64() + timeout_ms;
    const ExclusiveLock lock(queue_->lock);
    for (;;) {
        if (!queue_->worker_running || (queue_->waiting.empty() && !queue_->current.window))
            return true;
        const ULONGLONG now = GetTickCount64();
        if (now >= give_up)
            return false;
        SleepConditionVariableSRW(&queue_->changed, &queue_->lock, static_cast<DWORD>(give_up - now), 0);
    }
}
