// What the settings-tool tests add to program_driver.h: message boxes and dialogs told apart
// by their controls, control texts read across processes, and a thread's keyboard focus.
#pragma once

#include <windows.h>

#include <string>

#include "program_driver.h"

// A message box of the process: a "#32770" window with its text in the static 0xFFFF; null
// when there is none.
HWND find_message_box(DWORD process_id);
// The message box of the process once it is on the screen; null when none came in time.
HWND wait_for_shown_message_box(DWORD process_id, DWORD timeout_ms = WAIT_MS);

// A visible dialog of the process, other than a message box, that has a control `id` and, when
// `without` is given, no control `without`; null when none.
HWND find_dialog_with(DWORD process_id, int id, int without = 0);

// The text of a control of any process. An edit keeps its text to itself, so this asks the
// control (WM_GETTEXT, which is carried across processes with its buffer).
std::string control_text(HWND control);

// The keyboard focus of the thread that owns `window`.
HWND focus_of(HWND window);
