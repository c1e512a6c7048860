// The records of a day at the station, in order: the ids, kinds and categories are what
// administrators filter on in Event Viewer and their scripts, so they are pinned here.
#include <gtest/gtest.h>

#include <vector>

#include "audit_trail.h"

namespace {

class RecordingSink : public EventSink {
public:
    void write(const AuditEvent& event) override { events.push_back(event); }

    std::vector<AuditEvent> events;
};

constexpr auto INFO = AuditKind::information;
constexpr auto WARN = AuditKind::warning;
constexpr auto ERR = AuditKind::error;

TEST(AuditTrail, RecordsEachHappeningWithItsIdKindCategoryAndPath)
{
    RecordingSink sink;
    AuditTrail trail(sink);
    trail.start_failed("C:\\Kivel2\\kiv2.bin");
    trail.windows_handed_back();
    trail.locked();
    trail.bad_password();
    trail.launch_failed("D:\\ソフト\\表.exe");
    trail.unlocked(PasswordLevel::follower, true);
    trail.locked();
    trail.unlocked(PasswordLevel::boss, true);
    trail.locked();
    trail.unlocked(PasswordLevel::follower, false);
    trail.unlocked(PasswordLevel::boss, false);

    const std::vector<AuditEvent> expected = {
        {107, ERR, 2, {"C:\\Kivel2\\kiv2.bin"}},
        {109, WARN, 2, {}},
        {101, INFO, 1, {}},
        {106, WARN, 1, {}},
        {108, WARN, 3, {"D:\\ソフト\\表.exe"}},
        {104, INFO, 1, {}},
        {101, INFO, 1, {}},
        {102, INFO, 1, {}},
        {101, INFO, 1, {}},
        {105, INFO, 1, {}},
        {103, INFO, 1, {}},
    };
    EXPECT_EQ(sink.events, expected);
}

} // namespace
