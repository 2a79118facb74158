// The song history: the recorder's rules against a fake log and clock, the SQLite store
// against a real file in a temporary folder, the CSV export and the days kept. Filtering
// and starring through the store are the window's tests.
#include "Fakes.h"
#include "FormSettings.h"
#include "HistoryCsv.h"
#include "HistoryDatabase.h"
#include "HistoryRetention.h"
#include "SongRecorder.h"

#include <QFile>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

namespace {

using Transport = PlayerSnapshot::Transport;
using State = Playback::State;

// A log in memory: each song kept, in order, with its end once known.
class MemorySongLog final : public SongLog {
public:
    QList<HeardSong> songs;
    bool paused = false;

    std::optional<qint64> begin(const HeardSong &song) override
    {
        if (paused)
            return std::nullopt;
        songs.append(song);
        songs.last().id = songs.size();
        return songs.size();
    }
    void finish(qint64 id, const QDateTime &ended) override { songs[id - 1].ended = ended; }
    void discard(qint64 id) override { songs[id - 1].title = QStringLiteral("<discarded>"); }
    bool star(qint64 id, bool starred) override
    {
        if (songs[id - 1].title == QLatin1String("<discarded>"))
            return false;
        songs[id - 1].starred = starred;
        return true;
    }
    // "Artist - Title @channel start+seconds" of each song still kept, from the test's epoch.
    QStringList kept(const QDateTime &epoch) const
    {
        QStringList lines;
        for (const HeardSong &song : songs) {
            if (song.title == QLatin1String("<discarded>"))
                continue;
            lines.append(QStringLiteral("%1 @%2 %3+%4")
                             .arg(song.text(), song.channel)
                             .arg(epoch.secsTo(song.started))
                             .arg(song.ended.isValid() ? song.started.secsTo(song.ended) : -1));
        }
        return lines;
    }
};

const QDateTime kEpoch(QDate(2026, 3, 14), QTime(15, 0));

// One step of a listening: at second `at`, the player shows this.
struct Step {
    int at;
    Transport transport;
    QString channel; // "A" or "B": name and address follow from it
    State playback;
    QString artist;
    QString title;
};

PlayerSnapshot snapshotOf(const Step &step)
{
    PlayerSnapshot now;
    now.transport = step.transport;
    if (!step.channel.isEmpty())
        now.channel = {.name = QStringLiteral("Radio ") + step.channel,
                       .url = QStringLiteral("http://127.0.0.1/") + step.channel,
                       .source = ChannelSource::List};
    now.playback.state = step.playback;
    now.song = {.artist = step.artist, .title = step.title, .since = {}};
    return now;
}

HeardSong songAt(int day, const QString &artist, const QString &title, bool starred = false)
{
    return {.id = 0,
            .artist = artist,
            .title = title,
            .channel = QStringLiteral("Radio Ø"),
            .url = QStringLiteral("http://127.0.0.1/o"),
            .started = kEpoch.addDays(day),
            .ended = kEpoch.addDays(day).addSecs(200),
            .starred = starred};
}

QStringList titles(const QList<HeardSong> &songs)
{
    QStringList list;
    for (const HeardSong &song : songs)
        list.append(song.title);
    return list;
}

} // namespace

Q_DECLARE_METATYPE(QList<Step>)

class tst_History : public QObject {
    Q_OBJECT

private slots:
    void recorder_data();
    void recorder();
    void recorderStarsAndFinishes();
    void storeMigratesKeepsAndPages();
    void storeMovesDamageAside();
    void storePausesWhenUnwritable();
    void csvQuotesAndRoundTrips();
    void retention_data();
    void retention();
};

