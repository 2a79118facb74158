// The libmpv adapter against a local stream server: playback, figures, metadata,
// faults and their reasons, reconnection, playlists, files that end, and HTTPS. Audio goes to mpv's
// null output. Calls are checked for freezes only (a blocking connect or read takes seconds); how
// long they take on a quiet machine is bench-stalls' business.
#include "MpvMediaPlayer.h"
#include "PlaylistFetcher.h"
#include "TestStreamServer.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using Mode = TestStreamServer::Mode;
using Status = MpvMediaPlayer::Status;

namespace {
constexpr int kStartTimeoutMs = 10'000;
constexpr int kTitleTimeoutMs = 15'000;
// A call that takes this long blocked on the network or a file: a freeze, not a busy machine.
constexpr qint64 kFreezeMs = 1000;

template<typename Call>
bool returnsWithoutFreezing(Call &&call)
{
    QElapsedTimer clock;
    clock.start();
    call();
    return clock.elapsed() < kFreezeMs;
}

QByteArray fixture(const char *name)
{
    QFile file(QDir(TestStreamServer::fixtureDirectory()).filePath(QLatin1String(name)));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

quint16 freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    return probe.serverPort();
}
} // namespace

class TestEngine : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void playsLiveStreams_data();
    void playsLiveStreams();
    void decodesLatin1TitlesAndSurvivesHugeMetadata();
    void stopAndCloseSilence();
    void faultsFailWithoutFreezing_data();
    void faultsFailWithoutFreezing();
    void reconnectsAfterDropAndServerRestart();
    void reconnectEndsOn404AndGivesUp();
    void newTuningCancelsReconnect();
    void playsPlaylists_data();
    void playsPlaylists();
    void playsTaggedLocalFileToItsEnd();
    void refusesUnsafeLocations_data();
    void refusesUnsafeLocations();
    void finiteDownloadEnds();
    void playlistsPlayAndReconnect_data();
    void playlistsPlayAndReconnect();
    void abandonedLocalPlaylistStaysAbandoned();
    void httpsCertificatesAreVerified_data();
    void httpsCertificatesAreVerified();

private:
    void startPlayer(const MpvMediaPlayer::Timings &timings = {}, const QStringList &options = {});
    void waitForAudio();
    QString info(const char *name) const
    {
        return m_player->itemInfo(QLatin1String(name)).value_or(QStringLiteral("<none>"));
    }

    std::unique_ptr<TestStreamServer> m_server;
    std::unique_ptr<MpvMediaPlayer> m_player;
    QList<Status> m_states; // every status the player went through
};

void TestEngine::init()
{
    m_server = std::make_unique<TestStreamServer>();
    QVERIFY(m_server->start());
    startPlayer();
}

void TestEngine::cleanup()
{
    m_player.reset();
    m_server.reset();
}

void TestEngine::startPlayer(const MpvMediaPlayer::Timings &timings, const QStringList &options)
{
    m_player.reset();
    m_player = std::make_unique<MpvMediaPlayer>(QStringList{QStringLiteral("ao=null")} + options);
    QVERIFY(m_player->isValid());
    m_player->setTimings(timings);
    m_states.clear();
    connect(m_player.get(), &MpvMediaPlayer::statusChanged, this,
            [this] { m_states.append(m_player->status()); });
}

void TestEngine::waitForAudio()
{
    QTRY_VERIFY_WITH_TIMEOUT(m_player->bufferingCount().value_or(0) > 0, kStartTimeoutMs);
    QCOMPARE(m_player->status(), Status::Playing);
}

void TestEngine::playsLiveStreams_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<Mode>("mode");
    QTest::addColumn<qint64>("minBitrate");
    QTest::addColumn<qint64>("maxBitrate");
    QTest::newRow("mp3") << "/tone.mp3" << Mode::Normal << 120'000LL << 136'000LL;
    QTest::newRow("ogg vorbis") << "/tone.ogg" << Mode::Normal << 1'000LL << 400'000LL;
    QTest::newRow("ICY 200 OK") << "/tone.mp3" << Mode::IcyStatusLine << 120'000LL << 136'000LL;
}

