// Where the settings file of a program lies: "kiv2.bin" beside it.
#pragma once

#include <string>
#include <string_view>

#include "ansi_path.h"

inline constexpr char SETTINGS_FILE_NAME[] = "kiv2.bin";

// "kiv2.bin" in the directory of `program_path`: the path cut right after its last backslash
// (the whole path when it has none), then the file name.
std::string settings_file_path_for(std::string_view program_path, LeadBytePredicate is_lead_byte);
