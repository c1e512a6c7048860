// The hooks' own thread: a message loop and the three requests it understands.
#include "hook_thread.h"

#include "kivpx.h"

namespace {

// A thread message: renew the hooks.
constexpr UINT WM_RENEW_HOOKS = WM_APP + 1;
// The thread does nothing that waits on others; a bound only against the unforeseen.
constexpr DWORD HOOK_THREAD_WAIT_MS = 2000;

} // namespace

void HookThread::start()
{
    if (thread_)
        return;
    done_.reset(CreateEventA(nullptr, FALSE, FALSE, nullptr));
    thread_.reset(CreateThread(nullptr, 0, run, this, 0, &thread_id_));
    if (thread_)
        wait_until_done();
}

void HookThread::renew()
{
    if (thread_ && PostThreadMessageA(thread_id_, WM_RENEW_HOOKS, 0, 0))
        wait_until_done();
}

void HookThread::stop()
{
    if (!thread_)
        return;
    PostThreadMessageA(thread_id_, WM_QUIT, 0, 0);
    WaitForSingleObject(thread_.get(), HOOK_THREAD_WAIT_MS);
    thread_.reset();
    thread_id_ = 0;
}

void HookThread::wait_until_done() const
{
    WaitForSingleObject(done_.get(), HOOK_THREAD_WAIT_MS);
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
    SetEvent(done_.get());
    // The hooks are called from within GetMessageA.
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (message.hwnd == nullptr && message.message == WM_RENEW_HOOKS) {
            key_hook_.renew();
            if (!minimise_hook_)
                minimise_hook_ = StartKivHook() != 0;
            SetEvent(done_.get());
        }
    }
    if (minimise_hook_)
        EndKivHook();
    minimise_hook_ = false;
    key_hook_.remove();
}
