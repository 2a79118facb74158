#pragma once

#include <QList>
#include <QString>

#include <utility>

/// The per-user settings store: text values addressed by application name, section and key.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    /// Stores `value` under `appName`/`section`/`key`; false when it could not be stored.
    virtual bool saveSetting(const QString &appName, const QString &section, const QString &key,
                             const QString &value) = 0;
    /// The value under `appName`/`section`/`key`, or `defaultValue` when there is none.
    virtual QString getSetting(const QString &appName, const QString &section, const QString &key,
                               const QString &defaultValue) const = 0;
    /// Stores all `values` (key, value) under `appName`/`section` as one change: a store
    /// that can replace its contents at once never shows some of them without the others.
    virtual bool saveSettings(const QString &appName, const QString &section,
                              const QList<std::pair<QString, QString>> &values)
    {
        bool saved = true;
        for (const auto &[key, value] : values)
            saved = saveSetting(appName, section, key, value) && saved;
        return saved;
    }
    /// Removes every key of `appName`/`section`; false when it could not be done.
    virtual bool deleteSection(const QString &appName, const QString &section) = 0;

protected:
    SettingsStore() = default;
    SettingsStore(const SettingsStore &) = default;
    SettingsStore &operator=(const SettingsStore &) = default;
};
