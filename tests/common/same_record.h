// Whether two settings records hold the same values, the file path aside.
#pragma once

#include "settings.h"

inline bool same_record(const Settings& a, const Settings& b)
{
    if (a.lock_at_startup != b.lock_at_startup || a.boss_password != b.boss_password ||
        a.follower_password != b.follower_password || a.main_label != b.main_label ||
        a.main_program != b.main_program || a.entries.size() != b.entries.size())
        return false;
    for (std::size_t i = 0; i < a.entries.size(); ++i)
        if (a.entries[i].is_separator != b.entries[i].is_separator || a.entries[i].label != b.entries[i].label ||
            a.entries[i].program != b.entries[i].program)
            return false;
    return true;
}
