// empty_hook.dll: the baseline for the cost of KivPx.dll's hook. A system-wide CBT hook built
// and installed the same way, whose procedure does nothing but what every CBT hook must do.
// A second procedure counts the events by code, so that a benchmark can say how many CBT
// events its loop produces; it is never installed while anything is timed.
#include <windows.h>

namespace {

HINSTANCE module_instance = nullptr;
HHOOK hook_handle = nullptr;
// Only ever incremented in the process whose thread raised the events.
long cbt_counts[HCBT_SETFOCUS + 1] = {};

// Like KivPx.dll's procedure, it hands every event on to the next hook; it just never cancels.
LRESULT CALLBACK empty_proc(int code, WPARAM wparam, LPARAM lparam)
{
    return CallNextHookEx(hook_handle, code, wparam, lparam);
}

LRESULT CALLBACK counting_proc(int code, WPARAM wparam, LPARAM lparam)
{
    if (code < 0)
        return CallNextHookEx(hook_handle, code, wparam, lparam);
    if (code <= HCBT_SETFOCUS)
        ++cbt_counts[code];
    return 0;
}

} // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD, LPVOID)
{
    module_instance = instance;
    return TRUE;
}

// 1 on success. `counting` chooses the counting procedure.
extern "C" __declspec(dllexport) int start_empty_hook(int counting)
{
    if (hook_handle)
        return 0;
    hook_handle = SetWindowsHookExA(WH_CBT, counting ? counting_proc : empty_proc, module_instance, 0);
    return hook_handle ? 1 : 0;
}

extern "C" __declspec(dllexport) int end_empty_hook()
{
    if (!hook_handle || !UnhookWindowsHookEx(hook_handle))
        return 0;
    hook_handle = nullptr;
    return 1;
}

// The counts of this process, indexed by HCBT_ code.
extern "C" __declspec(dllexport) const long* empty_hook_counts()
{
    return cbt_counts;
}
