#pragma once

#include "Beeper.h"
#include "CallLog.h"

/// A beeper that logs "beep()".
class RecordingBeeper final : public Beeper {
public:
    /// Logs into `log`.
    explicit RecordingBeeper(CallLog &log)
        : m_log(log)
    {}

    void beep() override { m_log.add(QStringLiteral("beep()")); }

private:
    CallLog &m_log;
};
