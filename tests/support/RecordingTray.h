#pragma once

#include "CallLog.h"
#include "Tray.h"

/// A tray that logs "tray.add(<icon>, <tip>)", "tray.update(...)" and "tray.remove()".
class RecordingTray final : public Tray {
public:
    /// Logs into `log`.
    explicit RecordingTray(CallLog &log)
        : m_log(log)
    {}

    /// "Idle" or "Playing".
    static QString iconName(Icon icon)
    {
        return icon == Icon::Idle ? QStringLiteral("Idle") : QStringLiteral("Playing");
    }
    void add(Icon icon, const QString &tip) override { log("add", icon, tip); }
    void update(Icon icon, const QString &tip) override { log("update", icon, tip); }
    void remove() override { m_log.add(QStringLiteral("tray.remove()")); }

private:
    void log(const char *call, Icon icon, const QString &tip)
    {
        m_log.add(QStringLiteral("tray.%1(%2, %3)").arg(QLatin1String(call), iconName(icon), tip));
    }

    CallLog &m_log;
};
