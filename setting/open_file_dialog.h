// The standard Open File dialog, as the settings tool uses it to pick a program.
#pragma once

#include <windows.h>

#include <commdlg.h>

#include <optional>
#include <string>

// What the dialog is asked for: owned by `owner`, no initial file name and no default
// extension, the file must exist, no read-only box, `filter` (NUL-separated) and the
// MAX_PATH-byte buffer `path` for the answer.
OPENFILENAMEA open_file_request(HWND owner, const std::string& filter, char (&path)[MAX_PATH]);

// Shows the dialog with `written_filter` ("text|pattern||"); the full path chosen, or none on
// cancel.
std::optional<std::string> ask_open_file(HWND owner, const char* written_filter);
