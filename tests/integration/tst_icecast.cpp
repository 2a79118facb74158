// The engine against a real Icecast 2 server fed by ffmpeg: it plays, and a title set
// through Icecast's admin interface reaches the now-playing fields.
#include "IcecastServer.h"
#include "MpvMediaPlayer.h"
#include "TestStreamServer.h"

#include <QDir>
#include <QTest>

class TestIcecast : public QObject {
    Q_OBJECT

private slots:
    void titleChangesArrive();
};

void TestIcecast::titleChangesArrive()
{
    if (!IcecastServer::available())
        QSKIP("icecast2 or ffmpeg is not installed");
    IcecastServer server;
    QString error;
    QVERIFY2(server.start(
                 QStringLiteral("/live.mp3"),
                 QDir(TestStreamServer::fixtureDirectory()).filePath(QStringLiteral("tone.mp3")),
                 &error),
             qPrintable(error));

    MpvMediaPlayer player({QStringLiteral("ao=null")});
    QVERIFY(server.setTitle(QStringLiteral("Artist One - Song One")));
    player.setUrl(server.url());
    QTRY_VERIFY_WITH_TIMEOUT(player.bufferingCount().value_or(0) > 0, 10'000);
    QTRY_VERIFY(player.itemInfo(QStringLiteral("Bitrate")).value_or(QString()).toInt() > 100'000);
    // Icecast's burst means a title shows when its audio plays, a few seconds late.
    QTRY_COMPARE_WITH_TIMEOUT(player.itemInfo(QStringLiteral("Title")), QStringLiteral("Song One"),
                              15'000);
    QCOMPARE(player.itemInfo(QStringLiteral("Author")), QStringLiteral("Artist One"));

    QVERIFY(server.setTitle(QStringLiteral("Bjørn Eidsvåg - Eg ser")));
    QTRY_COMPARE_WITH_TIMEOUT(player.itemInfo(QStringLiteral("Title")), QStringLiteral("Eg ser"),
                              15'000);
    QCOMPARE(player.itemInfo(QStringLiteral("Author")), QStringLiteral("Bjørn Eidsvåg"));
}

QTEST_GUILESS_MAIN(TestIcecast)
#include "tst_icecast.moc"
