// The hook library's four exports. Programs bind them by ordinal only, through KivPx::ordinals:
// 1 SetKivel, 2 IsHooking, 3 StartKivHook, 4 EndKivHook.
#pragma once

#include <windows.h>

extern "C" {
// Stores the value (the lock program's bar window) and always returns 0; nothing reads it.
int WINAPI SetKivel(int value);
// 1 while this process has the minimise-blocking hook installed, else 0.
int WINAPI IsHooking();
// Installs the system-wide hook that refuses minimise requests: 1 on success, 0 on failure.
int WINAPI StartKivHook();
// Removes it again: 1 on success, 0 when there was nothing to remove.
int WINAPI EndKivHook();
}