void tst_History::recorder_data()
{
    QTest::addColumn<QList<Step>>("steps");
    QTest::addColumn<QStringList>("kept");
    const Transport P = Transport::Playing;
    const QString x = QStringLiteral("Artist X"), y = QStringLiteral("Artist Y");
    QTest::newRow("two songs, then stop")
        << QList<Step>{{0, P, "A", State::Playing, x, "One"},
                       {200, P, "A", State::Playing, y, "Two"},
                       {380, Transport::Idle, "", State::Idle, "", ""}}
        << QStringList{"Artist X - One @Radio A 0+200", "Artist Y - Two @Radio A 200+180"};
    QTest::newRow("a drop and back with the same title is one row")
        << QList<Step>{{0, P, "A", State::Playing, x, "One"},
                       {60, P, "A", State::Reconnecting, "", ""},
                       {64, P, "A", State::Buffering, "", ""},
                       {66, P, "A", State::Playing, x, "One"},
                       {200, P, "A", State::Playing, y, "Two"}}
        << QStringList{"Artist X - One @Radio A 0+200", "Artist Y - Two @Radio A 200+-1"};
    QTest::newRow("a drop that lasts too long starts anew")
        << QList<Step>{{0, P, "A", State::Playing, x, "One"},
                       {60, P, "A", State::Reconnecting, "", ""},
                       {600, P, "A", State::Playing, x, "One"}}
        << QStringList{"Artist X - One @Radio A 0+60", "Artist X - One @Radio A 600+-1"};
    QTest::newRow("a drop that ends in another title ends the song when it dropped")
        << QList<Step>{{0, P, "A", State::Playing, x, "One"},
                       {60, P, "A", State::Reconnecting, x, "One"},
                       {70, P, "A", State::Playing, y, "Two"}}
        << QStringList{"Artist X - One @Radio A 0+60", "Artist Y - Two @Radio A 70+-1"};
    QTest::newRow("state words and the channel's name are no songs")
        << QList<Step>{{0, P, "A", State::Connecting, "", Playback::kConnecting},
                       {2, P, "A", State::Playing, "", "Radio A"},
                       {4, Transport::Paused, "A", State::Idle, "", "Pause..."},
                       {9, P, "A", State::Playing, "", "   "}}
        << QStringList{};
    QTest::newRow("tuning away in the middle of a song ends it; a title tuned past is not kept")
        << QList<Step>{{0, P, "A", State::Playing, x, "One"},
                       {90, P, "B", State::Connecting, "", ""},
                       {91, P, "B", State::Playing, y, "Passing"},
                       {94, P, "A", State::Connecting, "", ""},
                       {95, P, "A", State::Playing, x, "One"}}
        << QStringList{"Artist X - One @Radio A 0+90", "Artist X - One @Radio A 95+-1"};
    QTest::newRow("the same title on another channel is another song")
        << QList<Step>{{0, P, "A", State::Playing, x, "One"},
                       {30, P, "B", State::Playing, x, "One"},
                       {60, Transport::Idle, "", State::Idle, "", ""}}
        << QStringList{"Artist X - One @Radio A 0+30", "Artist X - One @Radio B 30+30"};
    QTest::newRow("a short pause and continue keep the row; a stop ends it")
        << QList<Step>{{0, P, "A", State::Playing, x, "One"},
                       {40, Transport::Paused, "A", State::Idle, "", ""},
                       {50, P, "A", State::Connecting, "", ""},
                       {52, P, "A", State::Playing, x, "One"},
                       {70, Transport::Idle, "", State::Idle, "", ""}}
        << QStringList{"Artist X - One @Radio A 0+70"};
}

void tst_History::recorder()
{
    QFETCH(QList<Step>, steps);
    QFETCH(QStringList, kept);
    MemorySongLog log;
    FakeClock clock;
    SongRecorder recorder(log, clock);
    for (const Step &step : steps) {
        clock.time = kEpoch.addSecs(step.at);
        recorder.update(snapshotOf(step));
    }
    QCOMPARE(log.kept(kEpoch), kept);
}

void tst_History::recorderStarsAndFinishes()
{
    MemorySongLog log;
    FakeClock clock;
    SongRecorder recorder(log, clock);
    clock.time = kEpoch;
    QCOMPARE(recorder.starNow(), SongRecorder::StarResult::NoSong);
    recorder.update(snapshotOf({0, Transport::Playing, "A", State::Playing, "", "Jingle"}));
    // Starred at once: kept, however briefly it played.
    QCOMPARE(recorder.starNow(), SongRecorder::StarResult::Starred);
    clock.time = kEpoch.addSecs(2);
    recorder.finish();
    QCOMPARE(log.kept(kEpoch), QStringList{"Jingle @Radio A 0+2"});
    QVERIFY(log.songs.first().starred);
    QVERIFY(!recorder.current());

    // Deleted from the history while it plays: the star keeps it anew.
    clock.time = kEpoch.addSecs(3);
    recorder.update(snapshotOf({3, Transport::Playing, "A", State::Playing, "", "Again"}));
    log.discard(log.songs.size());
    QCOMPARE(recorder.starNow(), SongRecorder::StarResult::Starred);
    QCOMPARE(log.kept(kEpoch).last(), QStringLiteral("Again @Radio A 3+-1"));
    QVERIFY(log.songs.last().starred);

    log.paused = true;
    recorder.update(snapshotOf({9, Transport::Playing, "B", State::Playing, "", "Unkept"}));
    QCOMPARE(recorder.current()->title, QStringLiteral("Unkept"));
    QCOMPARE(recorder.starNow(), SongRecorder::StarResult::NotKept);
}

