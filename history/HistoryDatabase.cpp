#include "HistoryDatabase.h"

#include "HistoryLogging.h"
#include "MessageBox.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalBlocker>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTimer>

#include <atomic>

namespace {

// SQLite's primary result codes that mean the file itself is not a sound database.
constexpr int kSqliteCorrupt = 11;
constexpr int kSqliteNotADatabase = 26;

// Each step takes the schema from the version before it to the next; the file's
// user_version says how many have run. Never change a step once released: add one.
const QList<QStringList> kMigrations = {
    {
        QStringLiteral("CREATE TABLE songs (id INTEGER PRIMARY KEY, artist TEXT NOT NULL, "
                       "title TEXT NOT NULL, channel TEXT NOT NULL, url TEXT NOT NULL, "
                       "started INTEGER NOT NULL, ended INTEGER, "
                       "starred INTEGER NOT NULL DEFAULT 0, folded TEXT NOT NULL)"),
        // Newest first, a page at a time; the starred songs alone; the oldest to prune.
        QStringLiteral("CREATE INDEX songs_by_start ON songs (started, id)"),
        QStringLiteral("CREATE INDEX songs_starred ON songs (starred, started, id)"),
    },
};
static_assert(HistoryDatabase::kSchemaVersion == 1, "one migration step per version");

int primaryCode(const QSqlError &error)
{
    return error.nativeErrorCode().toInt() & 0xff;
}

// Filtering ignores case in every script, not only ASCII as SQLite's LIKE would; the
// folded text is kept beside the row so a filter only scans it.
QString folded(const HeardSong &song)
{
    return (song.artist + QLatin1Char('\n') + song.title + QLatin1Char('\n') + song.channel)
        .toCaseFolded();
}

QVariant seconds(const QDateTime &time)
{
    return time.isValid() ? QVariant(time.toSecsSinceEpoch())
                          : QVariant(QMetaType::fromType<qint64>());
}

// A null QString binds as SQL NULL; a stream that names no artist still has a text.
QVariant text(const QString &value)
{
    return value.isNull() ? QVariant(QStringLiteral("")) : QVariant(value);
}

QDateTime timeOf(const QVariant &value)
{
    return value.isNull() ? QDateTime() : QDateTime::fromSecsSinceEpoch(value.toLongLong());
}

std::atomic_int connectionCount{0};

} // namespace

HistoryDatabase::HistoryDatabase(QString path, MessageBox &messages, QObject *parent)
    : QObject(parent)
    , m_path(std::move(path))
    , m_messages(messages)
    , m_connection(QStringLiteral("morvena-history-%1").arg(++connectionCount))
{}

HistoryDatabase::~HistoryDatabase()
{
    close();
}

bool HistoryDatabase::open()
{
    close();
    m_paused = true;
    const QFileInfo file(m_path);
    QDir().mkpath(file.path());
    const QFileInfo folder(file.path());
    if (!folder.isDir() || !folder.isWritable() || (file.exists() && !file.isWritable())) {
        pause(tr("The song history cannot be written in %1, so it is paused.")
                  .arg(QDir::toNativeSeparators(file.path())));
        return false;
    }
    Outcome outcome = tryOpen();
    if (outcome == Outcome::Damaged) {
        close();
        if (!moveAside()) {
            pause(tr("The song history %1 is damaged and could not be moved aside, so it is "
                     "paused.")
                      .arg(QDir::toNativeSeparators(m_path)));
            return false;
        }
        outcome = tryOpen();
        if (outcome == Outcome::Ok) {
            tell(tr("The song history was damaged. It was moved aside as %1 and a new one "
                    "started.")
                     .arg(QDir::toNativeSeparators(m_movedAside)));
        }
    }
    if (outcome != Outcome::Ok) {
        close();
        pause(tr("The song history %1 cannot be opened, so it is paused.")
                  .arg(QDir::toNativeSeparators(m_path)));
        return false;
    }
    m_paused = false;
    return true;
}

