#include "ChannelsFixture.h"

#include <QTest>

namespace {

const QString kPrefix = QStringLiteral("Morvena Webradio/2.71/");

QDateTime at(const char *time, int dayOffset = 0)
{
    return QDateTime(QDate(2024, 3, 9).addDays(dayOffset),
                     QTime::fromString(QLatin1String(time), QStringLiteral("HH:mm:ss.zzz")));
}

void hold(ChannelsFixture &f, int preset, const QDateTime &down, const QDateTime &up)
{
    f.clock.time = down;
    f.presets->mouseDown();
    f.clock.time = up;
    f.presets->mouseUp(preset);
}

void fill(ChannelsFixture &f)
{
    for (int preset = 1; preset <= Presets::kCount; ++preset) {
        f.memory.values.insert(kPrefix + Presets::nameKey(preset),
                               "Name " + QString::number(preset));
        f.memory.values.insert(kPrefix + Presets::urlKey(preset),
                               "http://127.0.0.1/" + QString::number(preset));
    }
}

} // namespace

/// The preset buttons: store on a hold of two clock seconds, tune otherwise; each preset
/// keeps to its own two keys.
class TestPresets : public QObject {
    Q_OBJECT

private slots:
    void keysAndButtons()
    {
        QCOMPARE(Presets::nameKey(1), QStringLiteral("Knapp1_Navn"));
        QCOMPARE(Presets::urlKey(9), QStringLiteral("Knapp9_URL"));
        const QList<int> buttons{8, 9, 12, 13, 14, 15, 16, 17, 18};
        for (int preset = 1; preset <= Presets::kCount; ++preset) {
            QCOMPARE(Presets::presetOfButton(buttons.at(preset - 1)), preset);
        }
        for (const int other : {1, 6, 7, 10, 11, 19}) {
            QCOMPARE(Presets::presetOfButton(other), 0);
        }
    }

    // Whole seconds of the wall clock count, not the time held.
    void holdTime_data()
    {
        QTest::addColumn<QDateTime>("down");
        QTest::addColumn<QDateTime>("up");
        QTest::addColumn<bool>("stores");
        QTest::newRow("1.1 s across two boundaries")
            << at("10:00:00.900") << at("10:00:02.000") << true;
        QTest::newRow("1.9 s across one boundary")
            << at("10:00:00.000") << at("10:00:01.900") << false;
        QTest::newRow("2 s exactly") << at("10:00:00.000") << at("10:00:02.000") << true;
        QTest::newRow("2.9 s, two boundaries") << at("10:00:00.050") << at("10:00:02.950") << true;
        QTest::newRow("a flick over one boundary")
            << at("10:00:00.999") << at("10:00:01.000") << false;
        QTest::newRow("same second") << at("10:00:00.100") << at("10:00:00.800") << false;
        QTest::newRow("over midnight") << at("23:59:59.500") << at("00:00:01.000", 1) << true;
        QTest::newRow("minutes") << at("10:00:00.000") << at("10:03:00.000") << true;
        QTest::newRow("clock set back") << at("10:00:05.000") << at("10:00:01.000") << false;
        QTest::newRow("clock set back a day")
            << at("10:00:00.000", 1) << at("10:00:30.000") << false;
    }
    void holdTime()
    {
        QFETCH(QDateTime, down);
        QFETCH(QDateTime, up);
        QFETCH(bool, stores);
        ChannelsFixture f;
        f.memory.values.insert(kPrefix + "Knapp5_Navn", "Stored");
        f.memory.values.insert(kPrefix + "Knapp5_URL", "http://127.0.0.1/stored");
        f.transport->tune("Playing", "http://127.0.0.1/playing");
        f.log.take();
        hold(f, 5, down, up);
        if (stores) {
            QCOMPARE(f.log.take(),
                     QStringList({"store.Knapp5_Navn=Playing",
                                  "store.Knapp5_URL=http://127.0.0.1/playing", "beep()"}));
        } else {
            const QStringList steps = f.log.take();
            QCOMPARE(steps.first(), QStringLiteral("tray.update(Playing, Stored)"));
            QVERIFY(steps.contains("engine.setUrl(http://127.0.0.1/stored)"));
            QVERIFY(!steps.contains("beep()"));
            QCOMPARE(f.state->Label2(), QStringLiteral("Stored"));
        }
    }

