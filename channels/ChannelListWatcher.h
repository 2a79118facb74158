#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>

/// Tells when the channel list changed on disk: saved by an editor, replaced by a list
/// install or by our own "Add to My Channels".
///
/// It watches the file and its folder. Many editors save by writing a new file and
/// renaming it over the old one, which ends the watch on the file; the folder's change
/// then brings the path back under watch. A burst of changes (an editor writes, renames
/// and touches) is told once, kDebounceMs after the last.
class ChannelListWatcher : public QObject {
    Q_OBJECT

public:
    /// The quiet time after the last change before changed() is emitted.
    static constexpr int kDebounceMs = 250;

    /// Watches the list at `path`, which need not exist yet.
    explicit ChannelListWatcher(const QString &path, QObject *parent = nullptr);

signals:
    /// The list was written, replaced, made or removed.
    void changed();

private:
    void noticed(bool fileItself);
    void rewatch();
    QString signature() const;

    QString m_path;
    QString m_signature;
    bool m_fileTouched = false;
    QFileSystemWatcher m_watcher;
    QTimer m_debounce;
};
