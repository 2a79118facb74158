#pragma once

#include "CallLog.h"
#include "SettingsStore.h"

#include <QMap>

/// A settings store in memory that logs each write as "store.<key>=<value>".
class MemorySettingsStore final : public SettingsStore {
public:
    /// Logs into `log`, when given.
    explicit MemorySettingsStore(CallLog *log = nullptr);

    bool saveSetting(const QString &appName, const QString &section, const QString &key,
                     const QString &value) override;
    QString getSetting(const QString &appName, const QString &section, const QString &key,
                       const QString &defaultValue) const override;
    bool deleteSection(const QString &appName, const QString &section) override;

    /// Every stored value, keyed "<appName>/<section>/<key>".
    QMap<QString, QString> values;

private:
    CallLog *m_log;
};
