#include "DropHandler.h"

#include "ChannelsLogging.h"
#include "FileOperations.h"
#include "FormSettings.h"
#include "ItemText.h"
#include "MediaPlayer.h"
#include "MessageBox.h"
#include "Restarter.h"
#include "Transport.h"
#include "Tray.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString curlyQuoted(const QString &text)
{
    return QCoreApplication::translate("DropHandler", "\u201C%1\u201D").arg(text);
}

bool isSameFile(const QString &a, const QString &b)
{
    const QString canonical = QFileInfo(a).canonicalFilePath();
    return !canonical.isEmpty() && canonical == QFileInfo(b).canonicalFilePath();
}

} // namespace

DropHandler::DropHandler(QString listPath, MediaPlayer &engine, Transport &transport,
                         FormSettings &settings, Tray &tray, FileOperations &files,
                         Restarter &restarter, MessageBox &messages)
    : m_listPath(std::move(listPath))
    , m_engine(engine)
    , m_transport(transport)
    , m_settings(settings)
    , m_tray(tray)
    , m_files(files)
    , m_restarter(restarter)
    , m_messages(messages)
{}

QStringList DropHandler::localFiles(const QList<QUrl> &urls)
{
    QStringList files;
    for (const QUrl &url : urls) {
        if (url.isLocalFile() && !url.toLocalFile().isEmpty()) {
            files.append(url.toLocalFile());
        }
    }
    return files;
}

QString DropHandler::fileName(const QString &path)
{
    QString trimmed = QDir::fromNativeSeparators(path);
    // A folder may come with a trailing separator; its name is the part before it.
    while (trimmed.size() > 1 && trimmed.endsWith(QLatin1Char('/'))) {
        trimmed.chop(1);
    }
    return trimmed.mid(trimmed.lastIndexOf(QLatin1Char('/')) + 1);
}

bool DropHandler::isChannelList(const QString &path)
{
    const QString name = fileName(path);
    return name.left(name.indexOf(QLatin1Char('.'))) == kListStem;
}

// Every step goes on past a failure; the last failure is the one reported, at the end.
void DropHandler::Label4Drop(const QStringList &files, ListFile list)
{
    const QString path = files.value(0);
    if (isChannelList(path)) {
        installList(path, list);
        return;
    }
    QString failure;
    const QString name = fileName(path);
    // A name without "." is never a list; it is played all the same, but what it is
    // gets told, since the player may well not know it either.
    if (!name.isEmpty() && !name.contains(QLatin1Char('.'))) {
        failure = QFileInfo(path).isDir()
                      ? tr("%1 is a folder, not a file. It was handed to the player "
                           "as it is.")
                            .arg(curlyQuoted(name))
                      : tr("%1 has no file extension, so it is not known what it "
                           "holds. It was handed to the player as it is.")
                            .arg(curlyQuoted(name));
    }
    play(path, failure);
}

void DropHandler::playLink(const QString &url)
{
    play(url, {});
}

void DropHandler::installList(const QString &path, ListFile list)
{
    // The installed list dropped onto itself: copying it would be pointless and deleting
    // the "source" would lose it. The restart still shows its current entries.
    if (!isSameFile(path, m_listPath)) {
        if (const auto copied = m_files.copyOver(path, m_listPath); !copied) {
            m_messages.warning(kMessageTitle, tr("The dropped channel list was not installed; your "
                                                 "channel list is unchanged.") +
                                                  QStringLiteral("\n\n") + copied.error);
            return;
        }
        if (const auto removed =
                list == ListFile::Move ? m_files.remove(path) : FileOperations::Result{};
            !removed) {
            m_messages.warning(kMessageTitle, tr("The channel list was installed, but the dropped "
                                                 "file could not be removed from its folder.") +
                                                  QStringLiteral("\n\n") + removed.error);
        }
    }
    // The new instance builds its menu from the new list while this one saves and closes;
    // if it cannot start, this one closes all the same, as it always has.
    m_restarter.startNewInstance();
    m_tray.remove();
    m_settings.SaveFormSettings(FormSettings::kAppName);
    m_restarter.closeThisInstance();
}

// Unlike tuning, a dropped item neither stops the engine first nor touches the status
// poll. It becomes the station to remember once the engine plays it, so a bad address never
// replaces the last good one.
void DropHandler::play(const QString &path, QString failure)
{
    if (path.isEmpty()) {
        // Text or a link holds no file: the engine keeps what it plays.
        failure = tr("Only files can be dropped here, and the dropped item is not a "
                     "file. Drop an audio file, a playlist or a channel list named "
                     "\u201CMine Kanaler.ini\u201D.");
    } else {
        m_transport.playItem(itemName(path), path, ChannelSource::Drop, false);
        m_engine.setVolume(m_settings.storedVolume(FormSettings::kAppName));
    }
    m_tray.remove();
    if (!failure.isEmpty()) {
        qCInfo(lcChannels).noquote() << "drop:" << failure;
        m_messages.warning(kMessageTitle, failure);
    }
}
