// Path rules for byte strings in a double-byte ANSI code page, where the trail byte of a
// character may be 0x5C ("表" is 95 5C), so a 0x5C byte is not always a backslash.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

using LeadBytePredicate = bool (*)(unsigned char byte);

inline constexpr char SETTINGS_FILE_NAME[] = "kiv2.bin";

// Lead bytes of code page 932 (Shift_JIS as Windows has it).
bool is_cp932_lead_byte(unsigned char byte);

// Position of the last backslash that is a character of its own, or npos when there is none.
std::size_t find_last_backslash(std::string_view path, LeadBytePredicate is_lead_byte);

// "kiv2.bin" in the directory of `program_path`: the path cut right after its last backslash
// (the whole path when it has none), then the file name.
std::string settings_file_path_for(std::string_view program_path, LeadBytePredicate is_lead_byte);
