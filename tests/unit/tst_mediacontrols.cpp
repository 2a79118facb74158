// What the desktop's media controls see and may do, from the player's state.
#include "Fixture.h"
#include "MediaControls.h"

#include <QDBusObjectPath>
#include <QSignalSpy>
#include <QTest>

using Command = MediaControls::Command;
using State = Playback::State;

Q_DECLARE_METATYPE(MediaControls::Command)
Q_DECLARE_METATYPE(Playback::State)

namespace {

// The player as the desktop sees it, over the fixture's store and engine.
struct Player {
    Fixture f;
    Volume volume{*f.settings, *f.engine};
    MediaControls controls{*f.state, *f.engine, f.store, volume};

    void hold(int preset, const QString &url)
    {
        f.memory.values.insert(Fixture::key(Presets::nameKey(preset)),
                               QStringLiteral("Channel %1").arg(preset));
        f.memory.values.insert(Fixture::key(Presets::urlKey(preset)), url);
    }
    // Playing `title` on `url` with `nowPlaying` on the now-playing line.
    void play(const QString &title, const QString &url, const QString &nowPlaying,
              State playback = State::Playing)
    {
        f.state->setLabel2(title);
        f.state->setLabel4(nowPlaying);
        f.engine->setUrl(url);
        f.engine->playbackValue.state = playback;
    }
    QVariantMap metadata() const { return controls.properties().value("Metadata").toMap(); }
};

} // namespace

