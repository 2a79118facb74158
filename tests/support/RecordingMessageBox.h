#pragma once

#include "CallLog.h"
#include "MessageBox.h"

/// Message boxes that log "box.information(<title>)" or "box.warning(<title>)" and keep the
/// last text shown.
class RecordingMessageBox final : public MessageBox {
public:
    /// Logs into `log`.
    explicit RecordingMessageBox(CallLog &log)
        : m_log(log)
    {}

    void information(const QString &title, const QString &text) override
    {
        m_log.add(QStringLiteral("box.information(%1)").arg(title));
        lastText = text;
    }
    void warning(const QString &title, const QString &text) override
    {
        m_log.add(QStringLiteral("box.warning(%1)").arg(title));
        lastText = text;
    }

    /// The text of the last box shown.
    QString lastText;

private:
    CallLog &m_log;
};
