// Whether this start is a second copy, from what creating the single-instance mutex gave back.
// Plain values, so that the rule builds and is tested without the Windows headers.
#pragma once

// ERROR_ALREADY_EXISTS, as Windows numbers it.
inline constexpr unsigned long MUTEX_ALREADY_EXISTS = 183;

// A mutex that exists but cannot be opened (no handle, access denied to a copy under another
// account, say) is another copy too: going on would hand back the windows that the running,
// locked copy took.
constexpr bool another_copy_runs(bool got_handle, unsigned long last_error)
{
    return !got_handle || last_error == MUTEX_ALREADY_EXISTS;
}
