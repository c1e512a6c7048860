// The password that ends the lock.
#include "password_check.h"

#include "settings.h"

std::optional<PasswordLevel> matching_level(std::string_view entered, const Settings& settings)
{
    if (entered == settings.boss_password)
        return PasswordLevel::boss;
    if (entered == settings.follower_password)
        return PasswordLevel::follower;
    return std::nullopt;
}
