// What the lock program records for administrators: which event, of which kind, with which
// texts. Where the records go is up to the sink, the Application event log on Windows.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "password_check.h"

// The event kinds, with the values the event log gives them.
enum class AuditKind : std::uint16_t { error = 1, warning = 2, information = 4 };

// Categories and event ids are messages of the program's message table (audit_messages.mc),
// which holds their texts; an event's `strings` fill its %1, %2, ...
inline constexpr std::uint16_t CATEGORY_LOCK = 1;
inline constexpr std::uint16_t CATEGORY_START = 2;
inline constexpr std::uint16_t CATEGORY_SOFTWARE = 3;

inline constexpr std::uint32_t EVENT_LOCKED = 101;
inline constexpr std::uint32_t EVENT_UNLOCKED_BOSS_RESIDENT = 102;
inline constexpr std::uint32_t EVENT_UNLOCKED_BOSS_EXIT = 103;
inline constexpr std::uint32_t EVENT_UNLOCKED_FOLLOWER_RESIDENT = 104;
inline constexpr std::uint32_t EVENT_UNLOCKED_FOLLOWER_EXIT = 105;
inline constexpr std::uint32_t EVENT_BAD_PASSWORD = 106;
inline constexpr std::uint32_t EVENT_START_FAILED = 107; // %1: the settings file
inline constexpr std::uint32_t EVENT_LAUNCH_FAILED = 108; // %1: the program
inline constexpr std::uint32_t EVENT_WINDOWS_HANDED_BACK = 109;

struct AuditEvent {
    std::uint32_t id;
    AuditKind kind;
    std::uint16_t category;
    std::vector<std::string> strings; // code page 932, as the program holds every text

    bool operator==(const AuditEvent&) const = default;
};

class EventSink {
public:
    virtual ~EventSink() = default;
    // Must neither fail where the caller could notice nor keep it waiting: the lock goes on
    // whether or not the record was kept.
    virtual void write(const AuditEvent& event) = 0;
};

// One call for each thing that happens, at the moment it has happened.
class AuditTrail {
public:
    explicit AuditTrail(EventSink& sink) : sink_(sink) {}

    void locked();
    // `resident`: the program stays in the tray; otherwise it ends.
    void unlocked(PasswordLevel level, bool resident);
    void bad_password();
    // The settings could not be read, so the program did not start.
    void start_failed(const std::string& settings_path);
    void launch_failed(const std::string& program);
    // A copy that ended while locked left the shell's windows taken; this one gave them back.
    void windows_handed_back();

private:
    EventSink& sink_;
};
