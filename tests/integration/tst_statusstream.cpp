// The status display on the real engine against the local stream server: live figures,
// the now-playing text and the on-air light after tuning, and the announcement of each
// new title, with the window's own poll and watcher intervals.
#include "CallLog.h"
#include "MpvMediaPlayer.h"
#include "PlayerState.h"
#include "RecordingAnnouncer.h"
#include "StatusDisplay.h"
#include "TestStreamServer.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace {

// The window's intervals: the 100 ms status poll and the 3 s watcher.
constexpr int kPollMs = 100;
constexpr int kWatchMs = 3000;
// A title takes a few seconds from the server's change through the engine's buffer.
constexpr int kTitleTimeoutMs = 15'000;

} // namespace

/// The status display polling a real stream: what the user sees after tuning, and when.
class TestStatusStream : public QObject {
    Q_OBJECT

private slots:
    void tunedStreamShowsLiveFiguresAndAnnouncesTitles()
    {
        TestStreamServer server;
        QVERIFY(server.start());
        MpvMediaPlayer engine(QStringList{QStringLiteral("ao=null")});
        QVERIFY(engine.isValid());
        PlayerState state;
        CallLog log;
        RecordingAnnouncer announcer(log);
        StatusDisplay status(engine, state, announcer,
                             QLocale(QLocale::English, QLocale::UnitedStates));
        QTimer poll;
        poll.setInterval(kPollMs);
        QObject::connect(&poll, &QTimer::timeout, &poll, [&status] { status.poll(); });
        QTimer watch;
        watch.setInterval(kWatchMs);
        QObject::connect(&watch, &QTimer::timeout, &watch, [&status] { status.watch(); });
        state.setLabel2(QStringLiteral("Radio Test"));
        poll.start();
        watch.start();

        // When the engine itself first knows the title, probed far more often than the poll.
        QElapsedTimer sinceTuning;
        qint64 engineTitleMs = -1;
        QTimer probe;
        probe.setInterval(5);
        QObject::connect(&probe, &QTimer::timeout, &probe, [&] {
            if (engineTitleMs < 0 &&
                engine.itemInfo(QStringLiteral("Title")) == QStringLiteral("First Song")) {
                engineTitleMs = sinceTuning.elapsed();
            }
        });
        qint64 shownTitleMs = -1;
        QObject::connect(&state, &PlayerState::Label4Changed, &probe, [&](const QString &text) {
            if (text == QLatin1String("Test Artist - First Song")) {
                shownTitleMs = sinceTuning.elapsed();
            }
        });
        probe.start();
        sinceTuning.start();
        engine.setUrl(server.url(QStringLiteral("/tone.mp3")));

        // Figures and the light within a second of tuning.
        const QRegularExpression live(
            QStringLiteral("^128 kbps \\(\\d+\\.\\d\\d kB/s\\) - \\d+%$"));
        QTRY_VERIFY_WITH_TIMEOUT(live.match(state.Label3()).hasMatch(), 10'000);
        QTRY_COMPARE(state.Label5(), QStringLiteral("channel is on-air"));
        const qint64 liveMs = sinceTuning.elapsed();
        QVERIFY2(liveMs < 1000, qPrintable(QString::number(liveMs)));
        QCOMPARE(state.Label5ForeColor(), StatusDisplay::kOnAirColor);

        // The title as soon as the stream has told it: at the poll after the engine knows it
        // (with room for a loaded machine).
        QTRY_VERIFY_WITH_TIMEOUT(shownTitleMs >= 0, kTitleTimeoutMs);
        QVERIFY(engineTitleMs >= 0);
        qInfo("live after %lld ms; title in the engine after %lld ms, shown after %lld ms", liveMs,
              engineTitleMs, shownTitleMs);
        QVERIFY2(shownTitleMs - engineTitleMs <= 3 * kPollMs,
                 qPrintable(QString::number(shownTitleMs - engineTitleMs)));

        // Each new title is announced at the watcher's next tick, within its 3 s.
        QTRY_COMPARE_WITH_TIMEOUT(state.Label1(), state.Label4(), kWatchMs + 1000);
        // (A slow start may have announced the station's name alone first.)
        QCOMPARE(log.take().constLast(),
                 QStringLiteral("announce(Radio Test, TEST ARTIST - FIRST SONG)"));
        QSignalSpy changed(&state, &PlayerState::Label4Changed);
        server.setSettings({.title = "Other Band - Second Song"});
        QVERIFY(changed.wait(kTitleTimeoutMs));
        QCOMPARE(state.Label4(), QStringLiteral("Other Band - Second Song"));
        QElapsedTimer sinceChange;
        sinceChange.start();
        QTRY_COMPARE_WITH_TIMEOUT(state.Label1(), state.Label4(), kWatchMs + 1000);
        QVERIFY(sinceChange.elapsed() <= kWatchMs + 500);
        QCOMPARE(log.take(), QStringList({"announce(Radio Test, OTHER BAND - SECOND SONG)"}));
    }
};

QTEST_GUILESS_MAIN(TestStatusStream)
#include "tst_statusstream.moc"
