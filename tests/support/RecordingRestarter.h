#pragma once

#include "CallLog.h"
#include "Restarter.h"

/// A restarter that starts nothing and logs "restart.start()" and "restart.close()".
class RecordingRestarter final : public Restarter {
public:
    /// Logs into `log`.
    explicit RecordingRestarter(CallLog &log)
        : m_log(log)
    {}

    /// What startNewInstance() answers.
    bool starts = true;

    bool startNewInstance() override
    {
        m_log.add(QStringLiteral("restart.start()"));
        return starts;
    }
    void closeThisInstance() override { m_log.add(QStringLiteral("restart.close()")); }

private:
    CallLog &m_log;
};
