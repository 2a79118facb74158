// The player's core against recording fakes: tuning, pause, continue and stop in the exact
// order of their steps across engine, state, store, view and tray, and the status poll and
// announcement watcher over a scripted engine.
#include "Fixture.h"

#include <QTest>

namespace {

const QString kUrl = QStringLiteral("http://127.0.0.1:8000/nord.mp3");
const QString kNord = QStringLiteral("Radio Nord");
const QString kSyd = QStringLiteral("Radio Syd");
const QString kReset = QStringLiteral("0 kbps (0,00kB/s) - 0%");
const QString kLive = QStringLiteral("128 kbps (16,00 kB/s) - 100%");
const QString kIdle = QStringLiteral("no channel selected");
const QString kPause = QStringLiteral("Pause...");
const QString kSong = QStringLiteral("Artist - Song");

// A program started over a store saved while playing Radio Nord (Siste differs from the
// title so that copying the title into Label6 shows), loaded, and paused if asked.
void startPlaying(Fixture &f, bool paused = false)
{
    f.memory.values = {{Fixture::key(u"LydstraumURL"), kUrl},
                       {Fixture::key(u"Tittel2"), kNord},
                       {Fixture::key(u"KanalTekst"), kSong},
                       {Fixture::key(u"Siste"), kSyd}};
    f.lifecycle->loadForm();
    f.lifecycle->finishLoad();
    if (paused)
        f.transport->pause();
    f.log.take();
}

// Tuned to Radio Nord, with live figures and a title from the stream; the log is empty.
void tuneLive(Fixture &f)
{
    f.transport->tune(kNord, kUrl);
    f.engine->items = {{QStringLiteral("Bitrate"), QStringLiteral("128000")},
                       {QStringLiteral("Author"), QStringLiteral("Artist")},
                       {QStringLiteral("Title"), QStringLiteral("Song")}};
    f.engine->bandWidthValue = 128000;
    f.engine->bufferingProgressValue = 100;
    f.engine->bufferingCountValue = 1;
    f.log.take();
}

} // namespace

class TestPlayer : public QObject {
    Q_OBJECT

private slots:
    void tuneFromIdle()
    {
        Fixture f;
        f.lifecycle->loadForm();
        f.lifecycle->finishLoad();
        f.log.take();
        f.transport->tune(kNord, kUrl);
        QCOMPARE(
            f.log.take(),
            QStringList({"tray.update(Playing, Radio Nord)", "view.icon(Playing)",
                         "Label3=" + kReset, "engine.stop()", "engine.close()",
                         "engine.setUrl(" + kUrl + ")", "view.tmrUpdate(true)",
                         "engine.setVolume(100)", "Label2=Radio Nord", "Label6=Radio Nord"}) +
                Fixture::saveLines(kUrl, kNord, kIdle, kNord) +
                QStringList({"view.pause_avs.enabled(true)", "view.fortsett_avs.caption(Continue)",
                             "view.fortsett_avs.enabled(false)", "view.PictureButton7(false)",
                             "view.PictureButton6(true)"}));
    }

    // The pause saves the stream's address before it closes the stream.
    void pause_data()
    {
        QTest::addColumn<bool>("button");
        QTest::newRow("pause button") << true;
        QTest::newRow("popup item") << false;
    }
    void pause()
    {
        QFETCH(bool, button);
        Fixture f;
        startPlaying(f);
        button ? f.transport->pauseButton() : f.transport->pause();
        QCOMPARE(f.log.take(),
                 QStringList({"view.fortsett_avs.caption(Continue (Radio Nord))",
                              "view.fortsett_avs.enabled(true)", "view.pause_avs.enabled(false)",
                              "Label6=Radio Nord", "Label2=Pause...", "view.PictureButton6(false)",
                              "view.PictureButton7(true)", "tray.update(Idle, Pause...)",
                              "view.icon(Idle)", "Label3=" + kReset, "Label4=Pause..."}) +
                     Fixture::saveLines(kUrl, kPause, kPause, kNord) +
                     QStringList({"engine.close()"}));
    }

    void pauseButtonDoesNothingWhenIdle()
    {
        Fixture f;
        f.lifecycle->loadForm();
        f.lifecycle->finishLoad();
        f.log.take();
        f.transport->pauseButton();
        QCOMPARE(f.log.take(), QStringList());
    }

    void continueAfterPause()
    {
        Fixture f;
        startPlaying(f, true);
        f.transport->continuePlaying();
        QCOMPARE(f.engine->url(), kUrl);
        QCOMPARE(f.state->Label2(), kNord);
        QCOMPARE(f.stored(u"Tittel2"), kNord);
        QCOMPARE(f.state->Label4(), kPause); // until the status poll brings the stream's title
    }

