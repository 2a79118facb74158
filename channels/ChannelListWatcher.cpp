#include "ChannelListWatcher.h"

#include <QDateTime>
#include <QFileInfo>

ChannelListWatcher::ChannelListWatcher(const QString &path, QObject *parent)
    : QObject(parent)
    , m_path(QFileInfo(path).absoluteFilePath())
{
    m_debounce.setSingleShot(true);
    m_debounce.setInterval(kDebounceMs);
    connect(&m_debounce, &QTimer::timeout, this, [this] {
        rewatch();
        QString now = signature();
        const bool differs = m_fileTouched || now != m_signature;
        m_fileTouched = false;
        m_signature = std::move(now);
        if (differs) {
            emit changed();
        }
    });
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, [this] { noticed(true); });
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, [this] { noticed(false); });
    m_watcher.addPath(QFileInfo(m_path).absolutePath());
    rewatch();
    m_signature = signature();
}

void ChannelListWatcher::noticed(bool fileItself)
{
    m_fileTouched = m_fileTouched || fileItself;
    // The path comes back under watch at once, so that a write right after a rename is
    // not missed; the signal waits for the burst to end.
    rewatch();
    m_debounce.start();
}

void ChannelListWatcher::rewatch()
{
    if (!m_watcher.files().contains(m_path) && QFileInfo::exists(m_path)) {
        m_watcher.addPath(m_path);
    }
}

// What tells one state of the file from another when the folder reports a change.
QString ChannelListWatcher::signature() const
{
    const QFileInfo info(m_path);
    if (!info.exists()) {
        return {};
    }
    return QStringLiteral("%1 %2 %3")
        .arg(info.size())
        .arg(info.lastModified().toMSecsSinceEpoch())
        .arg(info.metadataChangeTime().toMSecsSinceEpoch());
}
