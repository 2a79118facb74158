#include "ChannelsFixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

ChannelsFixture::ChannelsFixture()
    : programFolder(dir.filePath(QStringLiteral("program")))
    , listPath(programFolder + QStringLiteral("/Mine Kanaler.ini"))
{
    QDir().mkpath(programFolder);
    menu = std::make_unique<ChannelMenu>(listPath, *transport, editor);
    presets = std::make_unique<Presets>(store, *state, *engine, *transport, clock, beeper);
    drops = std::make_unique<DropHandler>(listPath, *engine, *state, *settings, *view, *tray, files,
                                          restarter, messages);
    localMedia = std::make_unique<LocalMedia>(*engine, *state, *view, *tray, dialogs);
    exporter = std::make_unique<ChannelExport>(listPath, dialogs, files);
}

ChannelsFixture::~ChannelsFixture() = default;

QString ChannelsFixture::path(const QString &relative) const
{
    return dir.filePath(relative);
}

bool ChannelsFixture::write(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

std::optional<QByteArray> ChannelsFixture::read(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    return file.readAll();
}

QStringList ChannelsFixture::filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}
