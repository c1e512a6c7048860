// The thread that holds the locked station's two hooks, the keyboard hook and the hook
// library's minimise hook, and does nothing but answer them. Windows calls a low-level keyboard
// hook on the thread that installed it, and answers a global CBT hook for every 32-bit program
// there too; it lets keys through, and may drop the hook, when that thread is slow. The bar's
// thread waits on message boxes, dialogs and other programs, so the hooks live here instead.
#pragma once

#include <windows.h>

#include "key_hook.h"
#include "scoped_handles.h"

class HookThread {
public:
    HookThread() = default;
    HookThread(const HookThread&) = delete;
    HookThread& operator=(const HookThread&) = delete;
    ~HookThread() { stop(); }

    // Starts the thread, which puts in the keyboard hook first, then the minimise hook; returns
    // once both were tried. Nothing happens when it runs already.
    void start();
    // A fresh keyboard hook in place of one the system may have dropped, and the minimise hook
    // tried again if it could not be put in; returns once done.
    void renew();
    // The minimise hook out, then the keyboard hook, and the thread ends.
    void stop();
    // The next keystroke finds no Windows key held.
    void forget_held_keys() { key_hook_.forget_held_keys(); }

    bool key_hook_installed() const { return key_hook_.installed(); }
    HHOOK key_hook_handle() const { return key_hook_.handle(); }

private:
    static DWORD WINAPI run(void* self);
    void answer_hooks();
    // How many requests the thread has answered so far.
    unsigned answered() const;
    // Waits until the thread has answered more than `before`, bounded: it never waits on anyone.
    void wait_for_answer(unsigned before) const;
    // Called by the thread when it has done what it was asked, its end included.
    void answer();

    // Zero when the thread is not running.
    DWORD thread_id_ = 0;
    // The system's slim lock and condition variable hold no kernel handle.
    mutable SRWLOCK lock_ = SRWLOCK_INIT;
    mutable CONDITION_VARIABLE answered_changed_ = CONDITION_VARIABLE_INIT;
    unsigned answered_ = 0;
    // Touched by the thread only while it runs, by the others only before or after.
    KeyHook key_hook_;
    bool minimise_hook_ = false;
};
