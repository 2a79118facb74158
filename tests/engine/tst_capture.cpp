// Recording with the real engine against the local stream server (and its sanitizers): the
// recorder is fed snapshots built from the engine's own title and state, as the player's
// model feeds it. MP3 songs cut at their titles, their lengths, tags and a folder turning
// read-only are e2e_history's, through the whole program and Icecast.
#include "MpvMediaPlayer.h"
#include "Recorder.h"
#include "SystemClock.h"
#include "TestStreamServer.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

constexpr int kStartTimeoutMs = 10'000;
constexpr int kTitleTimeoutMs = 15'000;
// How long the test lets a song play: seconds of audio, short enough for the suite.
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

} // namespace

class TestCapture : public QObject {
    Q_OBJECT

    std::unique_ptr<TestStreamServer> m_server;
    std::unique_ptr<MpvMediaPlayer> m_engine;
    std::unique_ptr<QTemporaryDir> m_dir;
    SystemClock m_clock;

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
        m_engine.reset();
        m_server.reset();
        m_dir.reset();
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
};

QTEST_GUILESS_MAIN(TestCapture)
#include "tst_capture.moc"
