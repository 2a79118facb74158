#pragma once

#include "CallLog.h"
#include "WindowStacking.h"

/// Window stacking that logs "stack.topmost(<true|false>)".
class RecordingStacking final : public WindowStacking {
public:
    /// Logs into `log`.
    explicit RecordingStacking(CallLog &log)
        : m_log(log)
    {}

    void setTopmost(bool on) override
    {
        m_log.add(on ? QStringLiteral("stack.topmost(true)")
                     : QStringLiteral("stack.topmost(false)"));
    }

private:
    CallLog &m_log;
};