HistoryDatabase::Outcome HistoryDatabase::tryOpen()
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    db.setDatabaseName(m_path);
    // A reader (the window) waits for a writer instead of failing.
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=2000"));
    if (!db.open()) {
        qCWarning(lcHistory) << "open:" << db.lastError().text();
        return primaryCode(db.lastError()) == kSqliteNotADatabase ? Outcome::Damaged
                                                                  : Outcome::Unwritable;
    }
    QSqlQuery query(db);
    // quick_check reads every page but skips the index cross-checks: a few tens of
    // milliseconds on a year of listening, once per start.
    if (!query.exec(QStringLiteral("PRAGMA quick_check")) || !query.next()) {
        const int code = primaryCode(query.lastError());
        qCWarning(lcHistory) << "check:" << query.lastError().text();
        return code == kSqliteCorrupt || code == kSqliteNotADatabase ? Outcome::Damaged
                                                                     : Outcome::Unwritable;
    }
    if (query.value(0).toString() != QLatin1String("ok"))
        return Outcome::Damaged;
    // Write-ahead logging: a commit is one append, and a kill at any moment leaves the
    // last commit whole. NORMAL loses nothing to a killed program, only to a power cut.
    if (!query.exec(QStringLiteral("PRAGMA journal_mode=WAL")) || !query.next() ||
        query.value(0).toString() != QLatin1String("wal") ||
        !query.exec(QStringLiteral("PRAGMA synchronous=NORMAL"))) {
        qCWarning(lcHistory) << "journal:" << query.lastError().text();
        return Outcome::Unwritable;
    }
    query.finish();
    return migrate() ? Outcome::Ok : Outcome::Unwritable;
}

bool HistoryDatabase::migrate()
{
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next())
        return false;
    const int version = query.value(0).toInt();
    query.finish();
    if (version > kSchemaVersion) {
        qCWarning(lcHistory) << "schema" << version << "is newer than" << kSchemaVersion;
        return false;
    }
    for (int step = version; step < kSchemaVersion; ++step) {
        db.transaction();
        bool done = true;
        for (const QString &statement : kMigrations.at(step))
            done = done && query.exec(statement);
        // user_version lives in the file's header and commits with the schema it names.
        done = done && query.exec(QStringLiteral("PRAGMA user_version = %1").arg(step + 1));
        if (!done || !db.commit()) {
            qCWarning(lcHistory) << "migration" << step + 1 << query.lastError().text();
            db.rollback();
            return false;
        }
    }
    return true;
}

void HistoryDatabase::close()
{
    if (!QSqlDatabase::contains(m_connection))
        return;
    QSqlDatabase::database(m_connection, false).close();
    QSqlDatabase::removeDatabase(m_connection);
}

// The damaged file keeps its journal beside it under the same new name, so a repair tool
// sees what SQLite would have seen.
bool HistoryDatabase::moveAside()
{
    const QFileInfo file(m_path);
    const QString stamp =
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd-HHmmss"));
    const QString aside =
        file.dir().absoluteFilePath(file.completeBaseName() + QLatin1String("-damaged-") + stamp +
                                    QLatin1Char('.') + file.suffix());
    if (!QFile::rename(m_path, aside))
        return false;
    for (const QLatin1StringView journal : {QLatin1StringView("-wal"), QLatin1StringView("-shm")})
        QFile::rename(m_path + journal, aside + journal);
    m_movedAside = aside;
    return true;
}

void HistoryDatabase::pause(const QString &why)
{
    m_paused = true;
    qCWarning(lcHistory).noquote() << why;
    tell(why);
}

// Once per run: a full disk would otherwise ask again at every song. The box waits for
// the event loop, so a write that fails in the middle of a change never blocks in it.
void HistoryDatabase::tell(const QString &text)
{
    if (std::exchange(m_told, true))
        return;
    QTimer::singleShot(0, this,
                       [this, text] { m_messages.warning(tr(kMessageTitle.data()), text); });
}

void HistoryDatabase::fail(const QSqlError &error)
{
    qCWarning(lcHistory) << "write:" << error.text();
    pause(tr("The song history could not be written (%1), so it is paused until the next "
             "start. Playback goes on.")
              .arg(error.databaseText()));
}

std::optional<int> HistoryDatabase::write(const QString &sql, const QVariantList &values)
{
    if (m_paused)
        return std::nullopt;
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.prepare(sql);
    for (const QVariant &value : values)
        query.addBindValue(value);
    if (!query.exec()) {
        fail(query.lastError());
        return std::nullopt;
    }
    emit changed();
    return query.numRowsAffected();
}

std::optional<qint64> HistoryDatabase::begin(const HeardSong &song)
{
    if (m_paused)
        return std::nullopt;
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.prepare(QStringLiteral("INSERT INTO songs (artist, title, channel, url, started, "
                                 "ended, starred, folded) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"));
    for (const QVariant &value : {text(song.artist), text(song.title), text(song.channel),
                                  text(song.url), seconds(song.started), seconds(song.ended),
                                  QVariant(song.starred ? 1 : 0), QVariant(folded(song))}) {
        query.addBindValue(value);
    }
    if (!query.exec()) {
        fail(query.lastError());
        return std::nullopt;
    }
    emit changed();
    return query.lastInsertId().toLongLong();
}

