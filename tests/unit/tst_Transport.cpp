#include "PlayerFixture.h"

#include <QTest>

namespace {

const QString kUrl = QStringLiteral("http://127.0.0.1:8000/nord.mp3");
const QString kNord = QStringLiteral("Radio Nord");
const QString kSyd = QStringLiteral("Radio Syd");
const QString kReset = QStringLiteral("Label3=0 kbps (0,00kB/s) - 0%");
const QString kIdle = QStringLiteral("no channel selected");
const QString kPause = QStringLiteral("Pause...");

enum class Start { Idle, Playing, Paused };

// A program started and loaded over a store saved while playing Radio Nord; Siste differs
// from the title so that copying the title into Label6 shows in the log.
void start(PlayerFixture &f, Start from)
{
    if (from != Start::Idle) {
        f.memory.values = {{QStringLiteral("Morvena Webradio/2.71/LydstraumURL"), kUrl},
                           {QStringLiteral("Morvena Webradio/2.71/Tittel2"), kNord},
                           {QStringLiteral("Morvena Webradio/2.71/KanalTekst"), "Artist - Song"},
                           {QStringLiteral("Morvena Webradio/2.71/Siste"), kSyd}};
    }
    f.lifecycle->loadForm();
    f.lifecycle->finishLoad();
    if (from == Start::Paused) {
        f.transport->pause();
    }
    f.log.take();
}

QString stored(PlayerFixture &f, const char *key)
{
    return f.memory.values.value(QStringLiteral("Morvena Webradio/2.71/") + QLatin1String(key));
}

} // namespace

/// Tuning, pause, continue and stop against recording fakes: the exact order of the steps
/// across engine, state, store, view and tray, and what the store holds afterwards.
class TestTransport : public QObject {
    Q_OBJECT

private slots:
    void tuneFromIdle()
    {
        PlayerFixture f;
        start(f, Start::Idle);
        f.transport->tune(kNord, kUrl);
        QCOMPARE(
            f.log.take(),
            QStringList({"tray.update(Playing, Radio Nord)", "view.icon(Playing)", kReset,
                         "engine.stop()", "engine.close()", "engine.setUrl(" + kUrl + ")",
                         "view.tmrUpdate(true)", "engine.setVolume(100)", "Label2=Radio Nord",
                         "Label6=Radio Nord"}) +
                PlayerFixture::saveLines(kUrl, kNord, kIdle, kNord) +
                QStringList({"view.pause_avs.enabled(true)", "view.fortsett_avs.caption(Continue)",
                             "view.fortsett_avs.enabled(false)", "view.PictureButton7(false)",
                             "view.PictureButton6(true)"}));
        QCOMPARE(f.state->Label4(), kIdle);
    }

    void tuneWhilePaused()
    {
        PlayerFixture f;
        start(f, Start::Paused);
        f.transport->tune(kSyd, QStringLiteral("http://syd/live.ogg"));
        QCOMPARE(
            f.log.take(),
            QStringList({"tray.update(Playing, Radio Syd)", "view.icon(Playing)", "engine.stop()",
                         "engine.close()", "engine.setUrl(http://syd/live.ogg)",
                         "view.tmrUpdate(true)", "engine.setVolume(100)", "Label2=Radio Syd",
                         "Label6=Radio Syd"}) +
                PlayerFixture::saveLines("http://syd/live.ogg", kSyd, kPause, kSyd) +
                QStringList({"view.pause_avs.enabled(true)", "view.fortsett_avs.caption(Continue)",
                             "view.fortsett_avs.enabled(false)", "view.PictureButton7(false)",
                             "view.PictureButton6(true)"}));
    }

    void tuneToEmptyChannel()
    {
        PlayerFixture f;
        start(f, Start::Playing);
        f.transport->tune(QString(), QString());
        QVERIFY(f.log.take().contains("engine.setUrl()"));
        QCOMPARE(f.engine->url(), QString());
        QCOMPARE(f.state->Label2(), QString());
        QCOMPARE(stored(f, "Tittel2"), QString());
    }

    void pause_data()
    {
        QTest::addColumn<bool>("button");
        QTest::newRow("pause button") << true;
        QTest::newRow("popup item") << false;
    }
    void pause()
    {
        QFETCH(bool, button);
        PlayerFixture f;
        start(f, Start::Playing);
        button ? f.transport->pauseButton() : f.transport->pause();
        QCOMPARE(f.log.take(),
                 QStringList({"view.fortsett_avs.caption(Continue (Radio Nord))",
                              "view.fortsett_avs.enabled(true)", "view.pause_avs.enabled(false)",
                              "Label6=Radio Nord", "Label2=Pause...", "view.PictureButton6(false)",
                              "view.PictureButton7(true)", "tray.update(Idle, Pause...)",
                              "view.icon(Idle)", kReset, "Label4=Pause..."}) +
                     PlayerFixture::saveLines(kUrl, kPause, kPause, kNord) +
                     QStringList({"engine.close()"}));
    }