void tst_History::storeMigratesKeepsAndPages()
{
    QTemporaryDir dir;
    CallLog calls;
    RecordingMessageBox box(calls);
    const QString path = dir.filePath(QStringLiteral("data/history.sqlite"));
    {
        // An empty file is a database of schema 0: it gets the schema, not a move aside.
        QDir().mkpath(dir.filePath(QStringLiteral("data")));
        QFile empty(path);
        QVERIFY(empty.open(QIODevice::WriteOnly));
    }
    HistoryDatabase history(path, box);
    QVERIFY(history.open());
    QVERIFY(history.movedAside().isEmpty());
    QSignalSpy changed(&history, &HistoryDatabase::changed);
    const auto id = history.begin(songAt(0, QStringLiteral("Åse"), QStringLiteral("Første")));
    QVERIFY(id);
    QCOMPARE(changed.count(), 1);
    history.finish(*id, kEpoch.addSecs(185));
    QList<HeardSong> songs;
    for (int day = 1; day <= 25; ++day)
        songs.append(songAt(day % 2 ? day : -day, QStringLiteral("A"), QString::number(day)));
    QVERIFY(history.addSongs(songs));

    // A second connection, as another run (or python3) would see the file.
    {
        auto db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("peek"));
        db.setDatabaseName(path);
        QVERIFY(db.open());
        QSqlQuery query(db);
        for (const auto &[pragma, expected] :
             {std::pair{"PRAGMA user_version", QVariant(HistoryDatabase::kSchemaVersion)},
              std::pair{"PRAGMA journal_mode", QVariant(QStringLiteral("wal"))},
              std::pair{"SELECT count(*) FROM songs", QVariant(26)},
              std::pair{"SELECT ended - started FROM songs WHERE title = 'Første'",
                        QVariant(185)}}) {
            QVERIFY2(query.exec(QString::fromUtf8(pragma)) && query.next(), pragma);
            QCOMPARE(query.value(0).toString(), expected.toString());
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("peek"));

    // Pages of 10 in order, newest first, none twice, none left out.
    QStringList seen;
    std::optional<HeardSong> last;
    for (int round = 0; round < 5; ++round) {
        const QList<HeardSong> page = history.page({}, last, 10);
        seen += titles(page);
        if (page.size() < 10)
            break;
        last = page.last();
    }
    QCOMPARE(seen.size(), 26);
    QCOMPARE(seen.mid(0, 3), (QStringList{"25", "23", "21"}));
    QCOMPARE(seen.mid(12, 3), (QStringList{"1", "Første", "2"}));
    QCOMPARE(seen.last(), QStringLiteral("24"));

    QVERIFY(history.clear());
    QVERIFY(history.page({}, {}, 100).isEmpty());
    QVERIFY(!history.star(*id, true)); // gone: not starred
    QVERIFY(!history.isPaused());
}

void tst_History::storeMovesDamageAside()
{
    QTemporaryDir dir;
    CallLog calls;
    RecordingMessageBox box(calls);
    const QString path = dir.filePath(QStringLiteral("history.sqlite"));
    QFile junk(path);
    QVERIFY(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(8192, 'x'));
    junk.close();
    HistoryDatabase history(path, box);
    QVERIFY(history.open());
    QVERIFY(history.movedAside().startsWith(dir.filePath(QStringLiteral("history-damaged-"))));
    QFile aside(history.movedAside());
    QVERIFY(aside.open(QIODevice::ReadOnly));
    QCOMPARE(aside.readAll(), QByteArray(8192, 'x'));
    QVERIFY(history.begin(songAt(0, {}, QStringLiteral("After"))));
    QTRY_VERIFY(!box.lastText.isEmpty());
    QCOMPARE(calls.take(), QStringList{"box.warning(Song history)"});
    QVERIFY(box.lastText.contains(QLatin1String("moved aside")));
}

