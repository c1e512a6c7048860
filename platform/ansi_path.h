// Path rules for byte strings in a double-byte ANSI code page, where the trail byte of a
// character may be 0x5C ("表" is 95 5C), so a 0x5C byte is not always a backslash; and the
// running program's own path, which those rules cut.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

using LeadBytePredicate = bool (*)(unsigned char byte);

// Lead bytes of code page 932 (Shift_JIS as Windows has it).
bool is_cp932_lead_byte(unsigned char byte);

// Position of the last backslash that is a character of its own, or npos when there is none.
std::size_t find_last_backslash(std::string_view path, LeadBytePredicate is_lead_byte);

// One implementation per platform, chosen at link time.
// Full path of the running program's own file; empty when it cannot be had.
std::string program_file_path();
// Whether `byte` starts a two-byte character in the system's ANSI code page.
bool is_ansi_lead_byte(unsigned char value);
