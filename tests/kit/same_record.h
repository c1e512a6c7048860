// Whether two settings records, or two entries, hold the same values (the file path aside).
#pragma once

#include "settings.h"

// Found by argument-dependent lookup, so it has to live beside SoftwareEntry.
inline bool operator==(const SoftwareEntry& left, const SoftwareEntry& right)
{
    return left.is_separator == right.is_separator && left.label == right.label && left.program == right.program;
}

inline bool same_record(const Settings& a, const Settings& b)
{
    return a.lock_at_startup == b.lock_at_startup && a.boss_password == b.boss_password &&
        a.follower_password == b.follower_password && a.main_label == b.main_label &&
        a.main_program == b.main_program && a.entries == b.entries;
}
