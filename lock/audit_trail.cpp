// Which record each happening makes.
#include "audit_trail.h"

void AuditTrail::locked()
{
    sink_.write({EVENT_LOCKED, AuditKind::information, CATEGORY_LOCK, {}});
}

// One id for each level and outcome, so that an administrator filters by id alone and the
// whole text comes from the message table.
void AuditTrail::unlocked(PasswordLevel level, bool resident)
{
    const std::uint32_t id = level == PasswordLevel::boss
        ? (resident ? EVENT_UNLOCKED_BOSS_RESIDENT : EVENT_UNLOCKED_BOSS_EXIT)
        : (resident ? EVENT_UNLOCKED_FOLLOWER_RESIDENT : EVENT_UNLOCKED_FOLLOWER_EXIT);
    sink_.write({id, AuditKind::information, CATEGORY_LOCK, {}});
}

void AuditTrail::bad_password()
{
    sink_.write({EVENT_BAD_PASSWORD, AuditKind::warning, CATEGORY_LOCK, {}});
}

void AuditTrail::start_failed(const std::string& settings_path)
{
    sink_.write({EVENT_START_FAILED, AuditKind::error, CATEGORY_START, {settings_path}});
}

void AuditTrail::launch_failed(const std::string& program)
{
    sink_.write({EVENT_LAUNCH_FAILED, AuditKind::warning, CATEGORY_SOFTWARE, {program}});
}

void AuditTrail::windows_handed_back()
{
    sink_.write({EVENT_WINDOWS_HANDED_BACK, AuditKind::warning, CATEGORY_START, {}});
}