class tst_MediaControls : public QObject {
    Q_OBJECT

private slots:
    void statusAndCommands_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<State>("playback");
        QTest::addColumn<QString>("status");
        QTest::addColumn<Command>("playPause");
        QTest::addColumn<Command>("stop");
        QTest::newRow("playing") << "Radio" << State::Playing << "Playing" << Command::Pause
                                 << Command::Stop;
        QTest::newRow("reconnecting plays on")
            << "Radio" << State::Reconnecting << "Playing" << Command::Pause << Command::Stop;
        QTest::newRow("paused") << "Pause..." << State::Idle << "Paused" << Command::Continue
                                << Command::Stop;
        QTest::newRow("failed offers continue")
            << "Radio" << State::Failed << "Stopped" << Command::Continue << Command::Stop;
        QTest::newRow("ended offers continue")
            << "Radio" << State::Ended << "Stopped" << Command::Continue << Command::Stop;
        QTest::newRow("nothing tuned, a preset held")
            << "no channel selected" << State::Idle << "Stopped" << Command::Tune << Command::None;
    }
    void statusAndCommands()
    {
        QFETCH(QString, title);
        QFETCH(State, playback);
        QFETCH(QString, status);
        QFETCH(Command, playPause);
        QFETCH(Command, stop);
        Player player;
        player.hold(2, QStringLiteral("http://two"));
        player.play(title, QStringLiteral("http://radio"), QStringLiteral("x"), playback);
        QCOMPARE(player.controls.playbackStatus(), status);
        QCOMPARE(player.controls.properties().value("CanPause").toBool(), status == "Playing");
        QCOMPARE(player.controls.playPause(), playPause);
        QCOMPARE(player.controls.pause(), status == "Playing" ? Command::Pause : Command::None);
        QCOMPARE(player.controls.stop(), stop);
    }

    void metadata_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("saved"); // Label6
        QTest::addColumn<QString>("nowPlaying");
        QTest::addColumn<State>("playback");
        QTest::addColumn<QString>("trackTitle");
        QTest::addColumn<QString>("artist");
        QTest::newRow("artist and title") << "Radio"
                                          << ""
                                          << "Band - Song" << State::Playing << "Song"
                                          << "Band";
        QTest::newRow("only the first separator splits") << "Radio"
                                                         << ""
                                                         << "A - B - C" << State::Playing << "B - C"
                                                         << "A";
        QTest::newRow("a title without artist")
            << "Radio"
            << ""
            << "Morning show" << State::Playing << "Morning show"
            << "";
        QTest::newRow("a leading separator is no artist")
            << "Radio"
            << ""
            << " - Song" << State::Playing << " - Song"
            << "";
        QTest::newRow("connecting: the channel stands in")
            << "Radio"
            << ""
            << "Connecting\u2026" << State::Connecting << "Radio"
            << "";
        QTest::newRow("paused: the saved title") << "Pause..."
                                                 << "Radio"
                                                 << "Pause..." << State::Idle << "Radio"
                                                 << "";
    }
    void metadata()
    {
        QFETCH(QString, title);
        QFETCH(QString, saved);
        QFETCH(QString, nowPlaying);
        QFETCH(State, playback);
        QFETCH(QString, trackTitle);
        QFETCH(QString, artist);
        Player player;
        player.f.state->setLabel6(saved);
        player.play(title, QStringLiteral("http://radio"), nowPlaying, playback);
        const QVariantMap map = player.metadata();
        QCOMPARE(map.value("xesam:title").toString(), trackTitle);
        QCOMPARE(map.value("xesam:artist").toStringList(),
                 artist.isEmpty() ? QStringList() : QStringList{artist});
        QCOMPARE(map.value("xesam:album").toString(), QStringLiteral("Radio"));
        QCOMPARE(map.value("xesam:url").toString(), QStringLiteral("http://radio"));
        QVERIFY(map.value("mpris:trackid").value<QDBusObjectPath>().path().startsWith('/'));
    }

    // A new title is a new track; the same title on the same stream is the same track.
    void trackIdFollowsTheTitle()
    {
        Player player;
        player.play("Radio", "http://radio", "A - One");
        const QVariant first = player.metadata().value("mpris:trackid");
        player.f.state->setLabel4("A - Two");
        QVERIFY(player.metadata().value("mpris:trackid") != first);
        player.f.state->setLabel4("A - One");
        QCOMPARE(player.metadata().value("mpris:trackid"), first);
    }

    void nextAndPrevious_data()
    {
        QTest::addColumn<QList<int>>("held");
        QTest::addColumn<QString>("playing");
        QTest::addColumn<int>("next");
        QTest::addColumn<int>("previous");
        QTest::addColumn<bool>("canStep");
        QTest::newRow("none held") << QList<int>{} << "" << 0 << 0 << false;
        QTest::newRow("nothing tuned: first and last")
            << QList<int>{2, 5, 8} << "" << 2 << 8 << true;
        QTest::newRow("skips the empty ones")
            << QList<int>{2, 5, 8} << "http://5" << 8 << 2 << true;
        QTest::newRow("wraps round") << QList<int>{2, 5, 8} << "http://8" << 2 << 5 << true;
        QTest::newRow("a channel from the menu: first and last")
            << QList<int>{2, 5} << "http://menu" << 2 << 5 << true;
        QTest::newRow("the only one plays: nowhere to go")
            << QList<int>{4} << "http://4" << 4 << 4 << false;
    }
    void nextAndPrevious()
    {
        QFETCH(QList<int>, held);
        QFETCH(QString, playing);
        QFETCH(int, next);
        QFETCH(int, previous);
        QFETCH(bool, canStep);
        Player player;
        for (const int preset : held)
            player.hold(preset, QStringLiteral("http://%1").arg(preset));
        // A preset stored after a stop holds a name but no channel.
        player.f.memory.values.insert(Fixture::key(Presets::nameKey(1)),
                                      PlayerState::kNoChannelSelected);
        if (!playing.isEmpty())
            player.play("Radio", playing, "x");
        QCOMPARE(player.controls.presetFor(1), next);
        QCOMPARE(player.controls.presetFor(-1), previous);
        QCOMPARE(player.controls.properties().value("CanGoNext").toBool(), canStep);
        QCOMPARE(player.controls.properties().value("CanPlay").toBool(),
                 !held.isEmpty() || !playing.isEmpty());
    }

    // The desktop hears exactly what changed, once, and nothing when nothing changed.
    void refreshAnnouncesOnlyChanges()
    {
        Player player;
        player.play("Radio", "http://radio", "A - One");
        QSignalSpy changed(&player.controls, &MediaControls::propertiesChanged);
        player.controls.refresh();
        QCOMPARE(changed.count(), 1);
        player.controls.refresh();
        QCOMPARE(changed.count(), 1);

        player.volume.set(40);
        player.controls.refresh();
        QCOMPARE(changed.count(), 2);
        QCOMPARE(changed.last().first().toMap(), (QVariantMap{{"Volume", 0.4}}));

        player.f.state->setLabel4("A - Two");
        player.controls.refresh();
        QCOMPARE(changed.last().first().toMap().keys(), QStringList{"Metadata"});

        player.f.engine->playbackValue.state = State::Failed;
        player.controls.refresh();
        const QVariantMap failed = changed.last().first().toMap();
        QCOMPARE(failed.value("PlaybackStatus").toString(), QStringLiteral("Stopped"));
        QVERIFY(failed.contains("CanPause"));
        QVERIFY(!failed.contains("Volume"));
    }
};

QTEST_GUILESS_MAIN(tst_MediaControls)
#include "tst_mediacontrols.moc"
