// The password that ends the lock.
#include "password_check.h"

#include "settings.h"

bool unlocks(std::string_view entered, const Settings& settings)
{
    return entered == settings.boss_password || entered == settings.follower_password;
}
