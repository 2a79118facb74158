// The player's core against recording fakes: tuning, pause, continue and stop in the exact
// order of their steps across engine, state, store, view and tray, the status poll and
// announcement watcher over a scripted engine, start-up, saving and unloading, the settings
// file on disk, the volume and the panel's keys; and the desktop's side: what its media
// controls see and may do, and the command line (the hand-over between two starts is
// e2e_secondstart's).
#include "CommandLine.h"
#include "Fixture.h"
#include "IniSettingsStore.h"
#include "KeyCommands.h"
#include "MediaControls.h"
#include "SteadyClock.h"
#include "StreamPolicy.h"

#include <QDBusObjectPath>
#include <QDir>
#include <QSignalSpy>
#include <QTest>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

using Action = StreamPolicy::Action;
using Failure = StreamPolicy::Failure;
using Command = MediaControls::Command;
using State = Playback::State;
using Going = PlayerSnapshot::Transport;

namespace {

const QString kUrl = QStringLiteral("http://127.0.0.1:8000/nord.mp3");
const QString kNord = QStringLiteral("Radio Nord");
const QString kSyd = QStringLiteral("Radio Syd");
const QString kReset = QStringLiteral("0 kbps (0,00kB/s) - 0%");
const QString kLive = QStringLiteral("128 kbps (16,00 kB/s) - 100%");
const QString kPause = QStringLiteral("Pause...");
const QString kSong = QStringLiteral("Artist - Song");
const QString kConnecting = QStringLiteral("Connecting\u2026");

Playback inState(Playback::State state, int secondsToRetry = 0, const QString &reason = {})
{
    Playback made;
    made.state = state;
    made.secondsToRetry = secondsToRetry;
    made.reason = reason;
    return made;
}

struct HandClock final : SteadyClock {
    qint64 ms = 1'000'000;
    qint64 nowMs() const override { return ms; }
};

const Failure kRefused{QStringLiteral("Connection refused"), false};
const Failure kMissing{QStringLiteral("Station not found (HTTP 404)"), true};
using Values = QMap<QString, QString>;
const Values kPaused = {{"LydstraumURL", kUrl},
                        {"Tittel2", "Pause..."},
                        {"KanalTekst", "Pause..."},
                        {"Siste", "Radio Nord"}};

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

// The pause and continue controls while a channel plays.
QStringList playingControls()
{
    return {"view.fortsett_avs.caption(Continue)", "view.fortsett_avs.enabled(false)",
            "view.pause_avs.enabled(true)", "view.PictureButton6(true)",
            "view.PictureButton7(false)"};
}

// The controls that offer to continue `channel`.
QStringList continueControls(const QString &channel)
{
    return {"view.fortsett_avs.caption(Continue (" + channel + "))",
            "view.fortsett_avs.enabled(true)", "view.pause_avs.enabled(false)",
            "view.PictureButton6(false)", "view.PictureButton7(true)"};
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

// The player as the desktop sees it, over the fixture's store and engine.
struct Player {
    Fixture f;
    Volume volume{*f.settings, *f.engine};
    MediaControls controls{*f.state, f.store, volume};

    void hold(int preset, const QString &url)
    {
        f.memory.values.insert(Fixture::key(Presets::nameKey(preset)),
                               QStringLiteral("Channel %1").arg(preset));
        f.memory.values.insert(Fixture::key(Presets::urlKey(preset)), url);
    }
    // Channel `name` on `url` as `transport` has it, the stream naming `song`.
    void play(const QString &name, const QString &url, const Song &song = {},
              State playback = State::Playing, Going transport = Going::Playing)
    {
        f.engine->setUrl(url);
        f.engine->playbackValue.state = playback;
        f.state->update([&](PlayerSnapshot &now) {
            now.transport = transport;
            now.channel = {name, url, ChannelSource::List};
            now.song = song;
            now.playback = f.engine->playbackValue;
            now.line =
                song.isEmpty() ? playback == State::Playing ? name : kConnecting : song.text();
        });
    }
    QVariantMap metadata() const { return controls.properties().value("Metadata").toMap(); }
};

} // namespace

class TestPlayer : public QObject {
    Q_OBJECT

private slots:
    void tuneFromIdle()
    {
        Fixture f;
        f.lifecycle->loadForm();
        f.lifecycle->finishLoad();
        QCOMPARE(f.state->Label3(), kReset); // never blank, also before the first figures
        f.log.take();
        f.transport->tune(kNord, kUrl);
        QCOMPARE(f.log.take(),
                 QStringList({"engine.stop()", "engine.close()", "engine.setUrl(" + kUrl + ")",
                              "view.tmrUpdate(true)", "engine.setVolume(100)", "Label2=Radio Nord",
                              "Label4=" + kConnecting, "Label6=Radio Nord",
                              "tray.update(Playing, Radio Nord)", "view.icon(Playing)"}) +
                     Fixture::saveLines(kUrl, kNord, kNord, kNord) + playingControls());
    }