    // Only the release is timed against the last press, whichever preset that was on.
    void pressTimeIsShared()
    {
        ChannelsFixture f;
        fill(f);
        f.clock.time = at("10:00:00.000");
        f.presets->mouseDown();
        f.clock.time = at("10:00:05.000");
        f.presets->mouseDown();
        f.clock.time = at("10:00:06.000");
        f.presets->mouseUp(2);
        QVERIFY(f.log.take().contains("engine.setUrl(http://127.0.0.1/2)"));
    }

    void longThenShortPressComesBack()
    {
        ChannelsFixture f;
        f.transport->tune("Radio Nord", "http://127.0.0.1/nord");
        hold(f, 3, at("10:00:00.000"), at("10:00:03.000"));
        f.transport->tune("Radio Syd", "http://127.0.0.1/syd");
        hold(f, 3, at("10:01:00.000"), at("10:01:00.300"));
        QCOMPARE(f.engine->url(), QStringLiteral("http://127.0.0.1/nord"));
        QCOMPARE(f.state->Label2(), QStringLiteral("Radio Nord"));
        QCOMPARE(f.memory.values.value(kPrefix + "LydstraumURL"), "http://127.0.0.1/nord");
    }

    // A long press stores whatever the title and the engine hold, stopped or paused too.
    void longPressStoresWhatIsShown_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("url");
        QTest::newRow("stopped") << "stop"
                                 << "no channel selected"
                                 << "";
        QTest::newRow("paused") << "pause"
                                << "Pause..."
                                << "http://127.0.0.1/nord";
        QTest::newRow("a local file") << "file"
                                      << "Artist - Song"
                                      << "/music/song.mp3";
    }
    void longPressStoresWhatIsShown()
    {
        QFETCH(QString, before);
        QFETCH(QString, name);
        QFETCH(QString, url);
        ChannelsFixture f;
        f.transport->tune("Radio Nord", "http://127.0.0.1/nord");
        if (before == "stop") {
            f.transport->stop();
        } else if (before == "pause") {
            f.transport->pause();
        } else {
            f.engine->items = {{"Author", "Artist"}, {"Title", "Song"}};
            f.dialogs.nextAnswer = "/music/song.mp3";
            f.localMedia->musikkfilClick();
        }
        const QString title = f.state->Label2();
        f.log.take();
        hold(f, 7, at("10:00:00.000"), at("10:00:02.000"));
        QCOMPARE(f.log.take(),
                 QStringList({"store.Knapp7_Navn=" + name, "store.Knapp7_URL=" + url, "beep()"}));
        QCOMPARE(f.state->Label2(), title);
    }

    void shortPressOnAnEmptyPresetTunesEmpty()
    {
        ChannelsFixture f;
        f.transport->tune("Radio Nord", "http://127.0.0.1/nord");
        hold(f, 9, at("10:00:00.000"), at("10:00:00.500"));
        QCOMPARE(f.engine->url(), QString());
        QCOMPARE(f.state->Label2(), QString());
    }

    // Every preset reads and writes its own two keys and no other.
    void eachPresetKeepsToItsKeys_data()
    {
        QTest::addColumn<int>("preset");
        for (int preset = 1; preset <= Presets::kCount; ++preset) {
            QTest::addRow("preset %d", preset) << preset;
        }
    }
    void eachPresetKeepsToItsKeys()
    {
        QFETCH(int, preset);
        ChannelsFixture f;
        fill(f);
        hold(f, preset, at("10:00:00.000"), at("10:00:00.000"));
        QCOMPARE(f.engine->url(), "http://127.0.0.1/" + QString::number(preset));
        QCOMPARE(f.state->Label2(), "Name " + QString::number(preset));

        f.transport->tune("New", "http://127.0.0.1/new");
        const auto before = f.memory.values;
        hold(f, preset, at("10:00:00.000"), at("10:00:04.000"));
        auto expected = before;
        expected.insert(kPrefix + Presets::nameKey(preset), "New");
        expected.insert(kPrefix + Presets::urlKey(preset), "http://127.0.0.1/new");
        QCOMPARE(f.memory.values, expected);
    }

    // No release comes without a press from the buttons; should one come, it must not
    // overwrite a preset.
    void releaseWithoutPressTunes()
    {
        ChannelsFixture f;
        fill(f);
        f.clock.time = at("10:00:00.000");
        f.presets->mouseUp(4);
        QVERIFY(!f.log.take().contains("beep()"));
        QCOMPARE(f.engine->url(), QStringLiteral("http://127.0.0.1/4"));
    }
};

QTEST_GUILESS_MAIN(TestPresets)
#include "tst_Presets.moc"
