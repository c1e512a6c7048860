// The hooks' own thread: a message loop and the three requests it understands.
#include "hook_thread.h"

#include "kivpx.h"
#include "small_thread.h"

namespace {

// A thread message: renew the hooks.
constexpr UINT WM_RENEW_HOOKS = WM_APP + 1;
// The thread does nothing that waits on others; a bound only against the unforeseen.
constexpr DWORD HOOK_THREAD_WAIT_MS = 2000;

} // namespace

// The thread's handle is let go at once: the thread says when it has done what it was asked,
// its end included, so the program holds no handle for it while locked.
void HookThread::start()
{
    if (thread_id_)
        return;
    const unsigned before = answered();
    // The hook procedures compare a few integers.
    const OwnedHandle thread = start_small_thread(run, this, &thread_id_);
    if (!thread)
        thread_id_ = 0;
    else
        wait_for_answer(before);
}

void HookThread::renew()
{
    const unsigned before = answered();
    if (thread_id_ && PostThreadMessageA(thread_id_, WM_RENEW_HOOKS, 0, 0))
        wait_for_answer(before);
}

void HookThread::stop()
{
    if (!thread_id_)
        return;
    const unsigned before = answered();
    if (PostThreadMessageA(thread_id_, WM_QUIT, 0, 0))
        wait_for_answer(before);
    thread_id_ = 0;
}

unsigned HookThread::answered() const
{
    const ExclusiveLock lock(lock_);
    return answered_;
}

void HookThread::wait_for_answer(unsigned before) const
{
    const ULONGLONG give_up = GetTickCount64() + HOOK_THREAD_WAIT_MS;
    const ExclusiveLock lock(lock_);
    while (answered_ == before) {
        const ULONGLONG now = GetTickCount64();
        if (now >= give_up)
            return;
        SleepConditionVariableSRW(&answered_changed_, &lock_, static_cast<DWORD>(give_up - now), 0);
    }
}

void HookThread::answer()
{
    const ExclusiveLock lock(lock_);
    ++answered_;
    WakeAllConditionVariable(&answered_changed_);
}

DWORD WINAPI HookThread::run(void* self)
{
    static_cast<HookThread*>(self)->answer_hooks();
    return 0;
}

void HookThread::answer_hooks()
{
    // The queue must exist before anyone posts to it.
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
    key_hook_.install();
    minimise_hook_ = StartKivHook() != 0;
    answer();
    // The hooks are called from within GetMessageA.
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (message.hwnd == nullptr && message.message == WM_RENEW_HOOKS) {
            key_hook_.renew();
            if (!minimise_hook_)
                minimise_hook_ = StartKivHook() != 0;
            answer();
        }
    }
    if (minimise_hook_)
        EndKivHook();
    minimise_hook_ = false;
    key_hook_.remove();
    // The last thing it touches of this object.
    answer();
}
