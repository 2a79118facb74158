#pragma once

#include "CallLog.h"
#include "SettingsStore.h"

#include <QMap>

/// A settings store in memory that logs each write as "store.<key>=<value>".
class MemorySettingsStore final : public SettingsStore {
public:
    /// Logs into `log`, when given.
    explicit MemorySettingsStore(CallLog *log = nullptr)
        : m_log(log)
    {}

    bool saveSetting(const QString &app, const QString &section, const QString &key,
                     const QString &value) override
    {
        values.insert(path(app, section, key), value);
        if (m_log) {
            m_log->add(QStringLiteral("store.%1=%2").arg(key, value));
        }
        return true;
    }
    QString getSetting(const QString &app, const QString &section, const QString &key,
                       const QString &defaultValue) const override
    {
        return values.value(path(app, section, key), defaultValue);
    }
    bool deleteSection(const QString &app, const QString &section) override
    {
        values.removeIf([prefix = path(app, section, {})](const auto &it) {
            return it.key().startsWith(prefix);
        });
        return true;
    }

    /// Every stored value, keyed "<app>/<section>/<key>".
    QMap<QString, QString> values;

private:
    static QString path(const QString &app, const QString &section, const QString &key)
    {
        return app + QLatin1Char('/') + section + QLatin1Char('/') + key;
    }

    CallLog *m_log;
};
