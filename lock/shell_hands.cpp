// The shell's windows handled on a worker thread, in the order asked.
#include "shell_hands.h"

#include <condition_variable>
#include <deque>
#include <mutex>

#include "scoped_handles.h"
#include "shell_windows.h"

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

struct ShellHands::Queue {
    std::mutex mutex;
    std::condition_variable changed;
    std::deque<Job> waiting;
    // The job the worker is on; a null window when idle.
    Job current{};
    bool worker_running = false;
    bool ending = false;
};

namespace {

DWORD WINAPI work(void* context)
{
    using Shared = std::shared_ptr<ShellHands::Queue>;
    const std::unique_ptr<Shared> shared(static_cast<Shared*>(context));
    ShellHands::Queue& queue = **shared;
    std::unique_lock lock(queue.mutex);
    for (;;) {
        queue.changed.wait(lock, [&] { return !queue.waiting.empty() || queue.ending; });
        if (queue.waiting.empty())
            break;
        queue.current = queue.waiting.front();
        queue.waiting.pop_front();
        lock.unlock();
        perform(queue.current);
        lock.lock();
        queue.current = {};
        queue.changed.notify_all();
    }
    queue.worker_running = false;
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
    if (!queue_)
        return;
    finish(HAND_BACK_WAIT_MS);
    const std::lock_guard lock(queue_->mutex);
    queue_->ending = true;
    queue_->changed.notify_all();
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
        const std::lock_guard lock(queue_->mutex);
        const Job job{window, action};
        if (same_as_last_asked(*queue_, job))
            return;
        if (queue_->worker_running || start_worker()) {
            queue_->waiting.push_back(job);
            queue_->changed.notify_all();
            return;
        }
    }
    // Without a worker, waiting is better than leaving the shell's window as it is.
    perform({window, action});
}

bool ShellHands::start_worker()
{
    auto* context = new std::shared_ptr<Queue>(queue_);
    const OwnedHandle worker(CreateThread(nullptr, 0, work, context, 0, nullptr));
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
    std::unique_lock lock(queue_->mutex);
    return queue_->changed.wait_for(lock, std::chrono::milliseconds(timeout_ms),
        [&] { return !queue_->worker_running || (queue_->waiting.empty() && !queue_->current.window); });
}
