#pragma once

#include <QCoreApplication>
#include <QLatin1StringView>
#include <QString>

#include <optional>

class SteadyClock;

/// Timings of the watchdog and the reconnect back-off.
struct StreamTimings {
    int watchdogMs = 15'000;      ///< no audio this long after opening: a failed open
    int retryMs = 500;            ///< back-off after the first retry, which is at once
    int maxRetryMs = 15'000;      ///< cap of the back-off
    int maxSilentReconnects = 10; ///< reconnects without audio before giving up
};

/// What becomes of a stream when it opens, plays, ends or stays silent: try the playlist's
/// next entry, reconnect after a back-off, give up with a reason, or let it end.
///
/// It only decides; the engine adapter carries the decisions out and calls due() when
/// msUntilDue() has passed, so the rules are tested with a fake clock and no engine.
class StreamPolicy {
    Q_DECLARE_TR_FUNCTIONS(StreamPolicy)

public:
    /// Timings of the watchdog and the reconnect back-off.
    using Timings = StreamTimings;

    /// The reason given for an address that answers with something other than audio.
    static constexpr QLatin1StringView kNotAudio{
        QT_TRANSLATE_NOOP("StreamPolicy", "Not an audio stream")};
    /// The reason given when a server's certificate is not one the system trusts.
    static constexpr QLatin1StringView kCertificateNotTrusted{
        QT_TRANSLATE_NOOP("StreamPolicy", "Secure connection failed: certificate not trusted")};
    /// The reason given for any other failure to set up a secure connection.
    static constexpr QLatin1StringView kSecureConnectionFailed{
        QT_TRANSLATE_NOOP("StreamPolicy", "Secure connection failed")};

    /// Why an open ended without audio, as the engine reported it.
    struct Failure {
        QString reason;        ///< plain words for the listener
        bool final = false;    ///< retrying cannot help (missing station, untrusted certificate)
        bool notAudio = false; ///< it answered with something other than audio (kNotAudio)
    };

    /// What the adapter does next.
    enum class Action {
        Wait,     ///< nothing now; call due() after msUntilDue()
        OpenNext, ///< open entryIndex(), the next entry of the playlist
        Reopen,   ///< reconnect: open entryIndex() again
        Fail,     ///< give up; Decision::reason says why
        End,      ///< the media played to its end
    };

    /// One decision, with the reason of a failure.
    struct Decision {
        Action action = Action::Wait;
        QString reason;
        bool watchdog = false; ///< the watchdog fired: the open still running must be stopped
    };

    /// What the engine reported of one failed open.
    struct OpenReport {
        int httpStatus = 0;  ///< the server's HTTP status; 0 when none came
        int connections = 0; ///< connections made (a redirect makes one more)
        QString engineLog;   ///< the engine's warnings, in the C library's language
    };

    /// The reason given when nothing better is known.
    static constexpr QLatin1StringView kCouldNotPlay{
        QT_TRANSLATE_NOOP("StreamPolicy", "The stream could not be played")};
    /// One of the reasons above in the listener's words.
    static QString reason(QLatin1StringView words) { return tr(words.data()); }

    /// The listener's words for an open that failed as `report` tells, in the listener's
    /// language. Reasons come from the HTTP status, the C library's error numbers and the
    /// engine's own (untranslated) messages, never from the wording of a translated message;
    /// kCouldNotPlay when none fits.
    static Failure classify(const OpenReport &report);

    /// A policy reading the time from `clock`, which must outlive it.
    explicit StreamPolicy(const SteadyClock &clock, Timings timings = {});

    /// Replaces the timings.
    void setTimings(const Timings &timings) { m_timings = timings; }
    /// The timings in force.
    const Timings &timings() const { return m_timings; }

    /// A new media with `entryCount` entries: all counters start afresh at entry 0.
    void start(int entryCount);
    /// Abandons the media: nothing is due any more.
    void cancel();
    /// Entry entryIndex() is being opened now: the watchdog starts.
    void opening();
    /// The open in progress decoded its first audio.
    void audioStarted();
    /// The open in progress ended; `live` when what played was a stream without an end.
    Decision ended(const Failure &why, bool live);
    /// Time has passed: a due retry or the watchdog.
    Decision due();

    /// Milliseconds until due() has something to do; empty when nothing is pending.
    std::optional<qint64> msUntilDue() const;
    /// The playlist entry to open.
    int entryIndex() const { return m_entry; }
    /// True from a drop until audio comes back or the policy gives up.
    bool isReconnecting() const { return m_reconnecting; }
    /// The reconnect attempt under way or waited for, 1 for the first.
    int attempt() const { return m_attempt; }
    /// Whole seconds until the next reconnect try; 0 when none is waited for.
    int secondsToRetry() const;

private:
    Decision reconnect();

    const SteadyClock &m_clock;
    Timings m_timings;
    int m_entries = 0;
    int m_entry = 0;
    bool m_audioSeen = false;
    bool m_reconnecting = false;
    int m_attempt = 0;
    int m_silentReconnects = 0;
    int m_nextDelayMs = 0;
    std::optional<qint64> m_watchdogAt;
    std::optional<qint64> m_retryAt;
};
