// The on-air light on the real engine while the stream fails: a server that goes away for
// five seconds or a minute and comes back on its own port, a 404, a server that never answers, one
// that trickles, one that sends noise, and huge metadata blocks. The light must say
// "no stream" while nothing plays and "channel is on-air" once audio is back, and the event
// loop must never stall on the way.
#include "CallLog.h"
#include "MpvMediaPlayer.h"
#include "PlayerState.h"
#include "RecordingAnnouncer.h"
#include "StallMonitor.h"
#include "StatusDisplay.h"
#include "TestStreamServer.h"

#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

using Mode = TestStreamServer::Mode;

// The window's status poll interval.
constexpr int kPollMs = 100;
// The longest the event loop may go without running a timer.
constexpr qint64 kMaxStallMs = 100;
const QString kNoStream = StatusDisplay::kNoStream;
const QString kOnAir = StatusDisplay::kOnAir;

} // namespace

class TestStatusFaults : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void lightFollowsServerGoneAndBack_data();
    void lightFollowsServerGoneAndBack();
    void failingStreamsKeepTheLightOff_data();
    void failingStreamsKeepTheLightOff();
    void hugeMetadataStaysOnAirWithItsTitle();

private:
    void startEngine(const MpvMediaPlayer::Timings &timings);
    void tune() { m_engine->setUrl(m_server->url(QStringLiteral("/tone.mp3"))); }

    std::unique_ptr<TestStreamServer> m_server;
    std::unique_ptr<MpvMediaPlayer> m_engine;
    std::unique_ptr<PlayerState> m_state;
    std::unique_ptr<CallLog> m_log;
    std::unique_ptr<RecordingAnnouncer> m_announcer;
    std::unique_ptr<StatusDisplay> m_status;
    std::unique_ptr<QTimer> m_poll;
    std::unique_ptr<StallMonitor> m_stalls;
    // Every text the light showed, in order, without repeats.
    QStringList m_lights;
    // The same once it first came on: the local server plays within a poll or two.
    QStringList lightsSinceOnAir() const { return m_lights.mid(m_lights.indexOf(kOnAir)); }
};

void TestStatusFaults::init()
{
    m_server = std::make_unique<TestStreamServer>();
    QVERIFY(m_server->start());
    m_lights.clear();
}

void TestStatusFaults::cleanup()
{
    if (m_stalls) {
        QVERIFY2(m_stalls->longestStallMs() <= kMaxStallMs,
                 qPrintable(QStringLiteral("event loop stalled %1 ms; light went %2")
                                .arg(m_stalls->longestStallMs())
                                .arg(m_lights.join(QLatin1String(" -> ")))));
    }
    m_poll.reset();
    m_stalls.reset();
    m_status.reset();
    m_engine.reset();
    m_announcer.reset();
    m_log.reset();
    m_state.reset();
    m_server.reset();
}

void TestStatusFaults::startEngine(const MpvMediaPlayer::Timings &timings)
{
    m_engine = std::make_unique<MpvMediaPlayer>(QStringList{QStringLiteral("ao=null")});
    QVERIFY(m_engine->isValid());
    m_engine->setTimings(timings);
    m_state = std::make_unique<PlayerState>();
    m_log = std::make_unique<CallLog>();
    m_announcer = std::make_unique<RecordingAnnouncer>(*m_log);
    m_status = std::make_unique<StatusDisplay>(*m_engine, *m_state, *m_announcer);
    m_poll = std::make_unique<QTimer>();
    m_poll->setInterval(kPollMs);
    connect(m_poll.get(), &QTimer::timeout, m_poll.get(), [this] {
        m_status->poll();
        if (m_lights.isEmpty() || m_lights.constLast() != m_state->Label5())
            m_lights.append(m_state->Label5());
    });
    m_poll->start();
    m_stalls = std::make_unique<StallMonitor>();
}

void TestStatusFaults::lightFollowsServerGoneAndBack_data()
{
    QTest::addColumn<int>("goneMs");
    QTest::newRow("5 s") << 5'000;
    QTest::newRow("60 s") << 60'000;
}

void TestStatusFaults::lightFollowsServerGoneAndBack()
{
    QFETCH(int, goneMs);
    // The engine's own reconnect schedule, as the program runs it.
    startEngine({});
    tune();
    QTRY_COMPARE_WITH_TIMEOUT(m_state->Label5(), kOnAir, 10'000);

    const quint16 port = m_server->port();
    m_server->stop();
    QTRY_COMPARE_WITH_TIMEOUT(m_state->Label5(), kNoStream, 10'000);
    QCOMPARE(m_state->Label5ForeColor(), StatusDisplay::kNoStreamColor);
    QTest::qWait(goneMs);
    QCOMPARE(m_state->Label5(), kNoStream);
    QCOMPARE(m_engine->status(), MpvMediaPlayer::Status::Reconnecting);

    // Back on the same port: the stream returns by itself, with no new tuning, at the
    // next attempt of the back-off (at most 30 s apart).
    QVERIFY(m_server->start(port));
    QTRY_COMPARE_WITH_TIMEOUT(m_state->Label5(), kOnAir, 40'000);
    QCOMPARE(m_state->Label5ForeColor(), StatusDisplay::kOnAirColor);
    QCOMPARE(m_engine->status(), MpvMediaPlayer::Status::Playing);
    QCOMPARE(lightsSinceOnAir(), QStringList({kOnAir, kNoStream, kOnAir}));
}

void TestStatusFaults::failingStreamsKeepTheLightOff_data()
{
    QTest::addColumn<Mode>("mode");
    QTest::newRow("404") << Mode::NotFound;
    QTest::newRow("hang") << Mode::Hang;
    QTest::newRow("trickle") << Mode::Trickle;
    QTest::newRow("garbage") << Mode::Garbage;
}

void TestStatusFaults::failingStreamsKeepTheLightOff()
{
    QFETCH(Mode, mode);
    startEngine({.watchdogMs = 3000});
    m_server->setSettings({.mode = mode});
    QSignalSpy failed(m_engine.get(), &MpvMediaPlayer::failed);
    tune();
    QVERIFY(failed.wait(10'000));
    // A poll or two after the failure, the light is still off and never came on.
    QTest::qWait(3 * kPollMs);
    QCOMPARE(m_state->Label5(), kNoStream);
    QCOMPARE(m_lights, QStringList({kNoStream}));

    // The same station once the server behaves: the light comes on.
    m_server->setSettings({});
    tune();
    QTRY_COMPARE_WITH_TIMEOUT(m_state->Label5(), kOnAir, 10'000);
}

void TestStatusFaults::hugeMetadataStaysOnAirWithItsTitle()
{
    startEngine({});
    m_server->setSettings({.title = "Huge Artist - Padded Song", .hugeMetadata = true});
    tune();
    QTRY_COMPARE_WITH_TIMEOUT(m_state->Label5(), kOnAir, 10'000);
    QTRY_COMPARE_WITH_TIMEOUT(m_state->Label4(), QStringLiteral("Huge Artist - Padded Song"),
                              15'000);
    QTest::qWait(2000);
    QCOMPARE(m_state->Label5(), kOnAir);
    QCOMPARE(lightsSinceOnAir(), QStringList({kOnAir}));
}

QTEST_GUILESS_MAIN(TestStatusFaults)
#include "tst_statusfaults.moc"
