#pragma once

#include "SettingsStore.h"

/// The settings store on disk: one INI file per application, one group per section.
///
/// The file is `<configRoot>/<appName>/settings.ini`. Every call opens the file afresh, so
/// a change written by another running instance is seen at the next read. A file that
/// cannot be read or does not parse cleanly is treated as absent for reading and is never
/// written over: the user keeps it to repair, and the program runs on the defaults.
class IniSettingsStore : public SettingsStore {
public:
    /// A store under `configRoot`; an empty one means the user's configuration folder
    /// ($XDG_CONFIG_HOME, else ~/.config).
    explicit IniSettingsStore(QString configRoot = {});

    /// The file that holds the settings of `appName`.
    QString filePath(const QString &appName) const;

    // SettingsStore: false from a write or delete means the file was left as it was.
    bool saveSetting(const QString &appName, const QString &section, const QString &key,
                     const QString &value) override;
    bool saveSettings(const QString &appName, const QString &section,
                      const QList<std::pair<QString, QString>> &values) override;
    QString getSetting(const QString &appName, const QString &section, const QString &key,
                       const QString &defaultValue) const override;
    bool deleteSection(const QString &appName, const QString &section) override;

private:
    QString m_configRoot;
};
