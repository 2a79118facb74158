#pragma once

#include "CallLog.h"
#include "WarningBox.h"

/// Message boxes that log "message(<title>)" and keep the last text.
class RecordingWarningBox final : public WarningBox {
public:
    /// Logs into `log`.
    explicit RecordingWarningBox(CallLog &log)
        : m_log(log)
    {}

    /// The text of the last box shown.
    QString lastText;

    void warning(const QString &title, const QString &text) override
    {
        lastText = text;
        m_log.add(QStringLiteral("message(%1)").arg(title));
    }

private:
    CallLog &m_log;
};
