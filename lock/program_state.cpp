// The objects of the lock program's state, constructed in this order before WinMain and
// destroyed in the reverse order after it: the bar's settings first, the clock after.
#include "program_state.h"

#ifndef _WIN64
static_assert(NOTIFYICONDATAA_V1_SIZE == 88, "the classic tray icon record of 32-bit Windows");
#endif

LockBar lock_bar;
ClockPanel clock_panel;
HANDLE instance_mutex = nullptr;
NOTIFYICONDATAA tray_icon{};
