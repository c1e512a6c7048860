// The bar window: its class, its creation and its window procedure, which decides between
// the program's states (resident in the tray, locked, ended).
#pragma once

#include <windows.h>

// Runs once, shortly after the window exists: measures the bar, then maybe locks.
inline constexpr UINT_PTR TIMER_LAYOUT = 232;
inline constexpr UINT LAYOUT_DELAY_MS = 200;
inline constexpr UINT_PTR TIMER_CLOCK = 231;
inline constexpr UINT CLOCK_PERIOD_MS = 5000;
// Runs while a press is held on the logo; when the hold has lasted, the password dialog opens.
inline constexpr UINT_PTR TIMER_LOGO_HOLD = 233;
// What the tray icon reports through; lParam is the mouse message.
inline constexpr UINT WM_TRAYNOTIFY = WM_USER + 147;
inline constexpr UINT TRAY_ICON_ID = 1;

bool register_bar_class(HINSTANCE instance, const char* class_name);
bool create_bar_window(HINSTANCE instance, const char* class_name, int show_command);
LRESULT CALLBACK bar_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
// The one-time layout of the bar: clock, then buttons, in the client area it has now.
void layout_bar(HWND window);
// The only way out: desktop handed back, tray icon removed, mutex released, loop ended.
void exit_program();
