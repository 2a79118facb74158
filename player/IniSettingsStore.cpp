#include "IniSettingsStore.h"

#include <QByteArrayView>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QSettings>
#include <QStandardPaths>
#include <QStringDecoder>

Q_LOGGING_CATEGORY(lcSettings, "morvena.settings", QtWarningMsg)

namespace {

const QString kFileName = QStringLiteral("settings.ini");

enum class FileState { Missing, Sound, Broken };

// QSettings reads past most lines it cannot make sense of, and its next write would then
// replace the user's file with the part it understood. So before trusting a file we look
// for anything an INI file of ours never holds.
bool looksCorrupt(const QByteArray &bytes)
{
    if (bytes.contains('\0')) {
        return true;
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(bytes);
    if (utf8.hasError()) {
        return true;
    }
    const auto lines = QStringView(text).split(QLatin1Char('\n'));
    return std::any_of(lines.begin(), lines.end(), [](QStringView line) {
        const QStringView trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char(';')) ||
            trimmed.startsWith(QLatin1Char('#'))) {
            return false;
        }
        const bool section =
            trimmed.startsWith(QLatin1Char('[')) && trimmed.endsWith(QLatin1Char(']'));
        return !section && !trimmed.contains(QLatin1Char('='));
    });
}

FileState inspect(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists()) {
        return FileState::Missing;
    }
    QFile file(path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly)) {
        qCWarning(lcSettings) << "cannot read" << path;
        return FileState::Broken;
    }
    if (looksCorrupt(file.readAll())) {
        qCWarning(lcSettings) << "not a settings file, left untouched:" << path;
        return FileState::Broken;
    }
    return FileState::Sound;
}

QString settingsKey(const QString &section, const QString &key)
{
    return section + QLatin1Char('/') + key;
}

} // namespace

IniSettingsStore::IniSettingsStore(QString configRoot)
    : m_configRoot(std::move(configRoot))
{
    if (m_configRoot.isEmpty()) {
        m_configRoot = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    }
}

QString IniSettingsStore::filePath(const QString &appName) const
{
    return m_configRoot + QLatin1Char('/') + appName + QLatin1Char('/') + kFileName;
}

// Each call opens the file anew: QSettings then re-reads a file that another instance has
// changed, and its sync() writes a temporary file and renames it over the old one, under a
// lock file, so a crash or a second instance never leaves half a file behind.
bool IniSettingsStore::saveSetting(const QString &appName, const QString &section,
                                   const QString &key, const QString &value)
{
    return saveSettings(appName, section, {{key, value}});
}

// All values go into one sync, that is one temporary file and one rename: a crash between
// two keys of the same change cannot leave a new URL beside an old title.
bool IniSettingsStore::saveSettings(const QString &appName, const QString &section,
                                    const QList<std::pair<QString, QString>> &values)
{
    const QString path = filePath(appName);
    if (inspect(path) == FileState::Broken) {
        return false;
    }
    QSettings settings(path, QSettings::IniFormat);
    if (settings.status() != QSettings::NoError) {
        return false;
    }
    // Values the file already holds are left alone, and a save that changes nothing
    // writes nothing: the state is saved again at every unload and option change, mostly
    // as it stands, and each write costs two waits for the disk.
    bool changed = false;
    for (const auto &[key, value] : values) {
        const QString name = settingsKey(section, key);
        const QVariant stored = settings.value(name);
        if (stored.typeId() == QMetaType::QString && stored.toString() == value) {
            continue;
        }
        settings.setValue(name, value);
        changed = true;
    }
    if (!changed) {
        return true;
    }
    settings.sync();
    return settings.status() == QSettings::NoError;
}

QString IniSettingsStore::getSetting(const QString &appName, const QString &section,
                                     const QString &key, const QString &defaultValue) const
{
    const QString path = filePath(appName);
    if (inspect(path) != FileState::Sound) {
        return defaultValue;
    }
    const QSettings settings(path, QSettings::IniFormat);
    if (settings.status() != QSettings::NoError) {
        return defaultValue;
    }
    const QVariant value = settings.value(settingsKey(section, key));
    if (!value.isValid()) {
        return defaultValue;
    }
    // We always write quoted text; a hand-edited value with bare commas reads as a list.
    if (value.typeId() == QMetaType::QStringList) {
        return value.toStringList().join(QStringLiteral(", "));
    }
    return value.toString();
}

bool IniSettingsStore::deleteSection(const QString &appName, const QString &section)
{
    const QString path = filePath(appName);
    const FileState state = inspect(path);
    if (state == FileState::Missing) {
        return true;
    }
    if (state == FileState::Broken) {
        return false;
    }
    QSettings settings(path, QSettings::IniFormat);
    settings.remove(section);
    settings.sync();
    return settings.status() == QSettings::NoError;
}
