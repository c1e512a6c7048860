// Threads of these programs that only wait for messages or work through a short queue: the
// default stack would only reserve address space (and, on some systems, memory) they never use.
#pragma once

#include <windows.h>

#include "scoped_handles.h"

inline constexpr SIZE_T SMALL_THREAD_STACK_BYTES = 256 * 1024;

// The new thread's handle, empty when it could not be started.
inline OwnedHandle start_small_thread(LPTHREAD_START_ROUTINE run, void* context, DWORD* id = nullptr)
{
    return OwnedHandle(
        CreateThread(nullptr, SMALL_THREAD_STACK_BYTES, run, context, STACK_SIZE_PARAM_IS_A_RESERVATION, id));
}
