// Finding and reading the windows of a program under test, from inside it or from another
// process: only messages whose data Wine and Windows carry across processes (no pointers).
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

inline constexpr DWORD WAIT_MS = 15000;

// Polls `ready` every 20 ms until it holds or `timeout_ms` has passed; whether it held.
bool wait_until(const std::function<bool()>& ready, DWORD timeout_ms = WAIT_MS);

std::string window_text(HWND window);
std::string class_name(HWND window);

// The top-level windows of the process, visible or not.
std::vector<HWND> top_windows(DWORD process_id);

// A message box of the process: a "#32770" window with its text in the static 0xFFFF; null
// when there is none.
HWND find_message_box(DWORD process_id);
std::string message_text(HWND box);

// A visible dialog of the process, other than a message box, that has a control `id` and, when
// `without` is given, no control `without`; null when none.
HWND find_dialog_with(DWORD process_id, int id, int without = 0);

// The keyboard focus of the thread that owns `window`.
HWND focus_of(HWND window);