    // The pause saves the stream's address before it closes the stream.
    void pause()
    {
        Fixture f;
        startPlaying(f);
        f.transport->pauseButton();
        QCOMPARE(f.log.take(), QStringList({"Label2=Pause...", "Label4=Pause..."}) +
                                   continueControls(kNord) +
                                   QStringList({"tray.update(Idle, Pause...)", "view.icon(Idle)"}) +
                                   Fixture::saveLines(kUrl, kPause, kPause, kNord) +
                                   QStringList({"view.tmrUpdate(false)", "engine.close()"}));
    }

    // Channels may be named like the words for a state; the transport goes by its state.
    void channelsNamedLikeStates()
    {
        for (const QString &name : {QStringLiteral("no channel selected"), kPause}) {
            Fixture f;
            f.transport->tune(name, kUrl);
            f.transport->pauseButton();
            QVERIFY2(f.state->isPaused(), qPrintable(name));
            QCOMPARE(f.state->Label6(), name);
            f.transport->continuePlaying();
            QVERIFY(!f.state->isPaused());
            QCOMPARE(f.state->Label2(), name);
            QCOMPARE(f.engine->url(), kUrl);
        }
    }

    // What is saved is what the next start should show: the song, not the words of a state
    // that was passing when the program was told to end (a SIGTERM during a reconnect).
    void endingDuringAReconnectKeepsTheSong()
    {
        Fixture f;
        f.clock.time = QDateTime(QDate(2026, 12, 7), QTime(20, 0));
        tuneLive(f);
        f.status->poll();
        f.engine->items[QStringLiteral("Author")] = QString();
        f.engine->items[QStringLiteral("Title")] = QString();
        f.engine->playbackValue = inState(State::Reconnecting, 7);
        f.status->poll();
        QCOMPARE(f.state->Label4(), QStringLiteral("Reconnecting in 7 s\u2026"));
        f.lifecycle->unload();
        QCOMPARE(f.stored(u"KanalTekst"), kSong);
        // Back with the same title: the same song, from when it was first heard.
        const QDateTime since = f.state->snapshot().song.since;
        f.clock.time = f.clock.time.addSecs(5);
        f.engine->items[QStringLiteral("Author")] = QStringLiteral("Artist");
        f.engine->items[QStringLiteral("Title")] = QStringLiteral("Song");
        f.engine->playbackValue = inState(State::Playing);
        f.status->poll();
        QVERIFY(since.isValid());
        QCOMPARE(f.state->snapshot().song.since, since);
    }

    // While the stream gives no title, the now-playing line says what the engine is doing
    // and the status line shows no figures, stale ones included. Only a title or the reason
    // of a failure is news, and news is announced once.
    void pollTellsTheState_data()
    {
        QTest::addColumn<Playback>("playback");
        QTest::addColumn<QString>("author");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("label3");
        QTest::addColumn<QString>("label4");
        QTest::addColumn<bool>("announced");
        using S = Playback::State;
        QTest::newRow("connecting") << inState(S::Connecting) << ""
                                    << "" << kReset << kConnecting << false;
        QTest::newRow("reconnecting, stale figures and title")
            << inState(S::Reconnecting, 4) << "Artist"
            << "Song" << kReset << "Reconnecting in 4 s\u2026" << false;
        QTest::newRow("failed, still trickling")
            << inState(S::Failed, 0, QStringLiteral("No audio arrived within 15 s")) << ""
            << "" << kReset << "No audio arrived within 15 s" << true;
        QTest::newRow("ended") << inState(S::Ended) << ""
                               << "tagged" << kReset << "Played to the end" << false;
        QTest::newRow("title without author") << inState(S::Playing) << ""
                                              << "Song" << kLive << "Song" << true;
        QTest::newRow("nothing named") << inState(S::Playing) << ""
                                       << "" << kLive << "No title from the station" << false;
    }
    void pollTellsTheState()
    {
        QFETCH(Playback, playback);
        QFETCH(QString, author);
        QFETCH(QString, title);
        QFETCH(QString, label3);
        QFETCH(QString, label4);
        QFETCH(bool, announced);
        Fixture f;
        tuneLive(f);
        f.engine->items[QStringLiteral("Author")] = author;
        f.engine->items[QStringLiteral("Title")] = title;
        f.engine->playbackValue = playback;
        f.status->poll();
        QCOMPARE(f.state->Label3(), label3);
        QCOMPARE(f.state->Label4(), label4);
        f.status->watch();
        f.status->poll();
        f.status->watch();
        QCOMPARE(f.log.take().filter(QStringLiteral("announce(")).size(), announced ? 1 : 0);
    }

