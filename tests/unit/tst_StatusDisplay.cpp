#include "PlayerFixture.h"

#include <QTest>

namespace {

const QString kReset = QStringLiteral("0 kbps (0,00kB/s) - 0%");
const QString kLive = QStringLiteral("128 kbps (16,00 kB/s) - 100%");
const QString kSong = QStringLiteral("Artist - Song");

// A program that was started, tuned to Radio Nord and now gets live figures and a title
// from its stream; the log is empty.
void tuneLive(PlayerFixture &f)
{
    f.transport->tune(QStringLiteral("Radio Nord"), QStringLiteral("http://127.0.0.1:8000/n"));
    f.engine->items = {{QStringLiteral("Bitrate"), QStringLiteral("128000")},
                       {QStringLiteral("Author"), QStringLiteral("Artist")},
                       {QStringLiteral("Title"), QStringLiteral("Song")}};
    f.engine->bandWidthValue = 128000;
    f.engine->bufferingProgressValue = 100;
    f.engine->bufferingCountValue = 1;
    f.log.take();
}

// Makes one of the engine's reads fail: an item by name, or one of the three figures.
void fail(RecordingMediaPlayer &engine, const QString &read)
{
    engine.items.remove(read);
    if (read == QLatin1String("bandWidth")) {
        engine.bandWidthValue.reset();
    } else if (read == QLatin1String("bufferingProgress")) {
        engine.bufferingProgressValue.reset();
    } else if (read == QLatin1String("bufferingCount")) {
        engine.bufferingCountValue.reset();
    }
}

} // namespace

/// The status poll and the announcement watcher against a scripted engine and a recording
/// announcer.
class TestStatusDisplay : public QObject {
    Q_OBJECT

private slots:
    void pollShowsLiveStream()
    {
        PlayerFixture f;
        tuneLive(f);
        f.status->poll();
        QCOMPARE(f.log.take(),
                 QStringList({"Label3=" + kLive, "Label4=" + kSong, "Label5.ForeColor=#ffffffff",
                              "Label5=channel is on-air"}));
        // The labels are rewritten on every tick, but an unchanged text notifies nobody.
        f.status->poll();
        QCOMPARE(f.log.take(), QStringList());
    }

    // Each of the three lines is read on its own: a failed read leaves its own line as it
    // was and the others are still brought up to date.
    void failedReadStopsOnlyItsOwnLine_data()
    {
        QTest::addColumn<QString>("read");
        QTest::addColumn<QString>("label3");
        QTest::addColumn<QString>("label4");
        QTest::addColumn<QString>("label5");
        const QString onAir = QStringLiteral("channel is on-air");
        const QString idle = QStringLiteral("no channel selected");
        QTest::newRow("bitrate") << "Bitrate" << kReset << kSong << onAir;
        QTest::newRow("bandwidth") << "bandWidth" << kReset << kSong << onAir;
        QTest::newRow("buffering progress") << "bufferingProgress" << kReset << kSong << onAir;
        QTest::newRow("author") << "Author" << kLive << idle << onAir;
        QTest::newRow("title") << "Title" << kLive << idle << onAir;
        // An unreadable count counts as nothing buffered.
        QTest::newRow("buffering count") << "bufferingCount" << kLive << kSong << "no stream";
    }
    void failedReadStopsOnlyItsOwnLine()
    {
        QFETCH(QString, read);
        QFETCH(QString, label3);
        QFETCH(QString, label4);
        QFETCH(QString, label5);
        PlayerFixture f;
        f.lifecycle->finishLoad();
        tuneLive(f);
        fail(*f.engine, read);
        f.status->poll();
        QCOMPARE(f.state->Label3(), label3);
        QCOMPARE(f.state->Label4(), label4);
        QCOMPARE(f.state->Label5(), label5);
    }

