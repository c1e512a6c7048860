// KivPx.dll: one system-wide CBT hook that refuses every request to minimise a window while it
// is installed. The system maps this library into every GUI process on the desktop, so the hook
// procedure only compares integers and the state below is ordinary per-process data: in every
// process but the installing one only module_instance is ever set.
#include "kivpx.h"

namespace {

HINSTANCE module_instance = nullptr;
HHOOK hook_handle = nullptr;
int kivel_value = 0;
int hooking = 0;

// The high word of lParam is undefined for HCBT_MINMAX: only the show command in the low word
// says what is asked for.
constexpr bool is_minimise_request(LPARAM show_command)
{
    switch (LOWORD(show_command)) {
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE:
    case SW_FORCEMINIMIZE:
        return true;
    default:
        return false;
    }
}
static_assert(is_minimise_request(MAKELPARAM(SW_MINIMIZE, 0xFFFF)) && !is_minimise_request(SW_RESTORE));

// Cancels the minimise requests (nonzero) and hands every other event on: the other CBT hooks
// of the desktop (assistive and window-management tools) must go on hearing of them.
LRESULT CALLBACK cbt_hook_proc(int code, WPARAM wparam, LPARAM lparam)
{
    if (code == HCBT_MINMAX && is_minimise_request(lparam))
        return 1;
    return CallNextHookEx(hook_handle, code, wparam, lparam);
}

} // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD, LPVOID)
{
    // Leaves the hook alone on detach: it belongs to the installing process, and the system
    // removes it when that process ends.
    module_instance = instance;
    return TRUE;
}

extern "C" int WINAPI SetKivel(int value)
{
    kivel_value = value;
    return 0;
}

extern "C" int WINAPI IsHooking()
{
    return hooking;
}

extern "C" int WINAPI StartKivHook()
{
    // A second hook would overwrite the only handle the library keeps, and the first one could
    // then never be removed: minimising would stay blocked after EndKivHook.
    if (hooking)
        return 1;
    hook_handle = SetWindowsHookExA(WH_CBT, cbt_hook_proc, module_instance, 0);
    if (!hook_handle)
        return 0;
    hooking = 1;
    return 1;
}

extern "C" int WINAPI EndKivHook()
{
    if (!UnhookWindowsHookEx(hook_handle))
        return 0;
    // A removed handle may be reused by the system for someone else's hook.
    hook_handle = nullptr;
    hooking = 0;
    return 1;
}
