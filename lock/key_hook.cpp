// The hook procedure answers from a few integer comparisons and one read of the key state:
// Windows drops a low-level hook that keeps the keyboard waiting.
#include "key_hook.h"

#include <atomic>

#include "escape_keys.h"

static_assert(KEY_ESCAPE == VK_ESCAPE && KEY_LEFT_WIN == VK_LWIN && KEY_RIGHT_WIN == VK_RWIN);
static_assert(KEY_SNAPSHOT == VK_SNAPSHOT && KEY_BROWSER_FIRST == VK_BROWSER_BACK &&
    KEY_BROWSER_LAST == VK_BROWSER_HOME && KEY_LAUNCH_FIRST == VK_LAUNCH_MAIL && KEY_LAUNCH_LAST == VK_LAUNCH_APP2);
static_assert(KEY_FLAG_ALT_DOWN == LLKHF_ALTDOWN && KEY_FLAG_UP == LLKHF_UP);

namespace {

// One per process, like the hook procedure that reads it.
EscapeKeyFilter filter;
// Asked for by other threads, done by the hook procedure, the filter's only user.
std::atomic<bool> forget_requested = false;

// Ctrl and Alt are read from the system, which is right about them: this hook never swallows
// them.
LRESULT CALLBACK key_hook_proc(int code, WPARAM wparam, LPARAM lparam)
{
    if (code == HC_ACTION) {
        if (forget_requested.exchange(false))
            filter.forget_held_keys();
        const auto& key = *reinterpret_cast<const KBDLLHOOKSTRUCT*>(lparam);
        if (filter.swallows(
                {key.vkCode, key.flags, GetAsyncKeyState(VK_CONTROL) < 0, GetAsyncKeyState(VK_MENU) < 0, key.time}))
            return 1;
    }
    return CallNextHookEx(nullptr, code, wparam, lparam);
}

OwnedHook set_hook()
{
    return OwnedHook(SetWindowsHookExA(WH_KEYBOARD_LL, key_hook_proc, GetModuleHandleA(nullptr), 0));
}

} // namespace

void KeyHook::install()
{
    if (hook_)
        return;
    forget_held_keys();
    hook_ = set_hook();
}

void KeyHook::forget_held_keys()
{
    forget_requested = true;
}

void KeyHook::renew()
{
    OwnedHook fresh = set_hook();
    // Should the system refuse a new one, the old one may still be working.
    if (fresh)
        hook_ = std::move(fresh);
}

void KeyHook::remove()
{
    hook_.reset();
}