    // A file's line says where it is, not how fast it arrives.
    void aFileShowsWhereItIs_data()
    {
        QTest::addColumn<double>("position");
        QTest::addColumn<double>("length"); // 0: not known yet
        QTest::addColumn<QString>("line");
        QTest::newRow("minutes") << 83.6 << 225.0 << "1:23 / 3:45";
        QTest::newRow("an hour and more") << 3725.0 << 7322.0 << "1:02:05 / 2:02:02";
        QTest::newRow("length not known yet") << 5.0 << 0.0 << "0:05";
    }
    void aFileShowsWhereItIs()
    {
        QFETCH(double, position);
        QFETCH(double, length);
        QFETCH(QString, line);
        Fixture f;
        tuneLive(f);
        f.engine->filePositionValue =
            std::pair{position, length > 0 ? std::optional<double>(length) : std::nullopt};
        f.status->poll();
        QCOMPARE(f.state->Label3(), line);
    }

    // A drop and the stream's return with the same title give no popup at all, and
    // placeholders written by the transport ("Connecting…", "Pause...") are not news, even
    // when the stream's own title has the same words.
    void dropAndReturnAnnounceNothing()
    {
        Fixture f;
        tuneLive(f);
        f.engine->items[QStringLiteral("Author")] = QString();
        f.engine->items[QStringLiteral("Title")] = kConnecting;
        f.status->poll();
        f.status->watch();
        QCOMPARE(f.log.take().filter(QStringLiteral("announce(")).size(), 1);
        for (const auto state : {Playback::State::Reconnecting, Playback::State::Playing}) {
            f.engine->playbackValue = inState(state);
            f.status->poll();
            f.status->watch();
        }
        f.transport->pause();
        f.status->watch();
        f.transport->tune(kSyd, kUrl); // forgets the last announcement; shows "Connecting…"
        f.status->watch();
        QCOMPARE(f.log.take().filter(QStringLiteral("announce(")), QStringList());
    }

    // A stream that failed or played to its end offers continue, which plays it again; the
    // line says why before the state is saved. Nothing changes for other states, or when
    // nothing is tuned or the player is paused.
    void failureOrEndOffersContinue_data()
    {
        QTest::addColumn<Playback>("playback");
        QTest::addColumn<bool>("paused");
        QTest::addColumn<QString>("label4"); // empty: nothing happens
        using S = Playback::State;
        const Playback missing{S::Failed, 0, 0, 0, QStringLiteral("Station not found (HTTP 404)")};
        QTest::newRow("failed") << missing << false << missing.reason;
        QTest::newRow("ended") << inState(S::Ended) << false << "Played to the end";
        QTest::newRow("reconnecting") << inState(S::Reconnecting) << false << "";
        QTest::newRow("paused") << missing << true << "";
    }
    void failureOrEndOffersContinue()
    {
        QFETCH(Playback, playback);
        QFETCH(bool, paused);
        QFETCH(QString, label4);
        Fixture f;
        startPlaying(f, paused);
        f.transport->playbackChanged(playback);
        const QStringList log = f.log.take();
        if (label4.isEmpty()) {
            QCOMPARE(log, QStringList());
            return;
        }
        QCOMPARE(log, QStringList({"Label4=" + label4}) + continueControls(kNord) +
                          QStringList({"tray.update(Idle, Radio Nord)", "view.icon(Idle)"}) +
                          Fixture::saveLines(kUrl, kNord, label4, kNord));
    }

