// The password dialog that ends the lock.
#pragma once

#include <windows.h>

#include "password_check.h"

// How the dialog ended.
inline constexpr INT_PTR RESULT_EXIT = 100; // right password: unlock and end the program
inline constexpr INT_PTR RESULT_RESIDENT = 101; // right password: unlock, stay in the tray
inline constexpr INT_PTR RESULT_BAD_PASSWORD = 102; // neither stored password
inline constexpr INT_PTR RESULT_CANCEL = 103; // Cancel, Esc or the close box

INT_PTR CALLBACK password_dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);

// Whose password ended the dialog the last time it unlocked.
PasswordLevel unlocking_level();
