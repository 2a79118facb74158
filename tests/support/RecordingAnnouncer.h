#pragma once

#include "Announcer.h"
#include "CallLog.h"

/// An announcer that shows nothing and logs "announce(<title>, <message>)".
class RecordingAnnouncer final : public Announcer {
public:
    /// Logs into `log`.
    explicit RecordingAnnouncer(CallLog &log)
        : m_log(log)
    {}

    void announce(const QString &title, const QString &message) override
    {
        m_log.add(QStringLiteral("announce(%1, %2)").arg(title, message));
    }

private:
    CallLog &m_log;
};