// A read-only folder, or (for root, who may write anywhere) a folder standing where the
// file should be: paused with one message, and nothing moved aside.
void tst_History::storePausesWhenUnwritable()
{
    QTemporaryDir dir;
    CallLog calls;
    RecordingMessageBox box(calls);
    const QString folder = dir.filePath(QStringLiteral("locked"));
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
    const bool root = QFileInfo(folder).isWritable();
    const QString path = folder + QStringLiteral("/history.sqlite");
    if (root)
        QVERIFY(QDir().mkpath(path));
    HistoryDatabase history(path, box);
    QVERIFY(!history.open());
    QVERIFY(history.isPaused());
    QVERIFY(!history.begin(songAt(0, {}, QStringLiteral("Lost"))));
    QVERIFY(!history.clear());
    QTRY_VERIFY(!box.lastText.isEmpty());
    QCOMPARE(calls.take(), QStringList{"box.warning(Song history)"});
    QVERIFY(history.movedAside().isEmpty());
    QCOMPARE(QFileInfo(path).isDir(), root);
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

void tst_History::csvQuotesAndRoundTrips()
{
    HeardSong song = songAt(0, QStringLiteral("Ane, \"Ola\""), QStringLiteral("Linje\r\nto"));
    song.ended = {};
    song.starred = true;
    const QByteArray row = HistoryCsv::row(song);
    QVERIFY(row.endsWith("\r\n"));
    QVERIFY(row.contains(",,\"Ane, \"\"Ola\"\"\",\"Linje\r\nto\",Radio \xc3\x98,"));
    QVERIFY(row.endsWith(",http://127.0.0.1/o,1\r\n"));
    const QDateTime started =
        QDateTime::fromString(QString::fromUtf8(row.left(row.indexOf(','))), Qt::ISODate);
    QCOMPARE(started, song.started);
    // A title a spreadsheet would run as a formula stays text.
    song.title = QStringLiteral("=HYPERLINK(\"http://x\")");
    QVERIFY(HistoryCsv::row(song).contains(",\"'=HYPERLINK(\"\"http://x\"\")\","));

    QTemporaryDir dir;
    CallLog calls;
    RecordingMessageBox box(calls);
    HistoryDatabase history(dir.filePath(QStringLiteral("history.sqlite")), box);
    QVERIFY(history.open());
    QList<HeardSong> songs;
    for (int i = 0; i < 2500; ++i)
        songs.append(songAt(0, QStringLiteral("A"), QString::number(i), i % 1000 == 0));
    QVERIFY(history.addSongs(songs));
    const QString file = dir.filePath(QStringLiteral("out.csv"));
    QCOMPARE(HistoryCsv::save(file, history, {}), QString());
    QFile csv(file);
    QVERIFY(csv.open(QIODevice::ReadOnly));
    const QByteArrayList lines = csv.readAll().split('\n');
    QCOMPARE(lines.size(), 2502); // the header, the songs, and nothing after the last CRLF
    QCOMPARE(lines.first(), HistoryCsv::header().chopped(1));
    QCOMPARE(HistoryCsv::save(file, history, {{}, true}), QString());
    QFile starred(file);
    QVERIFY(starred.open(QIODevice::ReadOnly));
    QCOMPARE(starred.readAll().count("\r\n"), 4);
    QVERIFY(!HistoryCsv::save(dir.filePath(QStringLiteral("no/such/folder.csv")), history, {})
                 .isEmpty());
}

void tst_History::retention_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("days");
    QTest::newRow("missing") << QString() << 90;
    QTest::newRow("a number") << QStringLiteral(" 30 ") << 30;
    QTest::newRow("one") << QStringLiteral("1") << 1;
    QTest::newRow("zero") << QStringLiteral("0") << 90;
    QTest::newRow("negative") << QStringLiteral("-5") << 90;
    QTest::newRow("words") << QStringLiteral("thirty") << 90;
    QTest::newRow("a fraction") << QStringLiteral("7.5") << 90;
}

void tst_History::retention()
{
    QFETCH(QString, value);
    QFETCH(int, days);
    QTemporaryDir dir;
    CallLog calls;
    RecordingMessageBox box(calls);
    HistoryDatabase history(dir.filePath(QStringLiteral("history.sqlite")), box);
    QVERIFY(history.open());
    QVERIFY(history.addSongs({songAt(-days - 1, {}, QStringLiteral("gone")),
                              songAt(-days - 1, {}, QStringLiteral("starred"), true),
                              songAt(-days + 1, {}, QStringLiteral("kept"))}));
    MemorySettingsStore settings;
    if (!value.isNull())
        settings.saveSetting(FormSettings::kAppName, FormSettings::kSection, HistoryRetention::kKey,
                             value);
    FakeClock clock;
    clock.time = kEpoch;
    HistoryRetention retention(history, settings, clock);
    retention.start();
    QCOMPARE(titles(history.page({}, {}, 10)), (QStringList{"kept", "starred"}));
}

QTEST_GUILESS_MAIN(tst_History)
#include "tst_history.moc"
