// Which typed passwords end the lock: either stored password, compared byte for byte.
#pragma once

#include <string_view>

class Settings;

// True when `entered` equals the boss or the follower password exactly: same length, same
// bytes, case and width included. Both passwords have the same power here.
bool unlocks(std::string_view entered, const Settings& settings);