bool HistoryDatabase::addSongs(const QList<HeardSong> &songs)
{
    if (m_paused)
        return false;
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    db.transaction();
    {
        // One change for the whole batch, not one per song.
        const QSignalBlocker quiet(this);
        for (const HeardSong &song : songs) {
            if (!begin(song)) {
                db.rollback();
                return false;
            }
        }
    }
    if (!db.commit()) {
        fail(db.lastError());
        return false;
    }
    emit changed();
    return true;
}

void HistoryDatabase::finish(qint64 id, const QDateTime &ended)
{
    write(QStringLiteral("UPDATE songs SET ended = ? WHERE id = ?"), {seconds(ended), id});
}

void HistoryDatabase::discard(qint64 id)
{
    write(QStringLiteral("DELETE FROM songs WHERE id = ?"), {id});
}

// A song the listener deleted from the history is not starred: the caller hears so.
bool HistoryDatabase::star(qint64 id, bool starred)
{
    return write(QStringLiteral("UPDATE songs SET starred = ? WHERE id = ?"), {starred ? 1 : 0, id})
               .value_or(0) > 0;
}

namespace {

// Ids are numbers we made: they go into the statement as a list, not one bind each.
QString idList(const QList<qint64> &ids)
{
    QStringList numbers;
    numbers.reserve(ids.size());
    for (const qint64 id : ids)
        numbers.append(QString::number(id));
    return numbers.join(QLatin1Char(','));
}

} // namespace

bool HistoryDatabase::setStarred(const QList<qint64> &ids, bool starred)
{
    return write(QStringLiteral("UPDATE songs SET starred = ? WHERE id IN (%1)").arg(idList(ids)),
                 {starred ? 1 : 0})
        .has_value();
}

bool HistoryDatabase::remove(const QList<qint64> &ids)
{
    return write(QStringLiteral("DELETE FROM songs WHERE id IN (%1)").arg(idList(ids)), {})
        .has_value();
}

bool HistoryDatabase::clear()
{
    return write(QStringLiteral("DELETE FROM songs"), {}).has_value();
}

int HistoryDatabase::prune(const QDateTime &cutoff)
{
    if (m_paused)
        return 0;
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.prepare(QStringLiteral("DELETE FROM songs WHERE started < ? AND starred = 0"));
    query.addBindValue(seconds(cutoff));
    if (!query.exec()) {
        fail(query.lastError());
        return 0;
    }
    const int removed = query.numRowsAffected();
    if (removed > 0)
        emit changed();
    return removed;
}

QList<HeardSong> HistoryDatabase::page(const View &view, const std::optional<HeardSong> &after,
                                       int limit) const
{
    QList<HeardSong> songs;
    if (!QSqlDatabase::contains(m_connection))
        return songs;
    QStringList where;
    QVariantList values;
    if (view.starredOnly)
        where.append(QStringLiteral("starred = 1"));
    // Keyset paging: the next page starts below the last row shown, through the index,
    // however deep the listener has scrolled.
    if (after) {
        where.append(QStringLiteral("(started, id) < (?, ?)"));
        values << seconds(after->started) << after->id;
    }
    if (const QString words = view.filter.trimmed().toCaseFolded(); !words.isEmpty()) {
        where.append(QStringLiteral("instr(folded, ?) > 0"));
        values << words;
    }
    QString sql = QStringLiteral(
        "SELECT id, artist, title, channel, url, started, ended, starred FROM songs");
    if (!where.isEmpty())
        sql += QLatin1String(" WHERE ") + where.join(QLatin1String(" AND "));
    sql += QStringLiteral(" ORDER BY started DESC, id DESC LIMIT %1").arg(limit);
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.setForwardOnly(true);
    query.prepare(sql);
    for (const QVariant &value : values)
        query.addBindValue(value);
    if (!query.exec()) {
        qCWarning(lcHistory) << "read:" << query.lastError().text();
        return songs;
    }
    while (query.next()) {
        songs.append({.id = query.value(0).toLongLong(),
                      .artist = query.value(1).toString(),
                      .title = query.value(2).toString(),
                      .channel = query.value(3).toString(),
                      .url = query.value(4).toString(),
                      .started = timeOf(query.value(5)),
                      .ended = timeOf(query.value(6)),
                      .starred = query.value(7).toInt() != 0});
    }
    return songs;
}
