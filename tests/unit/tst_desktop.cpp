// The desktop side: what its media controls see and may do, from the player's state, and
// the command line (the hand-over between two starts is e2e_secondstart's).
#include "CommandLine.h"
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

class tst_Desktop : public QObject {
    Q_OBJECT

private slots:
    // The states beyond playing and paused (those are e2e_mpris').
    void statusAndCommands_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<State>("playback");
        QTest::addColumn<QString>("status");
        QTest::addColumn<Command>("playPause");
        QTest::addColumn<Command>("stop");
        const auto row = [](const char *name, const char *title, State playback, const char *status,
                            Command playPause, Command stop = Command::Stop) {
            QTest::newRow(name) << QString(title) << playback << QString(status) << playPause
                                << stop;
        };
        row("reconnecting plays on", "Radio", State::Reconnecting, "Playing", Command::Pause);
        row("failed offers continue", "Radio", State::Failed, "Stopped", Command::Continue);
        row("ended offers continue", "Radio", State::Ended, "Stopped", Command::Continue);
        row("nothing tuned, a preset held", "no channel selected", State::Idle, "Stopped",
            Command::Tune, Command::None);
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
        const auto row = [](const char *name, const char *nowPlaying, const char *track,
                            const char *artist = "", State playback = State::Playing) {
            const bool paused = playback == State::Idle;
            QTest::newRow(name) << QString(paused ? "Pause..." : "Radio")
                                << QString(paused ? "Radio" : "") << QString(nowPlaying) << playback
                                << QString(track) << QString(artist);
        };
        row("only the first separator splits", "A - B - C", "B - C", "A");
        row("a title without artist", "Morning show", "Morning show");
        row("a leading separator is no artist", " - Song", " - Song");
        row("connecting: the channel stands in", "Connecting\u2026", "Radio", "",
            State::Connecting);
        row("paused: the saved title", "Pause...", "Radio", "", State::Idle);
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

    // The desktop hears exactly what changed, once, and nothing when nothing changed. A new
    // title is a new track; the same title on the same stream is the same track.
    void refreshAnnouncesOnlyChanges()
    {
        Player player;
        player.play("Radio", "http://radio", "A - One");
        const QVariant firstTrack = player.metadata().value("mpris:trackid");
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
        QVERIFY(player.metadata().value("mpris:trackid") != firstTrack);
        player.f.state->setLabel4("A - One");
        QCOMPARE(player.metadata().value("mpris:trackid"), firstTrack);

        player.f.engine->playbackValue.state = State::Failed;
        player.controls.refresh();
        const QVariantMap failed = changed.last().first().toMap();
        QCOMPARE(failed.value("PlaybackStatus").toString(), QStringLiteral("Stopped"));
        QVERIFY(failed.contains("CanPause"));
        QVERIFY(!failed.contains("Volume"));
    }
    // A file named on the command line is made whole for the running instance, which has
    // its own folder. (Links, lists, --restart and --version are e2e_secondstart's and
    // packaging_deb's.)
    void commandLine_data()
    {
        QTest::addColumn<QString>("argument");
        QTest::addColumn<QString>("target");
        QTest::newRow("relative file") << "music/a b.mp3"
                                       << "/home/u/music/a b.mp3";
        QTest::newRow("file URL from a file manager")
            << "file:///srv/r%C3%B8d%20sang.ogg" << QStringLiteral("/srv/rød sang.ogg");
    }
    void commandLine()
    {
        QFETCH(QString, argument);
        QFETCH(QString, target);
        const CommandLine::Result result =
            CommandLine::parse({QStringLiteral("morvena-webradio"), argument}, "/home/u");
        QVERIFY(!result.exitCode);
        QCOMPARE(result.target, target);
        QVERIFY(!CommandLine::isLink(result.target));
    }
};

QTEST_GUILESS_MAIN(tst_Desktop)
#include "tst_desktop.moc"