    void emptyBitrateKeepsPreviousLine()
    {
        PlayerFixture f;
        tuneLive(f);
        f.status->poll();
        f.engine->items[QStringLiteral("Bitrate")] = QString();
        f.engine->bandWidthValue = 4000;
        f.status->poll();
        QCOMPARE(f.state->Label3(), kLive);
        // Tuning anew writes the reset text, which then stays until the bitrate is known.
        f.transport->tune(QStringLiteral("Radio Syd"), QStringLiteral("http://127.0.0.1:8000/s"));
        f.status->poll();
        QCOMPARE(f.state->Label3(), kReset);
    }

    void emptyAuthorAndTitle()
    {
        PlayerFixture f;
        tuneLive(f);
        f.engine->items[QStringLiteral("Author")] = QString();
        f.engine->items[QStringLiteral("Title")] = QString();
        f.status->poll();
        QCOMPARE(f.state->Label4(), QStringLiteral(" - "));
    }

    // Red 255, green 224, blue 192 while nothing is buffered, white on air; the colour is
    // set before the text, so a window never shows one with the other's colour for long.
    void indicator_data()
    {
        QTest::addColumn<std::optional<int>>("count");
        QTest::addColumn<QStringList>("expected");
        const QStringList noStream = {"Label5.ForeColor=#ffffe0c0", "Label5=no stream"};
        QTest::newRow("nothing buffered") << std::optional<int>(0) << noStream;
        QTest::newRow("count unreadable") << std::optional<int>() << noStream;
        QTest::newRow("buffered once")
            << std::optional<int>(1)
            << QStringList({"Label5.ForeColor=#ffffffff", "Label5=channel is on-air"});
        QTest::newRow("buffered often")
            << std::optional<int>(7)
            << QStringList({"Label5.ForeColor=#ffffffff", "Label5=channel is on-air"});
    }
    void indicator()
    {
        QFETCH(std::optional<int>, count);
        QFETCH(QStringList, expected);
        PlayerFixture f;
        f.engine->bufferingCountValue = count;
        f.status->poll();
        QCOMPARE(f.log.take(), expected);
    }

    // Label1 starts empty, so the first tick after start-up always announces, with the
    // title as it stands and the now-playing text in capitals.
    void firstTickAnnounces_data()
    {
        QTest::addColumn<QString>("saved");
        QTest::addColumn<QString>("expected");
        QTest::newRow("nothing saved")
            << QString() << "announce(no channel selected, NO CHANNEL SELECTED)";
        QTest::newRow("saved paused") << "Pause..."
                                      << "announce(Pause..., PAUSE...)";
    }
    void firstTickAnnounces()
    {
        QFETCH(QString, saved);
        QFETCH(QString, expected);
        PlayerFixture f;
        if (!saved.isEmpty()) {
            f.memory.values.insert(QStringLiteral("Morvena Webradio/2.71/Tittel2"), saved);
            f.memory.values.insert(QStringLiteral("Morvena Webradio/2.71/KanalTekst"), saved);
        }
        f.lifecycle->loadForm();
        f.lifecycle->finishLoad();
        f.log.take();
        f.status->watch();
        QCOMPARE(f.log.take(), QStringList({expected, "Label1=" + f.state->Label4()}));
    }

    void watchAnnouncesEachNewText()
    {
        PlayerFixture f;
        tuneLive(f);
        f.status->poll();
        f.log.take();
        f.status->watch();
        QCOMPARE(f.log.take(),
                 QStringList({"announce(Radio Nord, ARTIST - SONG)", "Label1=" + kSong}));
        f.status->watch();
        QCOMPARE(f.log.take(), QStringList()); // the same text is not announced twice

        // A change of case alone is a new text; the message is in capitals all the same.
        f.engine->items[QStringLiteral("Author")] = QStringLiteral("ARTIST");
        f.status->poll();
        f.log.take();
        f.status->watch();
        QCOMPARE(f.log.take(),
                 QStringList({"announce(Radio Nord, ARTIST - SONG)", "Label1=ARTIST - Song"}));
    }

    void watchSeesOnlyTheTextAtItsTick()
    {
        PlayerFixture f;
        tuneLive(f);
        f.status->poll();
        f.status->watch();
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

QTEST_GUILESS_MAIN(TestStatusDisplay)
#include "tst_StatusDisplay.moc"
