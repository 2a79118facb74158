#pragma once

#include "HeardSong.h"
#include "SongLog.h"

#include <QLatin1StringView>
#include <QList>
#include <QObject>
#include <QSqlError>
#include <QString>

#include <optional>

class MessageBox;

/// The song history in an SQLite file (through Qt SQL), with write-ahead logging, so that
/// a crash at any moment leaves a whole database holding every song already begun.
///
/// A file that cannot be opened or is damaged is moved aside under a dated name and a new
/// one started; a folder or disk that cannot be written pauses the history. Either way the
/// listener is told once, and playback goes on.
class HistoryDatabase : public QObject, public SongLog {
    Q_OBJECT

public:
    /// The history's file name in the data folder.
    static constexpr QLatin1StringView kFileName{"history.sqlite"};
    /// The schema this program writes (PRAGMA user_version).
    static constexpr int kSchemaVersion = 1;
    /// The message boxes' title.
    static constexpr QLatin1StringView kMessageTitle{
        QT_TRANSLATE_NOOP("HistoryDatabase", "Song history")};

    /// Which songs a listing shows.
    struct View {
        QString filter;           ///< words to find in the artist, title or channel
        bool starredOnly = false; ///< only the starred songs
    };

    /// A history at `path`, telling problems through `messages` (which must outlive it);
    /// nothing is opened before open().
    HistoryDatabase(QString path, MessageBox &messages, QObject *parent = nullptr);
    ~HistoryDatabase() override;

    /// Opens the file, creating or upgrading it; false when the history is paused.
    bool open();
    /// The file's full path.
    QString path() const { return m_path; }
    /// True when nothing is written (the file or folder cannot be written, or a write failed).
    bool isPaused() const { return m_paused; }
    /// Where a damaged file was moved, or empty.
    QString movedAside() const { return m_movedAside; }

    /// Up to `limit` songs of `view`, newest first, after `after` (a song of the previous
    /// page) or from the newest.
    QList<HeardSong> page(const View &view, const std::optional<HeardSong> &after, int limit) const;
    /// Adds `songs` in one transaction (an import, a test's fill); false on failure.
    bool addSongs(const QList<HeardSong> &songs);
    /// Stars or unstars the songs `ids`.
    bool setStarred(const QList<qint64> &ids, bool starred);
    /// Forgets the songs `ids`.
    bool remove(const QList<qint64> &ids);
    /// Forgets every song, starred ones too.
    bool clear();
    /// Forgets the songs that are not starred and started before `cutoff`; how many.
    int prune(const QDateTime &cutoff);

    // SongLog: the recorder's writes; each is one commit.
    std::optional<qint64> begin(const HeardSong &song) override;
    void finish(qint64 id, const QDateTime &ended) override;
    void discard(qint64 id) override;
    bool star(qint64 id, bool starred) override;

signals:
    /// Songs were added, changed or forgotten.
    void changed();

private:
    enum class Outcome { Ok, Damaged, Unwritable };
    Outcome tryOpen();
    bool migrate();
    void close();
    bool moveAside();
    /// How many rows the statement changed; nothing when it failed.
    std::optional<int> write(const QString &sql, const QVariantList &values);
    void fail(const QSqlError &error);
    void pause(const QString &why);
    void tell(const QString &text);

    QString m_path;
    MessageBox &m_messages;
    QString m_connection;
    QString m_movedAside;
    bool m_paused = true;
    bool m_told = false;
};
