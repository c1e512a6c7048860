// Which typed passwords end the lock: either stored password, compared byte for byte.
#pragma once

#include <optional>
#include <string_view>

class Settings;

// Whose password it was. Both have the same power here; the difference is only recorded.
enum class PasswordLevel { follower, boss };

// The level whose stored password equals `entered` exactly (same length, same bytes, case and
// width included), the boss's first when both are the same; none when neither does.
std::optional<PasswordLevel> matching_level(std::string_view entered, const Settings& settings);