void TestEngine::playsLiveStreams()
{
    QFETCH(QString, path);
    QFETCH(Mode, mode);
    QFETCH(qint64, minBitrate);
    QFETCH(qint64, maxBitrate);
    m_server->setSettings({.mode = mode});
    QSignalSpy audio(m_player.get(), &MpvMediaPlayer::audioStarted);

    const QString url = m_server->url(path);
    QVERIFY(returnsWithoutFreezing([&] { m_player->setUrl(url); }));
    QCOMPARE(m_player->url(), url);
    // The item exists from the moment the URL is written, with nothing known yet.
    QCOMPARE(info("Author"), QString());
    waitForAudio();
    QCOMPARE(audio.count(), 1);

    QTRY_VERIFY(!info("Bitrate").isEmpty());
    const qint64 bitrate = info("Bitrate").toLongLong();
    QVERIFY2(bitrate >= minBitrate && bitrate <= maxBitrate, qPrintable(info("Bitrate")));
    QTRY_VERIFY(m_player->bandWidth().value_or(0) > 0);
    const int buffering = m_player->bufferingProgress().value_or(-1);
    QVERIFY(buffering >= 0 && buffering <= 100);

    QTRY_COMPARE_WITH_TIMEOUT(info("Title"), QStringLiteral("First Song"), kTitleTimeoutMs);
    QCOMPARE(info("Author"), QStringLiteral("Test Artist"));

    m_server->setSettings({.mode = mode, .title = "Other Band - Second Song"});
    QTRY_COMPARE_WITH_TIMEOUT(info("Title"), QStringLiteral("Second Song"), kTitleTimeoutMs);
    QCOMPARE(info("Author"), QStringLiteral("Other Band"));
}

void TestEngine::decodesLatin1TitlesAndSurvivesHugeMetadata()
{
    m_server->setSettings(
        {.title = "\xD8stlandssendingen - Nyheter p\xE5 nynorsk", .hugeMetadata = true});
    m_player->setUrl(m_server->url(QStringLiteral("/tone.mp3")));
    waitForAudio();
    QTRY_COMPARE_WITH_TIMEOUT(info("Author"), QStringLiteral("Østlandssendingen"), kTitleTimeoutMs);
    QCOMPARE(info("Title"), QStringLiteral("Nyheter på nynorsk"));
}

void TestEngine::stopAndCloseSilence()
{
    const QString url = m_server->url(QStringLiteral("/tone.mp3"));
    m_player->setUrl(url);
    waitForAudio();
    QTRY_COMPARE_WITH_TIMEOUT(info("Title"), QStringLiteral("First Song"), kTitleTimeoutMs);

    QVERIFY(returnsWithoutFreezing([&] { m_player->stop(); }));
    QCOMPARE(m_player->status(), Status::Idle);
    QCOMPARE(m_player->bufferingCount(), std::optional<int>(0));

    QVERIFY(returnsWithoutFreezing([&] { m_player->close(); }));
    QVERIFY(!m_player->itemInfo(QStringLiteral("Title")));
    QVERIFY(!m_player->itemInfo(QStringLiteral("Bitrate")));
    QVERIFY(!m_player->bandWidth());
    QVERIFY(!m_player->bufferingCount());
    QCOMPARE(m_player->url(), url); // reads back after close, until the next write

    // Nothing starts again by itself.
    QTest::qWait(1500);
    QCOMPARE(m_player->status(), Status::Idle);

    m_player->setUrl(url);
    waitForAudio();
    m_player->setUrl(QString());
    QCOMPARE(m_player->url(), QString());
    QVERIFY(!m_player->itemInfo(QStringLiteral("Author")));
    QCOMPARE(m_player->status(), Status::Idle);
}

void TestEngine::faultsFailWithoutFreezing_data()
{
    QTest::addColumn<Mode>("mode");
    QTest::addColumn<bool>("refused");
    QTest::addColumn<QString>("reason");
    QTest::newRow("404") << Mode::NotFound << false << "Station not found (HTTP 404)";
    QTest::newRow("refused") << Mode::Normal << true << "Connection refused";
    QTest::newRow("garbage") << Mode::Garbage << false << "No audio arrived within 3 s";
    QTest::newRow("hang") << Mode::Hang << false << "No audio arrived within 3 s";
    QTest::newRow("trickle") << Mode::Trickle << false << "No audio arrived within 3 s";
}

