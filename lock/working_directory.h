// The directory a registered program is started in: the one it lives in.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "ansi_path.h"

// The path up to, not including, its last backslash ("D:\Tools\app.exe" -> "D:\Tools",
// "D:\app.exe" -> "D:"); none for a bare file name, which the shell then looks up itself.
std::optional<std::string> working_directory_for(std::string_view program, LeadBytePredicate is_lead_byte);