    // Stop forgets the stream, puts the light to "no stream" (the poll stops, so it would
    // go on claiming the stream) and, from the pause state, brings the pause button back.
    void stop_data()
    {
        QTest::addColumn<bool>("paused");
        QTest::newRow("playing") << false;
        QTest::newRow("paused") << true;
    }
    void stop()
    {
        QFETCH(bool, paused);
        Fixture f;
        startPlaying(f, paused);
        f.transport->stop();
        const QStringList log = f.log.take();
        QCOMPARE(log.mid(0, 4),
                 QStringList({"view.tmrUpdate(false)", "tray.update(Idle, no channel selected)",
                              "view.icon(Idle)", "engine.setUrl()"}));
        QVERIFY(log.contains("Label5=no stream"));
        QCOMPARE(log.contains("view.PictureButton6(true)"), paused);
        QCOMPARE(f.engine->url(), QString());
        QCOMPARE(f.stored(u"LydstraumURL"), QString());
        QCOMPARE(f.stored(u"Tittel2"), kIdle);
    }

    void exitEndsWithoutSaving()
    {
        Fixture f;
        startPlaying(f);
        f.state->setLabel4(QStringLiteral("Artist - Other Song"));
        f.log.take();
        f.transport->exit();
        QCOMPARE(f.log.take(), QStringList({"tray.remove()", "view.end()"}));
        QCOMPARE(f.stored(u"KanalTekst"), kSong);
    }

    void pollShowsLiveStream()
    {
        Fixture f;
        tuneLive(f);
        f.status->poll();
        QCOMPARE(f.log.take(),
                 QStringList({"Label3=" + kLive, "Label4=" + kSong, "Label5.ForeColor=#ffffffff",
                              "Label5=channel is on-air"}));
        // An unchanged text notifies nobody.
        f.status->poll();
        QCOMPARE(f.log.take(), QStringList());
    }

    // Each line is read on its own: a failed read leaves its own line as it was and the
    // others are still brought up to date; an unreadable count counts as nothing buffered.
    void failedReadStopsOnlyItsOwnLine_data()
    {
        QTest::addColumn<QString>("read");
        QTest::addColumn<QStringList>("labels"); // Label3, Label4, Label5
        const QString onAir = QStringLiteral("channel is on-air");
        QTest::newRow("bitrate") << "Bitrate" << QStringList({kReset, kSong, onAir});
        QTest::newRow("bandwidth") << "bandWidth" << QStringList({kReset, kSong, onAir});
        QTest::newRow("author") << "Author" << QStringList({kLive, kIdle, onAir});
        QTest::newRow("count") << "bufferingCount" << QStringList({kLive, kSong, "no stream"});
    }
    void failedReadStopsOnlyItsOwnLine()
    {
        QFETCH(QString, read);
        QFETCH(QStringList, labels);
        Fixture f;
        f.lifecycle->finishLoad();
        tuneLive(f);
        f.engine->items.remove(read);
        if (read == QLatin1String("bandWidth"))
            f.engine->bandWidthValue.reset();
        if (read == QLatin1String("bufferingCount"))
            f.engine->bufferingCountValue.reset();
        f.status->poll();
        QCOMPARE(QStringList({f.state->Label3(), f.state->Label4(), f.state->Label5()}), labels);
    }

    void emptyBitrateKeepsPreviousLine()
    {
        Fixture f;
        tuneLive(f);
        f.status->poll();
        f.engine->items[QStringLiteral("Bitrate")] = QString();
        f.engine->bandWidthValue = 4000;
        f.status->poll();
        QCOMPARE(f.state->Label3(), kLive);
        // Tuning anew writes the reset text, which then stays until the bitrate is known.
        f.transport->tune(kSyd, QStringLiteral("http://127.0.0.1:8000/s"));
        f.status->poll();
        QCOMPARE(f.state->Label3(), kReset);
    }

    void watchAnnouncesEachNewText()
    {
        Fixture f;
        tuneLive(f);
        f.status->poll();
        f.log.take();
        f.status->watch();
        QCOMPARE(f.log.take(),
                 QStringList({"announce(Radio Nord, ARTIST - SONG)", "Label1=" + kSong}));
        f.status->watch();
        QCOMPARE(f.log.take(), QStringList()); // the same text is not announced twice
        // A change of case alone is a new text.
        f.engine->items[QStringLiteral("Author")] = QStringLiteral("ARTIST");
        f.status->poll();
        f.log.take();
        f.status->watch();
        QCOMPARE(f.log.take(),
                 QStringList({"announce(Radio Nord, ARTIST - SONG)", "Label1=ARTIST - Song"}));
        // A title that comes and goes between two ticks is never announced.
        f.engine->items[QStringLiteral("Title")] = QStringLiteral("Jingle");
        f.status->poll();
        f.engine->items[QStringLiteral("Title")] = QStringLiteral("Song");
        f.status->poll();
        f.log.take();
        f.status->watch();
        QCOMPARE(f.log.take(), QStringList());
    }
};

QTEST_GUILESS_MAIN(TestPlayer)
#include "tst_player.moc"