    // Whether a failure is worth a retry (the engine test checks the texts of 404, refused
    // and an untrusted certificate against real servers).
    // Reasons from the status, the error numbers and the connections made; the C library's
    // words are the user's language's (the engine's table runs under Norwegian).
    void classifiesEngineFailures_data()
    {
        QTest::addColumn<int>("http");
        QTest::addColumn<int>("connections");
        QTest::addColumn<QString>("log");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<bool>("final");
        const auto row = [](const char *name, int http, int connections, const QString &log,
                            const char *reason, bool final) {
            QTest::newRow(name) << http << connections << log << QString(reason) << final;
        };
        const auto failed = [](int error) {
            return QStringLiteral("tcp: Connection to tcp://127.0.0.1:1 failed: ") +
                   QString::fromLocal8Bit(std::strerror(error));
        };
        row("503 may pass", 503, 1, "", "The server answered HTTP 503", false);
        row("not audio", 0, 1, "Failed to recognize file format.", "Not an audio stream", true);
        row("typo in the host", 0, 0,
            "tcp: Failed to resolve hostname radio.exmaple: Name or service not known",
            "Server not found: check the address", false);
        row("refused", 0, 0, failed(ECONNREFUSED), "Connection refused", false);
        row("reset", 0, 1, failed(ECONNRESET), "The server closed the connection", false);
        row("answered, then hung up", 0, 1, "", "The server closed the connection", false);
        row("redirected round", 0, 9, "", "Too many redirects", true);
        row("nothing known: no engine words", 0, 0, "", "The stream could not be played", false);
    }
    void classifiesEngineFailures()
    {
        QFETCH(int, http);
        QFETCH(int, connections);
        QFETCH(QString, log);
        QFETCH(QString, reason);
        QFETCH(bool, final);
        const Failure failure = StreamPolicy::classify({http, connections, log});
        QCOMPARE(failure.reason, reason);
        QCOMPARE(failure.final, final);
    }

    // A dead entry of a playlist falls through to the next whatever killed it, a 404
    // included; the last one's failure is the media's.
    void deadEntriesFallThrough()
    {
        HandClock clock;
        StreamPolicy policy(clock);
        policy.start(3);
        policy.opening();
        QCOMPARE(policy.ended(kMissing, false).action, Action::OpenNext);
        QCOMPARE(policy.entryIndex(), 1);
        policy.opening();
        QCOMPARE(policy.ended(kRefused, false).action, Action::OpenNext);
        policy.opening();
        const StreamPolicy::Decision last = policy.ended(kRefused, false);
        QCOMPARE(last.action, Action::Fail);
        QCOMPARE(last.reason, kRefused.reason);
    }

    // A stream that played and dropped is tried again at once, then with a back-off that
    // doubles up to its cap; audio resets it all. A finite file that played just ends.
    void dropReconnectsAtOnceThenBacksOff()
    {
        HandClock clock;
        StreamPolicy policy(clock, {.watchdogMs = 15'000, .retryMs = 500, .maxRetryMs = 2'000});
        policy.start(1);
        policy.opening();
        policy.audioStarted();
        QCOMPARE(policy.ended(kRefused, false).action, Action::End);

        policy.start(1);
        policy.opening();
        policy.audioStarted();
        QCOMPARE(policy.ended({}, true).action, Action::Reopen);
        QVERIFY(policy.isReconnecting());
        QCOMPARE(policy.attempt(), 1);
        const QList<qint64> expected = {500, 1000, 2000, 2000};
        for (const qint64 delay : expected) {
            policy.opening();
            QCOMPARE(policy.ended(kRefused, true).action, Action::Wait);
            QCOMPARE(policy.msUntilDue(), delay);
            QCOMPARE(policy.secondsToRetry(), int((delay + 999) / 1000));
            clock.ms += delay - 1;
            QCOMPARE(policy.due().action, Action::Wait);
            clock.ms += 1;
            QCOMPARE(policy.due().action, Action::Reopen);
        }
        QCOMPARE(policy.attempt(), 5);
        policy.opening();
        policy.audioStarted();
        QVERIFY(!policy.isReconnecting());
        QCOMPARE(policy.ended({}, true).action, Action::Reopen); // at once again
    }

