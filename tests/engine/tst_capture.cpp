// Recording with the real engine against the local stream server: the recorder is fed
// snapshots built from the engine's own title and state, as the player's model will feed
// it. Titles change three times; the songs heard whole must come out as files that decode
// to their length and carry their tags, the first as incomplete. A folder made read-only in
// the middle ends recording with one message while playback goes on.
#include "MpvMediaPlayer.h"
#include "Recorder.h"
#include "SystemClock.h"
#include "TestStreamServer.h"

#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>
#include <unistd.h>

namespace {

constexpr int kStartTimeoutMs = 10'000;
constexpr int kTitleTimeoutMs = 15'000;
// Long enough that a cut a few frames off shows, short enough for the suite.
constexpr double kSongSeconds = 6;
const QString kChannel = QStringLiteral("Test Radio");

// What ffmpeg and ffprobe make of a file: the decoded length and the tags.
struct Probe {
    double seconds = -1;
    QString tags;
};

Probe probe(const QString &path)
{
    Probe found;
    QProcess decode;
    decode.start(QStringLiteral("ffmpeg"),
                 {"-nostdin", "-hide_banner", "-i", path, "-f", "null", "-"});
    if (decode.waitForFinished(30'000)) {
        static const QRegularExpression kTime(QStringLiteral("time=(\\d+):(\\d+):([\\d.]+)"));
        auto matches = kTime.globalMatch(QString::fromUtf8(decode.readAllStandardError()));
        while (matches.hasNext()) {
            const auto m = matches.next();
            found.seconds = m.captured(1).toInt() * 3600 + m.captured(2).toInt() * 60 +
                            m.captured(3).toDouble();
        }
    }
    QProcess tags;
    tags.start(QStringLiteral("ffprobe"),
               {"-v", "error", "-show_entries",
                "format_tags=artist,title,album,date:stream_tags=artist,title,album,date", "-of",
                "default=noprint_wrappers=1", path});
    if (tags.waitForFinished(30'000))
        found.tags = QString::fromUtf8(tags.readAllStandardOutput()).trimmed();
    return found;
}

// The folder made unwritable in a way its owner cannot ignore: root writes through plain
// permissions, so it also gets the immutable attribute.
bool makeReadOnly(const QString &folder, bool on)
{
    // The attribute also forbids a change of permissions: it comes off first, on last.
    const auto attribute = [&folder](const char *change) {
        return geteuid() != 0 ||
               QProcess::execute(QStringLiteral("chattr"), {QLatin1String(change), folder}) == 0;
    };
    if (!on && !attribute("-i"))
        return false;
    const QFile::Permissions readable = QFile::ReadOwner | QFile::ExeOwner;
    if (!QFile::setPermissions(folder, on ? readable : readable | QFile::WriteOwner))
        return false;
    return !on || attribute("+i");
}

} // namespace

class TestCapture : public QObject {
    Q_OBJECT

    std::unique_ptr<TestStreamServer> m_server;
    std::unique_ptr<MpvMediaPlayer> m_engine;
    std::unique_ptr<QTemporaryDir> m_dir;
    SystemClock m_clock;
    QString m_readOnly;

    // The model's part: a snapshot of what the engine says, as often as the status poll.
    PlayerSnapshot snapshot() const
    {
        PlayerSnapshot now;
        now.transport = PlayerSnapshot::Transport::Playing;
        now.channel = {kChannel, m_engine->url(), ChannelSource::List};
        now.playback = m_engine->playback();
        now.song.artist = m_engine->itemInfo(QStringLiteral("Author")).value_or(QString());
        now.song.title = m_engine->itemInfo(QStringLiteral("Title")).value_or(QString());
        return now;
    }
    QString title() const
    {
        return m_engine->itemInfo(QStringLiteral("Title")).value_or(QString());
    }
    // Sends `song` and waits until the engine plays it; `heard` restarts then, and
    // `lastFor` is how long the title before it was heard.
    void changeTitle(const QByteArray &song, QElapsedTimer *heard, double *lastFor = nullptr)
    {
        m_server->setSettings({.title = "Test Artist - " + song});
        QTRY_COMPARE_WITH_TIMEOUT(title(), QString::fromUtf8(song), kTitleTimeoutMs);
        const qint64 ms = heard->isValid() ? heard->restart() : (heard->start(), 0);
        if (lastFor)
            *lastFor = ms / 1000.0;
    }
    void waitSong(double from)
    {
        QTRY_VERIFY_WITH_TIMEOUT(m_engine->capturePosition().value_or(0) >= from + kSongSeconds,
                                 3 * kSongSeconds * 1000);
    }
    double position() const { return m_engine->capturePosition().value_or(0); }

private slots:
    void init()
    {
        m_server = std::make_unique<TestStreamServer>();
        m_server->setSettings({.title = "Test Artist - One"});
        QVERIFY(m_server->start());
        m_engine = std::make_unique<MpvMediaPlayer>(QStringList{QStringLiteral("ao=null")});
        QVERIFY(m_engine->isValid());
        m_dir = std::make_unique<QTemporaryDir>();
        m_engine->setUrl(m_server->url(QStringLiteral("/tone.mp3")));
        QTRY_COMPARE_WITH_TIMEOUT(m_engine->status(), MpvMediaPlayer::Status::Playing,
                                  kStartTimeoutMs);
        QTRY_COMPARE_WITH_TIMEOUT(title(), QStringLiteral("One"), kTitleTimeoutMs);
    }
    void cleanup()
    {
        if (!m_readOnly.isEmpty())
            makeReadOnly(std::exchange(m_readOnly, {}), false);
        m_engine.reset();
        m_server.reset();
        m_dir.reset();
    }

    void songsAreCutAtTheirTitles()
    {
        Recorder recorder(*m_engine, m_clock, {m_dir->path(), true});
        QSignalSpy saved(&recorder, &Recorder::saved);
        QSignalSpy failed(&recorder, &Recorder::failed);
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&] { recorder.update(snapshot()); });
        poll.start(100);
        recorder.update(snapshot());
        recorder.setOn(true); // "One" plays already: it cannot be whole

        QElapsedTimer heard;
        double twoFor = 0;
        double threeFor = 0;
        waitSong(position());
        changeTitle("Two", &heard);
        waitSong(position());
        changeTitle("Three", &heard, &twoFor);
        waitSong(position());
        changeTitle("Four", &heard, &threeFor);
        waitSong(position() - kSongSeconds / 2);
        recorder.setOn(false); // cuts "Four" short
        QTRY_COMPARE_WITH_TIMEOUT(saved.count(), 4, 10'000);
        QCOMPARE(failed.count(), 0);

        const QDir channel(m_dir->filePath(kChannel));
        QCOMPARE(channel.entryList(QDir::Files | QDir::Hidden),
                 (QStringList{"Test Artist - Three.mp3", "Test Artist - Two.mp3"}));
        QCOMPARE(QDir(channel.filePath("Incomplete")).entryList(QDir::Files | QDir::Hidden),
                 (QStringList{"Test Artist - Four.mp3", "Test Artist - One.mp3"}));
        const QString today = QDate::currentDate().toString(Qt::ISODate);
        for (const auto &[song, length] : {std::pair{"Two", twoFor}, {"Three", threeFor}}) {
            const Probe file =
                probe(channel.filePath(QStringLiteral("Test Artist - %1.mp3").arg(song)));
            QVERIFY2(qAbs(file.seconds - length) < 1.0,
                     qPrintable(QStringLiteral("%1: %2 s decoded, %3 s heard")
                                    .arg(song)
                                    .arg(file.seconds)
                                    .arg(length)));
            for (const QString &tag :
                 {QStringLiteral("artist=Test Artist"), "title=" + QString(song),
                  "album=" + kChannel, "date=" + today})
                QVERIFY2(file.tags.contains(tag), qPrintable(file.tags));
        }
    }

    // Ogg carries its titles seconds apart: the row needs none to change. The song playing
    // when recording starts and cut by its end is kept apart, as Ogg with Vorbis comments.
    void oggIsKeptAsOgg()
    {
        m_engine->setUrl(m_server->url(QStringLiteral("/tone.ogg")));
        QTRY_COMPARE_WITH_TIMEOUT(title(), QStringLiteral("One"), kTitleTimeoutMs);
        Recorder recorder(*m_engine, m_clock, {m_dir->path(), true});
        QSignalSpy saved(&recorder, &Recorder::saved);
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&] { recorder.update(snapshot()); });
        poll.start(100);
        recorder.update(snapshot());
        recorder.setOn(true);
        QTRY_VERIFY(m_engine->capturePosition().has_value());
        waitSong(position() - kSongSeconds / 2);
        recorder.setOn(false);
        QTRY_COMPARE_WITH_TIMEOUT(saved.count(), 1, 10'000);
        const QString path = saved.first().first().toString();
        QCOMPARE(path, m_dir->filePath(kChannel + "/Incomplete/Test Artist - One.ogg"));
        const Probe file = probe(path);
        QVERIFY2(file.seconds > 1, qPrintable(QString::number(file.seconds)));
        // Vorbis comments keep their names in capitals.
        QVERIFY2(file.tags.contains(QStringLiteral("title=One"), Qt::CaseInsensitive) &&
                     file.tags.contains("album=" + kChannel, Qt::CaseInsensitive),
                 qPrintable(file.tags));
    }

    void aFolderTurningReadOnlyStopsRecordingOnce()
    {
        Recorder recorder(*m_engine, m_clock, {m_dir->path(), true});
        QSignalSpy failed(&recorder, &Recorder::failed);
        QSignalSpy saved(&recorder, &Recorder::saved);
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&] { recorder.update(snapshot()); });
        poll.start(100);
        recorder.update(snapshot());
        recorder.setOn(true);
        QElapsedTimer heard;
        changeTitle("Two", &heard);
        QTRY_COMPARE(saved.count(), 1); // the incomplete "One": "Two" is being recorded now
        const QString channel = m_dir->filePath(kChannel);
        if (!makeReadOnly(channel, true))
            QSKIP("the folder cannot be made read-only here");
        m_readOnly = channel;
        waitSong(position());
        changeTitle("Three", &heard);
        QTRY_COMPARE_WITH_TIMEOUT(failed.count(), 1, 10'000);
        QVERIFY2(failed.first().first().toString().contains(channel),
                 qPrintable(failed.first().first().toString()));
        QVERIFY(!recorder.isOn());
        changeTitle("Four", &heard);
        QCOMPARE(failed.count(), 1);
        QCOMPARE(m_engine->status(), MpvMediaPlayer::Status::Playing);
        // Only the hidden file the dump was writing, which the folder keeps from going.
        QCOMPARE(QDir(channel).entryList(QDir::Files), QStringList{});
    }
};

QTEST_GUILESS_MAIN(TestCapture)
#include "tst_capture.moc"
