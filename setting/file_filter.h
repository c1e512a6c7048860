// The filter of an Open File dialog, written "text|pattern|...||" and handed to the system
// with NUL bytes in place of the bars.
#pragma once

#include <string>
#include <string_view>

#include "ansi_path.h"

// Every "|" that is a character of its own becomes a NUL byte. A "|" byte that is the trail
// byte of a double-byte character ("ポ" is 83 7C) stays.
std::string file_filter(std::string_view written, LeadBytePredicate is_lead_byte);