    // Reconnecting ends in a failure for a reason a retry cannot mend, or after the limit of
    // tries that brought no audio.
    void reconnectGivesUp_data()
    {
        QTest::addColumn<bool>("missing");
        QTest::addColumn<int>("tries");
        QTest::addColumn<QString>("reason");
        QTest::newRow("404 ends it") << true << 1 << "Station not found (HTTP 404)";
        QTest::newRow("silent limit")
            << false << 3 << "The stream did not come back (Connection refused)";
    }
    void reconnectGivesUp()
    {
        QFETCH(bool, missing);
        QFETCH(int, tries);
        QFETCH(QString, reason);
        HandClock clock;
        StreamPolicy policy(clock, {.retryMs = 10, .maxSilentReconnects = 3});
        policy.start(1);
        policy.opening();
        policy.audioStarted();
        QCOMPARE(policy.ended({}, true).action, Action::Reopen);
        StreamPolicy::Decision decision;
        for (int i = 0; i < tries; ++i) {
            policy.opening();
            decision = policy.ended(missing ? kMissing : kRefused, true);
            if (decision.action == Action::Wait) {
                clock.ms += 1000;
                QCOMPARE(policy.due().action, Action::Reopen);
            }
        }
        QCOMPARE(decision.action, Action::Fail);
        QCOMPARE(decision.reason, reason);
        QVERIFY(!policy.msUntilDue());
    }

