// Message boxes of a dialog program: texts from its string table, and the program's title as
// the caption of every box.
#pragma once

#include <windows.h>

#include <string>

// The base name of the running program's file, without directory and extension
// ("C:\Tools\setting.exe" gives "setting").
std::string program_title();

// A message box with an OK button, `icon` (MB_ICONEXCLAMATION, MB_ICONINFORMATION, ...) and
// the program's title as caption; returns what MessageBoxA returns. A question adds its
// buttons to `icon` (MB_YESNO).
int show_text(const std::string& text, UINT icon, HWND owner = nullptr);

// The same with the text of string-table entry `id` of the program.
int show_message(UINT id, UINT icon, HWND owner = nullptr);

// The text of string-table entry `id` of the program; empty when there is none.
std::string string_resource(UINT id);
