// The login decision.
#include "login.h"

std::optional<int> access_level_for(
    std::string_view entered, std::string_view boss_password, std::string_view follower_password)
{
    // Code page 932 strings are equal exactly when their bytes are.
    if (entered == boss_password)
        return ACCESS_BOSS;
    if (entered == follower_password)
        return ACCESS_FOLLOWER;
    return std::nullopt;
}
