// The one login attempt of the settings tool: which access level a typed password grants.
#pragma once

#include <optional>
#include <string_view>

inline constexpr int ACCESS_FOLLOWER = 0; // may only look
inline constexpr int ACCESS_BOSS = 1; // may change and save

// The level whose stored password equals `entered` byte for byte, the boss first; none when
// neither does. Case, full-width against half-width and blanks all count.
std::optional<int> access_level_for(
    std::string_view entered, std::string_view boss_password, std::string_view follower_password);
