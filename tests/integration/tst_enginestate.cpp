// The engine's account of playback in the cases where a stream does not simply play:
// files that end, playlists with dead entries that later drop, playlists known only by
// their content, abandoned playlists, and HTTPS certificates.
#include "MpvMediaPlayer.h"
#include "PlaylistFetcher.h"
#include "TestStreamServer.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using Status = MpvMediaPlayer::Status;

namespace {

constexpr int kStartTimeoutMs = 10'000;

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

class TestEngineState : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_server = std::make_unique<TestStreamServer>();
        QVERIFY(m_server->start());
        startPlayer({});
    }
    void cleanup()
    {
        m_player.reset();
        m_server.reset();
    }

    // A file served with its length is a download, not a live stream: when it has played
    // it has ended, and it is not fetched again.
    void finiteDownloadEnds()
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
    void playlistsPlayAndReconnect_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("body"); // %1: the live stream, %2: a missing one
        QTest::addColumn<QByteArray>("type");
        QTest::addColumn<bool>("local");
        const QByteArray asx = "<asx><entry><ref href=\"%2\"/></entry>"
                               "<entry><ref href=\"%1\"/></entry></asx>";
        QTest::newRow("wax, first entry 404") << "list.wax" << asx << QByteArray() << false;
        QTest::newRow("pls, 404 mirror first")
            << "list.pls"
            << QByteArray("[playlist]\nNumberOfEntries=2\nFile1=%2\nFile2=%1\n") << QByteArray()
            << false;
        QTest::newRow("local pls") << "list.pls"
                                   << QByteArray("[playlist]\nNumberOfEntries=1\nFile1=%1\n")
                                   << QByteArray() << true;
        QTest::newRow("asx without extension")
            << "listen" << QByteArray("<ASX version=\"3.0\"><ENTRY><REF HREF=\"%1\"/></ENTRY></ASX>")
            << QByteArray("video/x-ms-asf") << false;
    }
    void playlistsPlayAndReconnect()
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
    void abandonedLocalPlaylistStaysAbandoned()
    {
        QTemporaryDir dir;
        QFile file(dir.filePath(QStringLiteral("list.wax")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("<asx><entry><ref href=\"" +
                   m_server->url(QStringLiteral("/missing.mp3")).toUtf8() + "\"/></entry></asx>");
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
    void httpsCertificatesAreVerified_data()
    {
        QTest::addColumn<bool>("trusted");
        QTest::newRow("unknown authority") << false;
        QTest::newRow("trusted authority") << true;
    }
    void httpsCertificatesAreVerified()
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
        QVERIFY(QFile::copy(QDir(TestStreamServer::fixtureDirectory())
                                .filePath(QStringLiteral("tone.mp3")),
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
            startPlayer({QStringLiteral("tls-ca-file=") + dir.filePath(QStringLiteral("ca.pem"))});
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

private:
    void startPlayer(const QStringList &options)
    {
        m_player.reset();
        m_player = std::make_unique<MpvMediaPlayer>(QStringList{QStringLiteral("ao=null")} +
                                                    options);
        QVERIFY(m_player->isValid());
    }

    std::unique_ptr<TestStreamServer> m_server;
    std::unique_ptr<MpvMediaPlayer> m_player;
};

QTEST_GUILESS_MAIN(TestEngineState)
#include "tst_enginestate.moc"