void TestEngine::faultsFailWithoutFreezing()
{
    QFETCH(Mode, mode);
    QFETCH(bool, refused);
    QFETCH(QString, reason);
    startPlayer({.watchdogMs = 3000});
    m_server->setSettings({.mode = mode});
    if (refused)
        m_server->stop();
    QSignalSpy failed(m_player.get(), &MpvMediaPlayer::failed);

    QVERIFY(returnsWithoutFreezing(
        [&] { m_player->setUrl(m_server->url(QStringLiteral("/tone.mp3"))); }));
    QVERIFY(failed.wait(10'000));
    QCOMPARE(failed.count(), 1);
    QCOMPARE(m_player->status(), Status::Failed);
    QCOMPARE(m_player->playback().text(), reason);
    QCOMPARE(m_player->bufferingCount(), std::optional<int>(0));

    // A failed first open is not retried.
    const int connections = m_server->connectionCount();
    QTest::qWait(1500);
    QCOMPARE(m_server->connectionCount(), connections);

    for (auto call : {&MpvMediaPlayer::stop, &MpvMediaPlayer::close})
        QVERIFY(returnsWithoutFreezing([&] { (m_player.get()->*call)(); }));
}

void TestEngine::reconnectsAfterDropAndServerRestart()
{
    startPlayer({.retryMs = 200});
    m_server->setSettings({.dropAfterMs = 2500});
    QSignalSpy audio(m_player.get(), &MpvMediaPlayer::audioStarted);
    m_player->setUrl(m_server->url(QStringLiteral("/tone.mp3")));
    waitForAudio();

    // The server drops the stream: it comes back by itself, at once, on a fresh connection.
    QTRY_VERIFY_WITH_TIMEOUT(m_states.contains(Status::Reconnecting), 10'000);
    m_server->setSettings({});
    QTRY_COMPARE_WITH_TIMEOUT(audio.count(), 2, 10'000);
    QCOMPARE(m_player->status(), Status::Playing);
    QVERIFY(m_server->connectionCount() >= 2);

    // The server goes away for a while and comes back on the same port.
    const quint16 port = m_server->port();
    m_server->stop();
    QTRY_COMPARE_WITH_TIMEOUT(m_player->status(), Status::Reconnecting, 10'000);
    QTest::qWait(1500);
    QVERIFY(m_server->start(port));
    QTRY_COMPARE_WITH_TIMEOUT(audio.count(), 3, 15'000);
    QCOMPARE(m_player->status(), Status::Playing);
}

void TestEngine::reconnectEndsOn404AndGivesUp()
{
    startPlayer({.retryMs = 100, .maxRetryMs = 200, .maxSilentReconnects = 3});
    m_server->setSettings({.dropAfterMs = 2000});
    QSignalSpy failed(m_player.get(), &MpvMediaPlayer::failed);
    m_player->setUrl(m_server->url(QStringLiteral("/tone.mp3")));
    waitForAudio();

    // Dropped, and the stream is gone from the server: no retry after the 404.
    m_server->setSettings({.mode = Mode::NotFound});
    QVERIFY(failed.wait(10'000));
    QVERIFY2(m_player->errorString().contains(QLatin1String("404")),
             qPrintable(m_player->errorString()));
    const int connections = m_server->connectionCount();
    QTest::qWait(1000);
    QCOMPARE(m_server->connectionCount(), connections);

    // A server that stays away: a few silent reconnects, then it gives up.
    m_server->setSettings({.dropAfterMs = 2000});
    m_player->setUrl(m_server->url(QStringLiteral("/tone.mp3")));
    waitForAudio();
    m_server->stop();
    QVERIFY(failed.wait(15'000));
    QCOMPARE(m_player->status(), Status::Failed);
}

void TestEngine::newTuningCancelsReconnect()
{
    startPlayer({.retryMs = 1500});
    m_player->setUrl(m_server->url(QStringLiteral("/tone.mp3")));
    waitForAudio();
    // The server goes away: the retry at once fails, the next one waits 1.5 s.
    const quint16 port = m_server->port();
    m_server->stop();
    QTRY_VERIFY_WITH_TIMEOUT(m_player->playback().secondsToRetry > 0, 10'000);
    QCOMPARE(m_player->playback().text(), QStringLiteral("Reconnecting in 2 s\u2026"));
    m_player->close();
    QVERIFY(m_server->start(port));
    const int connections = m_server->connectionCount();
    QTest::qWait(2500);
    QCOMPARE(m_server->connectionCount(), connections);
    QCOMPARE(m_player->status(), Status::Idle);
}

void TestEngine::playsPlaylists_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("body"); // %1 stands for the stream URL, %2 for a dead one
    QTest::addColumn<bool>("local");
    QTest::newRow("pls") << "list.pls"
                         << QByteArray("[playlist]\nNumberOfEntries=1\nFile1=%1\nTitle1=T\n")
                         << false;
    QTest::newRow("m3u") << "list.m3u" << QByteArray("#EXTM3U\n#EXTINF:-1,Test\n%1\n") << false;
    QTest::newRow("asx remote")
        << "list.asx" << QByteArray("<asx version=\"3.0\"><entry><ref href=\"%1\"/></entry></asx>")
        << false;
    QTest::newRow("asx dead first entry")
        << "list.asx"
        << QByteArray(
               "<asx><entry><ref href=\"%2\"/></entry><entry><ref href=\"%1\"/></entry></asx>")
        << false;
    QTest::newRow("wax local") << "list.wax"
                               << QByteArray("<ASX><ENTRY><REF HREF=\"%1\"/></ENTRY></ASX>")
                               << true;
    QTest::newRow("wpl local relative")
        << "list.wpl"
        << QByteArray("<smil><body><seq><media src=\"tagged.mp3\"/></seq></body></smil>") << true;
}

void TestEngine::playsPlaylists()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, body);
    QFETCH(bool, local);
    const QString stream = m_server->url(QStringLiteral("/tone.mp3"));
    body.replace("%1", stream.toUtf8()).replace("%2", "http://127.0.0.1:1/dead.mp3");

    QTemporaryDir dir;
    QString location;
    if (local) {
        QVERIFY(QFile::copy(
            QDir(TestStreamServer::fixtureDirectory()).filePath(QStringLiteral("tagged.mp3")),
            dir.filePath(QStringLiteral("tagged.mp3"))));
        QFile file(dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(body);
        location = file.fileName();
    } else {
        m_server->addDocument(QLatin1Char('/') + name, body);
        location = m_server->url(QLatin1Char('/') + name);
    }
    m_player->setUrl(location);
    waitForAudio();
    QCOMPARE(m_player->url(), location);
}

// What a hostile channel list or remote playlist may name: the engine's filter protocol,
// which can write files, and the user's own files behind a playlist from the network.
// None of it plays, nothing is written, and the failure is reported.
void TestEngine::refusesUnsafeLocations_data()
{
    QTest::addColumn<QString>("path");    // served by the stream server, or "" for `location`
    QTest::addColumn<QByteArray>("body"); // %1 stands for a local file, %2 for a new one
    QTest::addColumn<QString>("location");
    QTest::newRow("filter writing a file")
        << "" << QByteArray() << "av://lavfi:sine=d=1,ametadata=mode=print:file=%2";
    QTest::newRow("edit list of a local file") << "" << QByteArray() << "edl://%1,0,1";
    QTest::newRow("remote m3u naming a local file")
        << "/evil.m3u" << QByteArray("#EXTM3U\n%1\n") << "";
    QTest::newRow("remote asx naming a local file")
        << "/evil.asx" << QByteArray("<asx><entry><ref href=\"file://%1\"/></entry></asx>") << "";
}

void TestEngine::refusesUnsafeLocations()
{
    QFETCH(QString, path);
    QFETCH(QByteArray, body);
    QFETCH(QString, location);
    startPlayer({.watchdogMs = 3000});
    QTemporaryDir dir;
    const QString local = dir.filePath(QStringLiteral("tagged.mp3"));
    const QString written = dir.filePath(QStringLiteral("written"));
    QVERIFY(QFile::copy(
        QDir(TestStreamServer::fixtureDirectory()).filePath(QStringLiteral("tagged.mp3")), local));
    if (!path.isEmpty()) {
        m_server->addDocument(path, body.replace("%1", local.toUtf8()));
        location = m_server->url(path);
    }
    location.replace(QLatin1String("%1"), local).replace(QLatin1String("%2"), written);

    QSignalSpy failed(m_player.get(), &MpvMediaPlayer::failed);
    m_player->setUrl(location);
    QVERIFY(failed.wait(10'000));
    QCOMPARE(m_player->status(), Status::Failed);
    QCOMPARE(m_player->bufferingCount(), std::optional<int>(0));
    QVERIFY(!QFile::exists(written));
}

void TestEngine::playsTaggedLocalFileToItsEnd()
{
    startPlayer({.retryMs = 100});
    QSignalSpy audio(m_player.get(), &MpvMediaPlayer::audioStarted);
    m_player->setUrl(
        QDir(TestStreamServer::fixtureDirectory()).filePath(QStringLiteral("tagged.mp3")));
    waitForAudio();
    QTRY_COMPARE(info("Title"), QStringLiteral("Fixture Title"));
    QCOMPARE(info("Author"), QStringLiteral("Fixture Artist"));
    QCOMPARE(m_player->bufferingProgress(), std::optional<int>(100));
    // A file that ends is finished, not dropped: no reconnect.
    QTRY_COMPARE_WITH_TIMEOUT(m_player->status(), Status::Ended, 10'000);
    QTest::qWait(500);
    QCOMPARE(audio.count(), 1);
}

// A file served with its length is a download, not a live stream: when it has played
// it has ended, and it is not fetched again.
void TestEngine::finiteDownloadEnds()
{
    m_server->addDocument(QStringLiteral("/song.mp3"), fixture("tagged.mp3"), "audio/mpeg");
    QSignalSpy audio(m_player.get(), &MpvMediaPlayer::audioStarted);
    m_player->setUrl(m_server->url(QStringLiteral("/song.mp3")));
    QTRY_COMPARE_WITH_TIMEOUT(m_player->status(), Status::Playing, kStartTimeoutMs);
    QTRY_COMPARE_WITH_TIMEOUT(m_player->status(), Status::Ended, 10'000);
    QCOMPARE(m_player->playback().text(), QStringLiteral("Played to the end"));
    const int connections = m_server->connectionCount();
    QTest::qWait(2000);
    QCOMPARE(m_server->connectionCount(), connections);
    QCOMPARE(audio.count(), 1);
}

// Playlists whose first entry is dead, or that are known by their content alone, play
// the live entry; when it drops, they reconnect instead of giving up on the dead one.
void TestEngine::playlistsPlayAndReconnect_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("body"); // %1: the live stream, %2: a missing one
    QTest::addColumn<QByteArray>("type");
    QTest::addColumn<bool>("local");
    const QByteArray asx = "<asx><entry><ref href=\"%2\"/></entry>"
                           "<entry><ref href=\"%1\"/></entry></asx>";
    QTest::newRow("wax, first entry 404") << "list.wax" << asx << QByteArray() << false;
    QTest::newRow("pls, 404 mirror first")
        << "list.pls" << QByteArray("[playlist]\nNumberOfEntries=2\nFile1=%2\nFile2=%1\n")
        << QByteArray() << false;
    QTest::newRow("local pls") << "list.pls"
                               << QByteArray("[playlist]\nNumberOfEntries=1\nFile1=%1\n")
                               << QByteArray() << true;
    QTest::newRow("asx without extension")
        << "listen" << QByteArray("<ASX version=\"3.0\"><ENTRY><REF HREF=\"%1\"/></ENTRY></ASX>")
        << QByteArray("video/x-ms-asf") << false;
}
void TestEngine::playlistsPlayAndReconnect()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, body);
    QFETCH(QByteArray, type);
    QFETCH(bool, local);
    body.replace("%1", m_server->url(QStringLiteral("/tone.mp3")).toUtf8())
        .replace("%2", m_server->url(QStringLiteral("/missing.mp3")).toUtf8());
    QTemporaryDir dir;
    QString location = m_server->url(QLatin1Char('/') + name);
    if (local) {
        QFile file(dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(body);
        location = file.fileName();
    } else {
        m_server->addDocument(QLatin1Char('/') + name, body,
                              type.isEmpty() ? QByteArray("text/plain") : type);
    }
    QSignalSpy audio(m_player.get(), &MpvMediaPlayer::audioStarted);
    m_player->setUrl(location);
    QTRY_COMPARE_WITH_TIMEOUT(audio.count(), 1, kStartTimeoutMs);

    const quint16 port = m_server->port();
    m_server->stop();
    QTRY_COMPARE_WITH_TIMEOUT(m_player->status(), Status::Reconnecting, 10'000);
    QVERIFY(m_player->playback().text().startsWith(QLatin1String("Reconnecting")));
    QVERIFY(m_server->start(port));
    QTRY_COMPARE_WITH_TIMEOUT(audio.count(), 2, 15'000);
    QCOMPARE(m_player->status(), Status::Playing);
}

// A playlist abandoned by a new tuning in the same turn never starts.
void TestEngine::abandonedLocalPlaylistStaysAbandoned()
{
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("list.wax")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("<asx><entry><ref href=\"" + m_server->url(QStringLiteral("/missing.mp3")).toUtf8() +
               "\"/></entry></asx>");
    file.close();

    PlaylistFetcher fetcher;
    QSignalSpy fetched(&fetcher, &PlaylistFetcher::finished);
    fetcher.fetch(QUrl::fromLocalFile(file.fileName()));
    fetcher.cancel();
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    QCOMPARE(fetched.count(), 0);

    m_player->setUrl(file.fileName());
    m_player->setUrl(m_server->url(QStringLiteral("/tone.mp3")));
    QTRY_COMPARE_WITH_TIMEOUT(m_player->status(), Status::Playing, kStartTimeoutMs);
    QTest::qWait(1000);
    QCOMPARE(m_player->status(), Status::Playing);
}

// HTTPS is verified against the trusted authorities: a certificate from an unknown one
// fails in plain words, and the same server plays once its authority is trusted.
void TestEngine::httpsCertificatesAreVerified_data()
{
    QTest::addColumn<bool>("trusted");
    QTest::newRow("unknown authority") << false;
    QTest::newRow("trusted authority") << true;
}
void TestEngine::httpsCertificatesAreVerified()
{
    QFETCH(bool, trusted);
    QTemporaryDir dir;
    const auto openssl = [&dir](const QStringList &args) {
        QProcess process;
        process.setWorkingDirectory(dir.path());
        process.start(QStringLiteral("openssl"), args);
        return process.waitForFinished(30'000) && process.exitCode() == 0;
    };
    if (!openssl({QStringLiteral("version")}))
        QSKIP("openssl is not installed");
    QFile ext(dir.filePath(QStringLiteral("ext")));
    QVERIFY(ext.open(QIODevice::WriteOnly));
    ext.write("subjectAltName=IP:127.0.0.1\n");
    ext.close();
    // A throwaway authority and a server certificate it signed, made for this run.
    QVERIFY(openssl(QStringLiteral("req -x509 -newkey rsa:2048 -nodes -keyout ca.key -out "
                                   "ca.pem -days 1 -subj /CN=Throwaway")
                        .split(QLatin1Char(' '))));
    QVERIFY(openssl(QStringLiteral("req -newkey rsa:2048 -nodes -keyout srv.key -out srv.csr "
                                   "-subj /CN=127.0.0.1")
                        .split(QLatin1Char(' '))));
    QVERIFY(openssl(QStringLiteral("x509 -req -in srv.csr -CA ca.pem -CAkey ca.key "
                                   "-CAcreateserial -out srv.pem -days 1 -extfile ext")
                        .split(QLatin1Char(' '))));
    QVERIFY(
        QFile::copy(QDir(TestStreamServer::fixtureDirectory()).filePath(QStringLiteral("tone.mp3")),
                    dir.filePath(QStringLiteral("tone.mp3"))));
    const quint16 port = freePort();
    QProcess server;
    server.setWorkingDirectory(dir.path());
    server.start(QStringLiteral("openssl"),
                 {QStringLiteral("s_server"), QStringLiteral("-quiet"), QStringLiteral("-WWW"),
                  QStringLiteral("-accept"), QStringLiteral("127.0.0.1:%1").arg(port),
                  QStringLiteral("-cert"), QStringLiteral("srv.pem"), QStringLiteral("-key"),
                  QStringLiteral("srv.key")});
    QVERIFY(server.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(
        [port] {
            QTcpSocket probe;
            probe.connectToHost(QHostAddress::LocalHost, port);
            return probe.waitForConnected(200);
        }(),
        10'000);

    if (trusted)
        startPlayer({}, {QStringLiteral("tls-ca-file=") + dir.filePath(QStringLiteral("ca.pem"))});
    QSignalSpy failed(m_player.get(), &MpvMediaPlayer::failed);
    m_player->setUrl(QStringLiteral("https://127.0.0.1:%1/tone.mp3").arg(port));
    if (trusted) {
        QTRY_COMPARE_WITH_TIMEOUT(m_player->status(), Status::Playing, kStartTimeoutMs);
    } else {
        QVERIFY(failed.wait(kStartTimeoutMs));
        QCOMPARE(m_player->playback().text(),
                 QStringLiteral("Secure connection failed: certificate not trusted"));
    }
    m_player.reset();
    server.kill();
    server.waitForFinished();
}

QTEST_GUILESS_MAIN(TestEngine)
#include "tst_engine.moc"
