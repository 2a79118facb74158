// The reconnect, back-off and watchdog rules, on a clock the test moves by hand.
#include "SteadyClock.h"
#include "StreamPolicy.h"

#include <QTest>

using Action = StreamPolicy::Action;
using Failure = StreamPolicy::Failure;

namespace {

struct HandClock final : SteadyClock {
    qint64 ms = 1'000'000;
    qint64 nowMs() const override { return ms; }
};

const Failure kRefused{QStringLiteral("Connection refused"), false};
const Failure kMissing{QStringLiteral("Station not found (HTTP 404)"), true};

} // namespace

class TestStreamPolicy : public QObject {
    Q_OBJECT

private slots:
    void classifiesEngineFailures_data()
    {
        QTest::addColumn<int>("http");
        QTest::addColumn<QString>("log");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<bool>("final");
        QTest::newRow("404") << 404 << "" << "Station not found (HTTP 404)" << true;
        QTest::newRow("403") << 403 << "" << "Access denied (HTTP 403)" << true;
        QTest::newRow("410") << 410 << "" << "Station gone (HTTP 410)" << true;
        QTest::newRow("503 may pass") << 503 << "" << "The server answered HTTP 503" << false;
        QTest::newRow("refused")
            << 0 << "tcp: Connection to tcp://127.0.0.1:1 failed: Connection refused"
            << "Connection refused" << false;
        QTest::newRow("untrusted certificate")
            << 0 << "tls: Peer certificate failed verification"
            << "Secure connection failed: certificate not trusted" << true;
        QTest::newRow("not audio") << 0 << "Failed to recognize file format."
                                   << "Not an audio stream" << true;
        QTest::newRow("typo in the host")
            << 0 << "tcp: Failed to resolve hostname radio.exmaple: Name or service not known"
            << "Server not found: check the address" << false;
        QTest::newRow("unknown: the engine's words") << 0 << "" << "fallback" << false;
    }
    void classifiesEngineFailures()
    {
        QFETCH(int, http);
        QFETCH(QString, log);
        QFETCH(QString, reason);
        QFETCH(bool, final);
        const Failure failure = StreamPolicy::classify(http, log, QStringLiteral("fallback"));
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
};

QTEST_GUILESS_MAIN(TestStreamPolicy)
#include "tst_StreamPolicy.moc"
