// The lock program's records, kept in the Windows Application log under the source "Kivel2".
#pragma once

#include <windows.h>

#include "audit_trail.h"

class EventLogSink : public EventSink {
public:
    EventLogSink() = default;
    EventLogSink(const EventLogSink&) = delete;
    EventLogSink& operator=(const EventLogSink&) = delete;
    ~EventLogSink() override;

    // The source is opened at the first record only, and tried once: a log that cannot be
    // reached costs the lock nothing after that.
    void write(const AuditEvent& event) override;

private:
    HANDLE source_ = nullptr;
    bool tried_ = false;
};

// The program's one trail, writing to the Application log.
AuditTrail& audit_trail();