    void pauseButtonDoesNothingWhenIdle()
    {
        PlayerFixture f;
        start(f, Start::Idle);
        f.transport->pauseButton();
        QCOMPARE(f.log.take(), QStringList());
    }

    void continueAfterPause()
    {
        PlayerFixture f;
        start(f, Start::Paused);
        f.transport->continuePlaying();
        QCOMPARE(
            f.log.take(),
            QStringList({"view.fortsett_avs.caption(Continue)", "view.fortsett_avs.enabled(false)",
                         "view.pause_avs.enabled(true)", "engine.setUrl(" + kUrl + ")",
                         "engine.setVolume(100)", "Label2=Radio Nord", "view.PictureButton7(false)",
                         "view.PictureButton6(true)", "tray.update(Playing, Radio Nord)",
                         "view.icon(Playing)"}) +
                PlayerFixture::saveLines(kUrl, kNord, kPause, kNord));
        QCOMPARE(f.state->Label4(), kPause); // until the status poll brings the stream's title
    }

    void stop_data()
    {
        QTest::addColumn<Start>("from");
        QTest::addColumn<QStringList>("expected");
        const QStringList head = {"view.tmrUpdate(false)",
                                  "tray.update(Idle, no channel selected)",
                                  "view.icon(Idle)",
                                  "engine.setUrl()",
                                  "engine.stop()",
                                  "engine.close()",
                                  "Label2=no channel selected"};
        // Stop also puts the indicator to "no stream": with the poll halted it would
        // otherwise go on claiming the stream that was just stopped.
        const QStringList noStream = {"Label5.ForeColor=#ffffe0c0", "Label5=no stream"};
        const QStringList items = {"view.fortsett_avs.caption(Continue)",
                                   "view.pause_avs.enabled(false)",
                                   "view.fortsett_avs.enabled(false)"};
        QTest::newRow("playing") << Start::Playing
                                 << head + QStringList({kReset, "Label4=no channel selected"}) +
                                        noStream + items +
                                        PlayerFixture::saveLines({}, kIdle, kIdle, kSyd);
        // From the pause state stop also brings the pause button back: the stream is
        // forgotten, so nothing may offer to continue it.
        QTest::newRow("paused") << Start::Paused
                                << head + QStringList({"Label4=no channel selected"}) + noStream +
                                       items +
                                       QStringList({"view.PictureButton7(false)",
                                                    "view.PictureButton6(true)"}) +
                                       PlayerFixture::saveLines({}, kIdle, kIdle, kNord);
    }
    void stop()
    {
        QFETCH(Start, from);
        QFETCH(QStringList, expected);
        PlayerFixture f;
        start(f, from);
        f.transport->stop();
        QCOMPARE(f.log.take(), expected);
        QCOMPARE(f.engine->url(), QString());
    }

    void toTray_data()
    {
        QTest::addColumn<Start>("from");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("idle") << Start::Idle
                              << QStringList(
                                     {"view.minimize()", "tray.add(Idle, no channel selected)"});
        QTest::newRow("playing") << Start::Playing
                                 << QStringList({"view.minimize()", "view.icon(Playing)",
                                                 "tray.add(Playing, Radio Nord)"});
        // Only the idle title selects the idle icon.
        QTest::newRow("paused") << Start::Paused
                                << QStringList({"view.minimize()", "view.icon(Playing)",
                                                "tray.add(Playing, Pause...)"});
    }
    void toTray()
    {
        QFETCH(Start, from);
        QFETCH(QStringList, expected);
        PlayerFixture f;
        start(f, from);
        f.transport->toTray();
        QCOMPARE(f.log.take(), expected);
    }

    void exitEndsWithoutSaving()
    {
        PlayerFixture f;
        start(f, Start::Playing);
        f.state->setLabel4(QStringLiteral("Artist - Other Song"));
        f.log.take();
        f.transport->exit();
        QCOMPARE(f.log.take(), QStringList({"tray.remove()", "view.end()"}));
        QCOMPARE(stored(f, "KanalTekst"), QStringLiteral("Artist - Song"));
    }
};

QTEST_GUILESS_MAIN(TestTransport)
#include "tst_Transport.moc"
