// Records through the event log service, by the ANSI API: the strings are the program's own
// code page 932 texts and paths. Every failure is ignored.
#include "event_log.h"

#include "audit_messages.h"

namespace {

// Registered under this name by the installer, with this program's message table.
constexpr char EVENT_SOURCE[] = "Kivel2";

// The message table and the code must agree on every id.
static_assert(MSG_CATEGORY_LOCK == CATEGORY_LOCK && MSG_CATEGORY_START == CATEGORY_START &&
    MSG_CATEGORY_SOFTWARE == CATEGORY_SOFTWARE);
static_assert(MSG_LOCKED == EVENT_LOCKED && MSG_UNLOCKED_BOSS_RESIDENT == EVENT_UNLOCKED_BOSS_RESIDENT &&
    MSG_UNLOCKED_BOSS_EXIT == EVENT_UNLOCKED_BOSS_EXIT &&
    MSG_UNLOCKED_FOLLOWER_RESIDENT == EVENT_UNLOCKED_FOLLOWER_RESIDENT &&
    MSG_UNLOCKED_FOLLOWER_EXIT == EVENT_UNLOCKED_FOLLOWER_EXIT && MSG_BAD_PASSWORD == EVENT_BAD_PASSWORD &&
    MSG_START_FAILED == EVENT_START_FAILED && MSG_LAUNCH_FAILED == EVENT_LAUNCH_FAILED &&
    MSG_WINDOWS_HANDED_BACK == EVENT_WINDOWS_HANDED_BACK);
static_assert(static_cast<WORD>(AuditKind::error) == EVENTLOG_ERROR_TYPE &&
    static_cast<WORD>(AuditKind::warning) == EVENTLOG_WARNING_TYPE &&
    static_cast<WORD>(AuditKind::information) == EVENTLOG_INFORMATION_TYPE);

} // namespace

EventLogSink::~EventLogSink()
{
    if (source_)
        DeregisterEventSource(source_);
}

void EventLogSink::write(const AuditEvent& event)
{
    if (!tried_) {
        tried_ = true;
        source_ = RegisterEventSourceA(nullptr, EVENT_SOURCE);
    }
    if (!source_)
        return;
    std::vector<const char*> strings;
    for (const std::string& text : event.strings)
        strings.push_back(text.c_str());
    ReportEventA(source_, static_cast<WORD>(event.kind), event.category, event.id, nullptr,
        static_cast<WORD>(strings.size()), 0, strings.empty() ? nullptr : strings.data(), nullptr);
}

AuditTrail& audit_trail()
{
    static EventLogSink sink;
    static AuditTrail trail(sink);
    return trail;
}
