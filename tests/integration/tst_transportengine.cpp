// Tuning, pause, continue and stop driving the real engine against a local stream, with
// the state in a real settings file, across restarts of the player's objects.
#include "FormLifecycle.h"
#include "FormSettings.h"
#include "IniSettingsStore.h"
#include "MpvMediaPlayer.h"
#include "PlayerState.h"
#include "RecordingPlayerView.h"
#include "RecordingTray.h"
#include "TestStreamServer.h"
#include "Transport.h"

#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

/// One run of the program's player objects over a settings folder.
struct Run {
    explicit Run(const QString &configRoot)
        : store(configRoot)
        , settings(store, state, engine)
        , view(log)
        , tray(log)
        , transport(engine, state, settings, view, tray)
        , lifecycle(engine, state, settings, view, tray)
    {
        lifecycle.loadForm();
        lifecycle.finishLoad();
        lifecycle.activate();
    }

    QString stored(const char *key) const
    {
        return store.getSetting(FormSettings::kAppName, FormSettings::kSection, QLatin1String(key),
                                QStringLiteral("<unset>"));
    }

    bool playing() const { return engine.bufferingCount().value_or(0) > 0; }

    CallLog log;
    IniSettingsStore store;
    MpvMediaPlayer engine{QStringList{QStringLiteral("ao=null")}};
    PlayerState state;
    FormSettings settings;
    RecordingPlayerView view;
    RecordingTray tray;
    Transport transport;
    FormLifecycle lifecycle;
};

constexpr int kAudioTimeoutMs = 10'000;

} // namespace

class TestTransportEngine : public QObject {
    Q_OBJECT

private slots:
    void tunePauseContinueStopAcrossRestarts();
};

void TestTransportEngine::tunePauseContinueStopAcrossRestarts()
{
    TestStreamServer server;
    QVERIFY(server.start());
    QTemporaryDir config;
    const QString url = server.url(QStringLiteral("/tone.mp3"));

    auto run = std::make_unique<Run>(config.path());
    QCOMPARE(run->engine.url(), QString()); // an empty store plays nothing
    run->transport.tune(QStringLiteral("Test Radio"), url);
    QTRY_VERIFY_WITH_TIMEOUT(run->playing(), kAudioTimeoutMs);
    QCOMPARE(run->stored("LydstraumURL"), url);
    QCOMPARE(run->stored("Tittel2"), QStringLiteral("Test Radio"));

    // Pause closes the stream and remembers its address.
    run->transport.pauseButton();
    QVERIFY(!run->engine.bufferingCount());
    QCOMPARE(run->engine.status(), MpvMediaPlayer::Status::Idle);
    QCOMPARE(run->stored("LydstraumURL"), url);
    QCOMPARE(run->stored("Tittel2"), QStringLiteral("Pause..."));

    // A restart in the pause state stays silent, keeps the address through a save, and
    // continue opens the same stream again.
    run.reset();
    run = std::make_unique<Run>(config.path());
    QCOMPARE(run->state.Label2(), QStringLiteral("Pause..."));
    QCOMPARE(run->engine.url(), QString());
    run->settings.SaveFormSettings(FormSettings::kAppName);
    QCOMPARE(run->stored("LydstraumURL"), url);
    run->transport.continuePlaying();
    QCOMPARE(run->engine.url(), url);
    QTRY_VERIFY_WITH_TIMEOUT(run->playing(), kAudioTimeoutMs);
    QCOMPARE(run->state.Label2(), QStringLiteral("Test Radio"));

    // A restart while playing resumes the stream.
    run.reset();
    run = std::make_unique<Run>(config.path());
    QCOMPARE(run->engine.url(), url);
    QTRY_VERIFY_WITH_TIMEOUT(run->playing(), kAudioTimeoutMs);

    // Stop silences it for good: nothing plays after another restart.
    run->transport.stop();
    QCOMPARE(run->engine.url(), QString());
    QCOMPARE(run->stored("LydstraumURL"), QString());
    run.reset();
    const int connections = server.connectionCount();
    run = std::make_unique<Run>(config.path());
    QCOMPARE(run->state.Label2(), QStringLiteral("no channel selected"));
    QTest::qWait(1000);
    QVERIFY(!run->playing());
    QCOMPARE(server.connectionCount(), connections);
}

QTEST_GUILESS_MAIN(TestTransportEngine)
#include "tst_transportengine.moc"