    // The watchdog fails an open that never brings audio, once, and asks for it to be
    // stopped; audio, a new start or a cancel disarms it.
    void watchdogFiresOnceForSilentOpens()
    {
        HandClock clock;
        StreamPolicy policy(clock, {.watchdogMs = 15'000});
        policy.start(1);
        policy.opening();
        QCOMPARE(policy.msUntilDue(), 15'000);
        clock.ms += 14'999;
        QCOMPARE(policy.due().action, Action::Wait);
        clock.ms += 1;
        const StreamPolicy::Decision decision = policy.due();
        QCOMPARE(decision.action, Action::Fail);
        QCOMPARE(decision.reason, QStringLiteral("No audio arrived within 15 s"));
        QVERIFY(decision.watchdog);
        QVERIFY(!policy.msUntilDue());

        for (const auto disarm : {&StreamPolicy::audioStarted, &StreamPolicy::cancel}) {
            policy.start(1);
            policy.opening();
            (policy.*disarm)();
            clock.ms += 60'000;
            QVERIFY(!policy.msUntilDue());
            QCOMPARE(policy.due().action, Action::Wait);
        }
    }
    void startUpRunsInOrder()
    {
        Fixture f(Fixture::With::Fakes, {{"LydstraumURL", kUrl},
                                         {"Tittel2", "Radio Nord"},
                                         {"KanalTekst", "A - T"},
                                         {"Siste", "Radio Nord"},
                                         {"ToppEllerIkke", "1"},
                                         {"VisInfo", "1"},
                                         {"Lydstyrke", "35"},
                                         {"Knapp1_URL", "http://preset"}});
        f.lifecycle->loadForm();
        f.lifecycle->finishLoad();
        QCOMPARE(f.log.take(),
                 QStringList({"Label3=0 kbps (0,00kB/s) - 0%", "view.PictureButton7(false)",
                              "Label2=Radio Nord", "Label4=A - T", "Label6=Radio Nord",
                              "chkFarge=1", "chkInfo=1", "engine.setUrl(" + kUrl + ")",
                              "engine.setVolume(35)", "view.tmrUpdate(true)"}));
        // Saving writes the six state keys and leaves the presets alone.
        f.settings->SaveFormSettings(FormSettings::kAppName);
        QCOMPARE(f.log.take(),
                 Fixture::saveLines(kUrl, "Radio Nord", "Radio Nord", "Radio Nord", 1, 1));
        QCOMPARE(f.stored(u"Knapp1_URL"), QStringLiteral("http://preset"));
    }

    // Options as a hand-edited file may hold them: only "1" and "0" (blanks aside) count;
    // anything else leaves the box as it was.
    void loadWithGarbageOptions_data()
    {
        QTest::addColumn<Values>("stored");
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("farge");
        QTest::addColumn<int>("info");
        QTest::newRow("padded") << Values({{"ToppEllerIkke", " 1 "}, {"VisInfo", "1"}}) << 0 << 1
                                << 1;
        QTest::newRow("garbage") << Values({{"ToppEllerIkke", "yes"}, {"VisInfo", "1x"}}) << 0 << 0
                                 << 0;
        QTest::newRow("garbage keeps a set box")
            << Values({{"ToppEllerIkke", "2"}, {"VisInfo", ""}}) << 1 << 1 << 1;
    }
    void loadWithGarbageOptions()
    {
        QFETCH(Values, stored);
        QFETCH(int, before);
        QFETCH(int, farge);
        QFETCH(int, info);
        Fixture f(Fixture::With::Fakes, stored);
        f.state->setChkFarge(before);
        f.state->setChkInfo(before);
        f.lifecycle->loadForm();
        f.lifecycle->finishLoad();
        QCOMPARE(f.state->Label2(), QStringLiteral("no channel selected"));
        QCOMPARE(f.state->chkFarge(), farge);
        QCOMPARE(f.state->chkInfo(), info);
        QCOMPARE(f.engine->url(), QString());
    }

    // After a start in the pause state the engine has no URL; a save before continuing
    // (an option change, or quitting) must keep the stream, so continue still finds it.
    void pauseStateKeepsItsUrl()
    {
        Fixture f(Fixture::With::Fakes, kPaused);
        f.lifecycle->loadForm();
        f.lifecycle->finishLoad();
        QCOMPARE(f.engine->url(), QString());
        QCOMPARE(f.state->Label6(), QStringLiteral("Radio Nord"));
        f.state->setChkInfo(1);
        f.log.take();
        f.settings->SaveFormSettings(FormSettings::kAppName);
        QCOMPARE(f.log.take(),
                 Fixture::saveLines(kUrl, "Pause...", "Pause...", "Radio Nord", 0, 1));
        f.transport->continuePlaying();
        QCOMPARE(f.engine->url(), kUrl);
    }

    // Unloading saves first, then ends the program.
    void unloadSavesBeforeItEnds()
    {
        Fixture f;
        f.transport->tune(QStringLiteral("Radio Nord"), kUrl);
        f.state->update([](PlayerSnapshot &now) { now.song = {"A", "T", {}}; });
        f.log.take();
        f.lifecycle->unload();
        QCOMPARE(f.log.take(), Fixture::saveLines(kUrl, "Radio Nord", "A - T", "Radio Nord") +
                                   QStringList({"view.end()"}));
    }

    // A file we cannot read whole is the user's: defaults are read, nothing is written.
    void brokenFileIsReadAsDefaultsAndKept_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("open section") << QByteArray("[2.71\nTittel2=x\n");
        QTest::newRow("not UTF-8") << QByteArray("[2.71]\nTittel2=\xff\xfe\n");
        QTest::newRow("a folder in its place") << QByteArray();
    }
    void brokenFileIsReadAsDefaultsAndKept()
    {
        QFETCH(QByteArray, content);
        QTemporaryDir home;
        qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
        const QString file = home.path() + QStringLiteral("/Morvena Webradio/settings.ini");
        QVERIFY(content.isEmpty() ? QDir().mkpath(file) : Fixture::write(file, content));
        IniSettingsStore store;
        const auto app = FormSettings::kAppName;
        QCOMPARE(store.getSetting(app, FormSettings::kSection, "Tittel2", "-"),
                 QStringLiteral("-"));
        QVERIFY(!store.saveSetting(app, FormSettings::kSection, "Tittel2", "new"));
        QVERIFY(!store.deleteSection(app, FormSettings::kSection));
        QCOMPARE(Fixture::read(file).value_or(QByteArray()), content);
    }

    // A save that changes nothing writes nothing (the unload saves the state as it mostly
    // stands); one changed key rewrites the file, the others kept.
    void unchangedSaveWritesNothing()
    {
        QTemporaryDir home;
        qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
        const QString file = home.path() + QStringLiteral("/Morvena Webradio/settings.ini");
        IniSettingsStore store;
        const auto app = FormSettings::kAppName;
        const auto section = FormSettings::kSection;
        QVERIFY(store.saveSettings(app, section, {{"Tittel2", "Radio Nord"}, {"VisInfo", "1"}}));
        const auto inode = [&file] {
            struct stat st {};
            return ::stat(QFile::encodeName(file).constData(), &st) == 0 ? st.st_ino : 0;
        };
        const auto before = inode();
        QVERIFY(before != 0);
        QVERIFY(store.saveSettings(app, section, {{"Tittel2", "Radio Nord"}, {"VisInfo", "1"}}));
        QCOMPARE(inode(), before);
        QVERIFY(store.saveSettings(app, section, {{"Tittel2", "Radio Nord"}, {"VisInfo", "0"}}));
        QVERIFY(inode() != before);
        QCOMPARE(store.getSetting(app, section, "Tittel2", "-"), QStringLiteral("Radio Nord"));
        QCOMPARE(store.getSetting(app, section, "VisInfo", "-"), QStringLiteral("0"));
    }

    // Volume goes in 5 % steps from the remembered level; a restart reads what was stored.
    void volumeStepsAndWheel_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QList<int>>("wheel"); // angle deltas; empty: one step() of +1
        QTest::addColumn<int>("level");
        QTest::newRow("garbage reads as full") << "loud" << QList<int>{-120} << 95;
        QTest::newRow("off the grid: up lands on it") << "42" << QList<int>{} << 45;
        QTest::newRow("off the grid: down lands on it") << "42" << QList<int>{-120} << 40;
        QTest::newRow("never past 100") << "100" << QList<int>{120, 120} << 100;
        QTest::newRow("touchpad fractions add up") << "50" << QList<int>{40, 40, 40, 40} << 55;
        QTest::newRow("stored out of range is cut") << "250" << QList<int>{-120} << 95;
    }
    void volumeStepsAndWheel()
    {
        QFETCH(QString, stored);
        QFETCH(QList<int>, wheel);
        QFETCH(int, level);
        Fixture f;
        if (!stored.isNull())
            f.memory.values.insert(Fixture::key(QString(FormSettings::kLydstyrke)), stored);
        Volume volume(*f.settings, *f.engine);
        if (wheel.isEmpty())
            volume.step(1);
        for (const int delta : wheel)
            volume.wheel(delta);
        QCOMPARE(volume.level(), level);
        QCOMPARE(Volume(*f.settings, *f.engine).level(), level);
    }

    // The keyboard's rules (the common keys are e2e_mpris', on a real display).
    void keys_data()
    {
        using KeyCommands::Action;
        using KeyCommands::Command;
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<Action>("action");
        QTest::newRow("keypad 9") << int(Qt::Key_9) << int(Qt::KeypadModifier)
                                  << Action{Command::TunePreset, 9};
        QTest::newRow("alt+3") << int(Qt::Key_3) << int(Qt::AltModifier) << Action{};
        QTest::newRow("0 is no preset") << int(Qt::Key_0) << 0 << Action{};
        QTest::newRow("ctrl+m") << int(Qt::Key_M) << int(Qt::ControlModifier) << Action{};
        QTest::newRow("keypad minus")
            << int(Qt::Key_Minus) << int(Qt::KeypadModifier) << Action{Command::VolumeDown};
        QTest::newRow("shift+8 stars")
            << int(Qt::Key_Asterisk) << int(Qt::ShiftModifier) << Action{Command::StarSong};
        QTest::newRow("ctrl+h") << int(Qt::Key_H) << int(Qt::ControlModifier) << Action{};
    }
    void keys()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(KeyCommands::Action, action);
        const auto got = KeyCommands::forKey(key, Qt::KeyboardModifiers(modifiers));
        QCOMPARE(int(got.command), int(action.command));
        QCOMPARE(got.preset, action.preset);
    }

