// The libmpv adapter against a local stream server: playback, figures, metadata, faults and
// their reasons (in Norwegian), reconnection, playlists, files that end, unsafe locations and
// HTTPS. Audio goes to mpv's null output. Calls are checked for freezes only (a blocking connect
// or read takes seconds); how long they take on a quiet machine is bench-stalls' business.
#include "MpvMediaPlayer.h"
#include "TestStreamServer.h"
#include "Translations.h"

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

// A call that takes a second blocked on the network or a file: a freeze, not a busy machine.
template<typename Call>
bool returnsWithoutFreezing(Call &&call)
{
    QElapsedTimer clock;
    clock.start();
    call();
    return clock.elapsed() < 1000;
}

QString fixture(const char *name)
{
    return QDir(TestStreamServer::fixtureDirectory()).filePath(QLatin1String(name));
}

bool write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}
} // namespace

class TestEngine : public QObject {
    Q_OBJECT

    std::unique_ptr<TestStreamServer> m_server;
    std::unique_ptr<MpvMediaPlayer> m_player;
    QList<Status> m_states; // every status the player went through

    void startPlayer(const MpvMediaPlayer::Timings &timings = {}, const QStringList &options = {})
    {
        m_player.reset();
        m_player =
            std::make_unique<MpvMediaPlayer>(QStringList{QStringLiteral("ao=null")} + options);
        QVERIFY(m_player->isValid());
        m_player->setTimings(timings);
        m_states.clear();
        connect(m_player.get(), &MpvMediaPlayer::statusChanged, this,
                [this] { m_states.append(m_player->status()); });
    }
    void waitForAudio()
    {
        QTRY_VERIFY_WITH_TIMEOUT(m_player->bufferingCount().value_or(0) > 0, kStartTimeoutMs);
        QCOMPARE(m_player->status(), Status::Playing);
    }
    QString info(const char *name) const
    {
        return m_player->itemInfo(QLatin1String(name)).value_or(QStringLiteral("<none>"));
    }
    QString tone() const { return m_server->url(QStringLiteral("/tone.mp3")); }
    // Stops the server until the player reconnects, then brings it back on the same port.
    void restartServer(int audioCountAfter)
    {
        QSignalSpy audio(m_player.get(), &MpvMediaPlayer::audioStarted);
        const quint16 port = m_server->port();
        m_server->stop();
        QTRY_COMPARE_WITH_TIMEOUT(m_player->status(), Status::Reconnecting, 10'000);
        QVERIFY(m_player->playback().text().startsWith(QStringLiteral("Kobler til på nytt")));
        QVERIFY(m_server->start(port));
        QTRY_COMPARE_WITH_TIMEOUT(audio.count(), audioCountAfter, 15'000);
        QCOMPARE(m_player->status(), Status::Playing);
    }

private slots:
    void initTestCase()
    {
        QCOMPARE(Translations::install(QLocale(QLocale::NorwegianBokmal)), "nb");
    }
    void init()
    {
        // The rows wait on real streams: ctest runs them in two halves of about the same
        // length side by side, faults and reconnection (MORVENA_TEST_HALF=1) and the rest (0).
        if (const QByteArray half = qgetenv("MORVENA_TEST_HALF"); !half.isEmpty()) {
            const QByteArray function = QTest::currentTestFunction();
            const bool faults = function.startsWith("faults") || function.startsWith("reconnect") ||
                                function.startsWith("close");
            if (faults != (half == "1"))
                QSKIP("run by the other half");
        }
        m_server = std::make_unique<TestStreamServer>();
        QVERIFY(m_server->start());
        startPlayer();
    }
    void cleanup()
    {
        m_player.reset();
        m_server.reset();
    }

    void playsLiveStreams_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<Mode>("mode");
        QTest::addColumn<qint64>("minBitrate");
        QTest::addColumn<qint64>("maxBitrate");
        QTest::newRow("mp3") << "/tone.mp3" << Mode::Normal << 120'000LL << 136'000LL;
        QTest::newRow("ogg vorbis") << "/tone.ogg" << Mode::Normal << 1'000LL << 400'000LL;
        QTest::newRow("ICY 200 OK") << "/tone.mp3" << Mode::IcyStatusLine << 120'000LL << 136'000LL;
    }
    void playsLiveStreams()
    {
        QFETCH(QString, path);
        QFETCH(Mode, mode);
        QFETCH(qint64, minBitrate);
        QFETCH(qint64, maxBitrate);
        m_server->setSettings({.mode = mode});
        const QString url = m_server->url(path);
        QVERIFY(returnsWithoutFreezing([&] { m_player->setUrl(url); }));
        QCOMPARE(m_player->url(), url);
        QCOMPARE(info("Author"), QString()); // the item exists at once, with nothing known yet
        waitForAudio();
        QTRY_VERIFY(!info("Bitrate").isEmpty());
        const qint64 bitrate = info("Bitrate").toLongLong();
        QVERIFY2(bitrate >= minBitrate && bitrate <= maxBitrate, qPrintable(info("Bitrate")));
        QTRY_VERIFY(m_player->bandWidth().value_or(0) > 0);
        QTRY_COMPARE_WITH_TIMEOUT(info("Title"), QStringLiteral("First Song"), kTitleTimeoutMs);
        QCOMPARE(info("Author"), QStringLiteral("Test Artist"));
        if (path.endsWith(QLatin1String(".ogg")))
            return; // its metadata comes seconds apart: a title change is the MP3 rows' case
        // A station's change, in Latin-1 as many still send, in metadata blocks of the
        // greatest size.
        m_server->setSettings({.mode = mode,
                               .title = "\xD8stlandssendingen - Nyheter p\xE5 nynorsk",
                               .hugeMetadata = true});
        QTRY_COMPARE_WITH_TIMEOUT(info("Author"), QStringLiteral("Østlandssendingen"),
                                  kTitleTimeoutMs);
        QCOMPARE(info("Title"), QStringLiteral("Nyheter på nynorsk"));
    }

    void faultsFailWithoutFreezing_data()
    {
        QTest::addColumn<Mode>("mode");
        QTest::addColumn<bool>("refused");
        QTest::addColumn<QString>("reason");
        QTest::newRow("404") << Mode::NotFound << false << "Fant ikke stasjonen (HTTP 404)";
        QTest::newRow("refused") << Mode::Normal << true << "Tilkoblingen ble avvist";
        QTest::newRow("garbage") << Mode::Garbage << false << "Ingen lyd kom i løpet av 3 s";
        QTest::newRow("hang") << Mode::Hang << false << "Ingen lyd kom i løpet av 3 s";
        QTest::newRow("trickle") << Mode::Trickle << false << "Ingen lyd kom i løpet av 3 s";
        QTest::newRow("redirect loop")
            << Mode::RedirectLoop << false << "For mange videresendinger";
        QTest::newRow("hangs up") << Mode::HangUp << false << "Serveren lukket forbindelsen";
    }
    void faultsFailWithoutFreezing()
    {
        QFETCH(Mode, mode);
        QFETCH(bool, refused);
        QFETCH(QString, reason);
        startPlayer({.watchdogMs = 3000});
        m_server->setSettings({.mode = mode});
        if (refused)
            m_server->stop();
        QSignalSpy failed(m_player.get(), &MpvMediaPlayer::failed);
        QVERIFY(returnsWithoutFreezing([&] { m_player->setUrl(tone()); }));
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

    // Dropped by the server, the stream comes back at once on a fresh connection; a server
    // that goes away and comes back on the same port is found again.
    void reconnectsAfterDropAndServerRestart()
    {
        startPlayer({.retryMs = 200});
        m_server->setSettings({.dropAfterMs = 2500});
        QSignalSpy audio(m_player.get(), &MpvMediaPlayer::audioStarted);
        m_player->setUrl(tone());
        waitForAudio();
        QTRY_VERIFY_WITH_TIMEOUT(m_states.contains(Status::Reconnecting), 10'000);
        m_server->setSettings({});
        QTRY_COMPARE_WITH_TIMEOUT(audio.count(), 2, 10'000);
        QCOMPARE(m_player->status(), Status::Playing);
        restartServer(1);
    }

    void reconnectEndsOn404AndGivesUp()
    {
        startPlayer({.retryMs = 100, .maxRetryMs = 200, .maxSilentReconnects = 3});
        m_server->setSettings({.dropAfterMs = 2000});
        QSignalSpy failed(m_player.get(), &MpvMediaPlayer::failed);
        m_player->setUrl(tone());
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
        m_player->setUrl(tone());
        waitForAudio();
        m_server->stop();
        QVERIFY(failed.wait(15'000));
        QCOMPARE(m_player->status(), Status::Failed);
    }

    void closeCancelsAPendingRetry()
    {
        startPlayer({.retryMs = 1500});
        m_player->setUrl(tone());
        waitForAudio();
        // The server goes away: the retry at once fails, the next one waits 1.5 s.
        const quint16 port = m_server->port();
        m_server->stop();
        QTRY_VERIFY_WITH_TIMEOUT(m_player->playback().secondsToRetry > 0, 10'000);
        QCOMPARE(m_player->playback().text(), QStringLiteral("Kobler til på nytt om 2 s\u2026"));
        m_player->close();
        QVERIFY(m_server->start(port));
        const int connections = m_server->connectionCount();
        QTest::qWait(2500);
        QCOMPARE(m_server->connectionCount(), connections);
        QCOMPARE(m_player->status(), Status::Idle);
    }

    // Each playlist plays its live entry, past dead ones; with "reconnect", a drop of the
    // live entry reconnects to it instead of giving up on the dead one.
    void playsPlaylists_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("body"); // %1: the live stream, %2: a missing one
        QTest::addColumn<QByteArray>("type");
        QTest::addColumn<bool>("local");
        QTest::addColumn<bool>("reconnect");
        const QByteArray asx = "<asx><entry><ref href=\"%2\"/></entry>"
                               "<entry><ref href=\"%1\"/></entry></asx>";
        const QByteArray plain = "text/plain";
        QTest::newRow("pls") << "list.pls"
                             << QByteArray("[playlist]\nNumberOfEntries=1\nFile1=%1\n") << plain
                             << false << false;
        QTest::newRow("m3u") << "list.m3u" << QByteArray("#EXTM3U\n#EXTINF:-1,Test\n%1\n") << plain
                             << false << false;
        QTest::newRow("remote asx, dead first entry")
            << "list.asx" << QByteArray(asx).replace("%2", "http://127.0.0.1:1/dead.mp3") << plain
            << false << false;
        QTest::newRow("local wax")
            << "list.wax" << QByteArray("<ASX><ENTRY><REF HREF=\"%1\"/></ENTRY></ASX>") << plain
            << true << false;
        QTest::newRow("local wpl, relative entry")
            << "list.wpl"
            << QByteArray("<smil><body><seq><media src=\"tagged.mp3\"/></seq></body></smil>")
            << plain << true << false;
        QTest::newRow("wax, first entry 404") << "list.wax" << asx << plain << false << true;
        QTest::newRow("pls, 404 mirror first")
            << "list.pls" << QByteArray("[playlist]\nNumberOfEntries=2\nFile1=%2\nFile2=%1\n")
            << plain << false << true;
        QTest::newRow("local pls")
            << "list.pls" << QByteArray("[playlist]\nNumberOfEntries=1\nFile1=%1\n") << plain
            << true << true;
        QTest::newRow("asx without extension")
            << "listen"
            << QByteArray("<ASX version=\"3.0\"><ENTRY><REF HREF=\"%1\"/></ENTRY></ASX>")
            << QByteArray("video/x-ms-asf") << false << true;
    }
    void playsPlaylists()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, body);
        QFETCH(QByteArray, type);
        QFETCH(bool, local);
        QFETCH(bool, reconnect);
        body.replace("%1", tone().toUtf8())
            .replace("%2", m_server->url(QStringLiteral("/missing.mp3")).toUtf8());
        QTemporaryDir dir;
        QString location = m_server->url(QLatin1Char('/') + name);
        if (local) {
            location = dir.filePath(name);
            QVERIFY(write(location, body));
            QVERIFY(QFile::copy(fixture("tagged.mp3"), dir.filePath(QStringLiteral("tagged.mp3"))));
        } else {
            m_server->addDocument(QLatin1Char('/') + name, {body, type});
        }
        m_player->setUrl(location);
        waitForAudio();
        QCOMPARE(m_player->url(), location);
        if (reconnect)
            restartServer(1);
    }

    // What a hostile channel list or remote playlist may name: the engine's filter protocol,
    // which can write files, and the user's own files behind a playlist from the network.
    // None of it plays, nothing is written, and the failure is reported.
    void refusesUnsafeLocations_data()
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
            << "/evil.asx" << QByteArray("<asx><entry><ref href=\"file://%1\"/></entry></asx>")
            << "";
    }
    void refusesUnsafeLocations()
    {
        QFETCH(QString, path);
        QFETCH(QByteArray, body);
        QFETCH(QString, location);
        startPlayer({.watchdogMs = 3000});
        QTemporaryDir dir;
        const QString local = dir.filePath(QStringLiteral("tagged.mp3"));
        const QString written = dir.filePath(QStringLiteral("written"));
        QVERIFY(QFile::copy(fixture("tagged.mp3"), local));
        if (!path.isEmpty()) {
            m_server->addDocument(path, {body.replace("%1", local.toUtf8())});
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

    // A local file, and a file served with its length, are finished when played, not
    // dropped: they end with their tags read and are not fetched again.
    void filesEnd_data()
    {
        QTest::addColumn<bool>("download");
        QTest::newRow("local file") << false;
        QTest::newRow("HTTP download") << true;
    }
    void filesEnd()
    {
        QFETCH(bool, download);
        startPlayer({.retryMs = 100});
        QFile file(fixture("tagged.mp3"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        m_server->addDocument(QStringLiteral("/song.mp3"), {file.readAll(), "audio/mpeg"});
        QSignalSpy audio(m_player.get(), &MpvMediaPlayer::audioStarted);
        m_player->setUrl(download ? m_server->url(QStringLiteral("/song.mp3")) : file.fileName());
        QTRY_COMPARE_WITH_TIMEOUT(m_player->status(), Status::Playing, kStartTimeoutMs);
        QTRY_COMPARE(info("Title"), QStringLiteral("Fixture Title"));
        QTRY_COMPARE_WITH_TIMEOUT(m_player->status(), Status::Ended, 10'000);
        QCOMPARE(m_player->playback().text(), QStringLiteral("Spilt til slutten"));
        const int connections = m_server->connectionCount();
        QTest::qWait(1500);
        QCOMPARE(m_server->connectionCount(), connections);
        QCOMPARE(audio.count(), 1);
    }

    // A playlist abandoned by a new tuning in the same turn never starts.
    void abandonedLocalPlaylistStaysAbandoned()
    {
        QTemporaryDir dir;
        const QString list = dir.filePath(QStringLiteral("list.wax"));
        QVERIFY(write(list, "<asx><entry><ref href=\"" +
                                m_server->url(QStringLiteral("/missing.mp3")).toUtf8() +
                                "\"/></entry></asx>"));
        m_player->setUrl(list);
        m_player->setUrl(tone());
        QTRY_COMPARE_WITH_TIMEOUT(m_player->status(), Status::Playing, kStartTimeoutMs);
        QTest::qWait(1000);
        QCOMPARE(m_player->status(), Status::Playing);
    }

    // HTTPS is verified against the trusted authorities: a certificate from an unknown one
    // fails in plain words, for a stream and for a playlist the player reads itself, and
    // the same server plays once its authority is trusted.
    void httpsCertificatesAreVerified_data()
    {
        QTest::addColumn<bool>("trusted");
        QTest::addColumn<QString>("path");
        QTest::newRow("unknown authority") << false << "tone.mp3";
        QTest::newRow("unknown authority, asx playlist") << false << "list.asx";
        QTest::newRow("trusted authority") << true << "tone.mp3";
    }
    void httpsCertificatesAreVerified()
    {
        QFETCH(bool, trusted);
        QFETCH(QString, path);
        QTemporaryDir dir;
        const auto openssl = [&dir](const QString &args) {
            QProcess process;
            process.setWorkingDirectory(dir.path());
            process.start(QStringLiteral("openssl"), args.split(QLatin1Char(' ')));
            return process.waitForFinished(30'000) && process.exitCode() == 0;
        };
        if (!openssl(QStringLiteral("version")))
            QSKIP("openssl is not installed");
        QVERIFY(write(dir.filePath(QStringLiteral("ext")), "subjectAltName=IP:127.0.0.1\n"));
        QVERIFY(QFile::copy(fixture("tone.mp3"), dir.filePath(QStringLiteral("tone.mp3"))));
        // A throwaway authority and a server certificate it signed, made for this run.
        QVERIFY(openssl(QStringLiteral("req -x509 -newkey rsa:2048 -nodes -keyout ca.key -out "
                                       "ca.pem -days 1 -subj /CN=Throwaway")));
        QVERIFY(openssl(QStringLiteral("req -newkey rsa:2048 -nodes -keyout srv.key -out srv.csr "
                                       "-subj /CN=127.0.0.1")));
        QVERIFY(openssl(QStringLiteral("x509 -req -in srv.csr -CA ca.pem -CAkey ca.key "
                                       "-CAcreateserial -out srv.pem -days 1 -extfile ext")));
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost);
        const quint16 port = probe.serverPort();
        probe.close();
        QProcess server;
        server.setWorkingDirectory(dir.path());
        server.start(QStringLiteral("openssl"),
                     QStringLiteral("s_server -quiet -WWW -accept 127.0.0.1:%1 -cert srv.pem "
                                    "-key srv.key")
                         .arg(port)
                         .split(QLatin1Char(' ')));
        QVERIFY(server.waitForStarted());
        QTcpSocket socket;
        QTRY_VERIFY_WITH_TIMEOUT(
            (socket.connectToHost(QHostAddress::LocalHost, port), socket.waitForConnected(200)),
            10'000);
        socket.abort();
        if (trusted)
            startPlayer({},
                        {QStringLiteral("tls-ca-file=") + dir.filePath(QStringLiteral("ca.pem"))});
        QSignalSpy failed(m_player.get(), &MpvMediaPlayer::failed);
        QVERIFY(write(dir.filePath(QStringLiteral("list.asx")),
                      "<asx><entry><ref href=\"tone.mp3\"/></entry></asx>"));
        m_player->setUrl(QStringLiteral("https://127.0.0.1:%1/%2").arg(port).arg(path));
        if (trusted) {
            QTRY_COMPARE_WITH_TIMEOUT(m_player->status(), Status::Playing, kStartTimeoutMs);
        } else {
            QVERIFY(failed.wait(kStartTimeoutMs));
            QCOMPARE(m_player->playback().text(),
                     QStringLiteral("Sikker tilkobling mislyktes: sertifikatet er ikke klarert"));
        }
        m_player.reset();
        server.kill();
        server.waitForFinished();
    }
};

QTEST_GUILESS_MAIN(TestEngine)
#include "tst_engine.moc"
