// The shell's windows that a lock takes away: the taskbar, the taskbars of other screens and
// the desktop window. A window carries a mark for as long as it is taken, so that if the
// program ends without handing it back, its next start can.
#pragma once

#include <windows.h>

#include <vector>

// The first of each, as a shell has one.
HWND find_taskbar();
HWND find_desktop_window();
// Every top-level one: the main taskbar, the taskbars of other screens, and any a restarting
// shell may have left beside a new one; every window that holds the desktop's icon view.
std::vector<HWND> find_taskbars();
std::vector<HWND> find_desktop_windows();

void hide_taskbar(HWND taskbar);
void show_taskbar(HWND taskbar);
void disable_desktop(HWND desktop);
void enable_desktop(HWND desktop);

// Hands back every shell window that still carries the mark, and ends the screen saver that
// the same lock said was running. Only for a program that knows no copy of itself is locked.
// True when there was one.
bool hand_back_taken_windows();