    // The states beyond playing and paused (those are e2e_mpris'), and channels named like
    // the words for a state, which are channels all the same.
    void statusAndCommands_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<Going>("transport");
        QTest::addColumn<State>("playback");
        QTest::addColumn<QString>("status");
        QTest::addColumn<Command>("playPause");
        QTest::addColumn<Command>("stop");
        const auto row = [](const char *name, const char *channel, Going transport, State playback,
                            const char *status, Command playPause, Command stop = Command::Stop) {
            QTest::newRow(name) << QString(channel) << transport << playback << QString(status)
                                << playPause << stop;
        };
        row("reconnecting plays on", "Radio", Going::Playing, State::Reconnecting, "Playing",
            Command::Pause);
        row("a tuning on its way plays", "Radio", Going::Playing, State::Idle, "Playing",
            Command::Pause);
        row("failed offers continue", "Radio", Going::Playing, State::Failed, "Stopped",
            Command::Continue);
        row("ended offers continue", "Radio", Going::Playing, State::Ended, "Stopped",
            Command::Continue);
        row("paused", "Radio", Going::Paused, State::Idle, "Paused", Command::Continue);
        row("nothing tuned, a preset held", "", Going::Idle, State::Idle, "Stopped", Command::Tune,
            Command::None);
        row("a channel named Pause... plays", "Pause...", Going::Playing, State::Playing, "Playing",
            Command::Pause);
        row("a channel named like idle plays", "no channel selected", Going::Playing,
            State::Playing, "Playing", Command::Pause);
    }
    void statusAndCommands()
    {
        QFETCH(QString, name);
        QFETCH(Going, transport);
        QFETCH(State, playback);
        QFETCH(QString, status);
        QFETCH(Command, playPause);
        QFETCH(Command, stop);
        Player player;
        player.hold(2, QStringLiteral("http://two"));
        player.play(name, QStringLiteral("http://radio"), {}, playback, transport);
        QCOMPARE(player.controls.playbackStatus(), status);
        QCOMPARE(player.controls.properties().value("CanPause").toBool(), status == "Playing");
        QCOMPARE(player.controls.playPause(), playPause);
        QCOMPARE(player.controls.pause(), status == "Playing" ? Command::Pause : Command::None);
        QCOMPARE(player.controls.stop(), stop);
    }

