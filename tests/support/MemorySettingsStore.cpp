#include "MemorySettingsStore.h"

namespace {
QString path(const QString &appName, const QString &section, const QString &key = {}) {
    return appName + QLatin1Char('/') + section + QLatin1Char('/') + key;
}
} // namespace

MemorySettingsStore::MemorySettingsStore(CallLog *log)
    : m_log(log) {}

bool MemorySettingsStore::saveSetting(const QString &appName, const QString &section,
                                      const QString &key, const QString &value) {
    values.insert(path(appName, section, key), value);
    if (m_log) {
        m_log->add(QStringLiteral("store.%1=%2").arg(key, value));
    }
    return true;
}

QString MemorySettingsStore::getSetting(const QString &appName, const QString &section,
                                        const QString &key, const QString &defaultValue) const {
    return values.value(path(appName, section, key), defaultValue);
}

bool MemorySettingsStore::deleteSection(const QString &appName, const QString &section) {
    values.removeIf(
        [prefix = path(appName, section)](const auto &it) { return it.key().startsWith(prefix); });
    return true;
}
