// The lock program's state, one of each for the whole process.
#pragma once

#include <windows.h>

#include <shellapi.h>

#include "clock_panel.h"
#include "lock_bar.h"

extern LockBar lock_bar;
extern ClockPanel clock_panel;
// Keeps a second copy out for as long as this process lives.
extern HANDLE instance_mutex;
// The tray icon, in the classic form every shell understands.
extern NOTIFYICONDATAA tray_icon;