    // The song as the stream named it; words for a state never: the channel stands in.
    void metadata_data()
    {
        QTest::addColumn<Song>("song");
        QTest::addColumn<State>("playback");
        QTest::addColumn<Going>("transport");
        QTest::addColumn<QString>("trackTitle");
        QTest::addColumn<QString>("artist");
        const auto row = [](const char *name, Song song, const char *track, const char *artist,
                            State playback = State::Playing, Going transport = Going::Playing) {
            QTest::newRow(name) << song << playback << transport << QString(track)
                                << QString(artist);
        };
        row("artist and title", Song{"A", "B - C", {}}, "B - C", "A");
        row("a title without artist", Song{"", "Morning show", {}}, "Morning show", "");
        row("connecting: the channel stands in", Song{}, "Radio", "", State::Connecting);
        row("paused: the channel", Song{}, "Radio", "", State::Idle, Going::Paused);
    }
    void metadata()
    {
        QFETCH(Song, song);
        QFETCH(State, playback);
        QFETCH(Going, transport);
        QFETCH(QString, trackTitle);
        QFETCH(QString, artist);
        Player player;
        player.play(QStringLiteral("Radio"), QStringLiteral("http://radio"), song, playback,
                    transport);
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
            player.play("Radio", playing);
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
        player.play("Radio", "http://radio", Song{"A", "One", {}});
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

        player.f.state->update([](PlayerSnapshot &now) { now.song = {"A", "Two", {}}; });
        player.controls.refresh();
        QCOMPARE(changed.last().first().toMap().keys(), QStringList{"Metadata"});
        QVERIFY(player.metadata().value("mpris:trackid") != firstTrack);
        player.f.state->update([](PlayerSnapshot &now) { now.song = {"A", "One", {}}; });
        QCOMPARE(player.metadata().value("mpris:trackid"), firstTrack);

        player.f.state->update([](PlayerSnapshot &now) { now.playback.state = State::Failed; });
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
        QTest::addColumn<QString>("target"); // in the working folder; empty: refused
        QTest::newRow("relative file") << "music/a b.mp3"
                                       << "music/a b.mp3";
        QTest::newRow("file URL from a file manager")
            << "file://%1/r%C3%B8d%20sang.ogg" << QStringLiteral("rød sang.ogg");
        QTest::newRow("a stream") << "http://127.0.0.1:8000/live"
                                  << "http://127.0.0.1:8000/live";
        QTest::newRow("missing file") << "missing.m3u"
                                      << "";
        QTest::newRow("a scheme the engine must not run") << "ftp://x"
                                                          << "";
        QTest::newRow("script") << "javascript:alert(1)"
                                << "";
    }
    void commandLine()
    {
        QFETCH(QString, argument);
        QFETCH(QString, target);
        QTemporaryDir home;
        for (const char *file : {"music/a b.mp3", "rød sang.ogg"})
            QVERIFY(Fixture::write(home.filePath(QString::fromUtf8(file)), "x"));
        const CommandLine::Result result = CommandLine::parse(
            {QStringLiteral("morvena-webradio"), argument.arg(home.path())}, home.path());
        if (target.isEmpty()) {
            // Said on the terminal, with a failing status; nothing goes to a running player.
            QCOMPARE(result.exitCode, std::optional<int>(1));
            QVERIFY(result.output.contains(argument.left(5)));
            QVERIFY(result.target.isEmpty());
            return;
        }
        QVERIFY(!result.exitCode);
        QCOMPARE(result.target, CommandLine::isLink(target) ? target : home.filePath(target));
    }
};

QTEST_GUILESS_MAIN(TestPlayer)
#include "tst_player.moc"
