#include "StreamPolicy.h"

#include "SteadyClock.h"

#include <algorithm>

StreamPolicy::Failure StreamPolicy::classify(int httpStatus, const QString &engineLog,
                                             const QString &fallback)
{
    switch (httpStatus) {
    case 401:
        return {QStringLiteral("The station asks for a password (HTTP 401)"), true};
    case 403:
        return {QStringLiteral("Access denied (HTTP 403)"), true};
    case 404:
        return {QStringLiteral("Station not found (HTTP 404)"), true};
    case 410:
        return {QStringLiteral("Station gone (HTTP 410)"), true};
    default:
        break;
    }
    // A server error may pass; a retry is worth it.
    if (httpStatus >= 400)
        return {QStringLiteral("The server answered HTTP %1").arg(httpStatus), false};
    // The engine reports every failed open alike; its warnings tell the causes apart.
    const QString text = engineLog + QLatin1Char('\n') + fallback;
    const auto has = [&text](const char *phrase) {
        return text.contains(QLatin1String(phrase), Qt::CaseInsensitive);
    };
    if (has("certificate") || has("failed verification"))
        return {kCertificateNotTrusted, true};
    if (has("tls:") || has("handshake"))
        return {kSecureConnectionFailed, false};
    if (has("Connection refused"))
        return {QStringLiteral("Connection refused"), false};
    if (has("resolve hostname") || has("Name or service not known"))
        return {QStringLiteral("Server not found: check the address"), false};
    if (has("timed out"))
        return {QStringLiteral("The server did not answer"), false};
    if (has("recognize file format") || has("unrecognized file format"))
        return {kNotAudio, true};
    return {fallback, false};
}

StreamPolicy::StreamPolicy(const SteadyClock &clock, Timings timings)
    : m_clock(clock)
    , m_timings(timings)
{}

void StreamPolicy::start(int entryCount)
{
    cancel();
    m_entries = entryCount;
    m_entry = 0;
    m_silentReconnects = 0;
    m_nextDelayMs = 0;
}

void StreamPolicy::cancel()
{
    m_watchdogAt.reset();
    m_retryAt.reset();
    m_reconnecting = false;
    m_attempt = 0;
    m_audioSeen = false;
}

void StreamPolicy::opening()
{
    m_audioSeen = false;
    m_retryAt.reset();
    m_watchdogAt = m_clock.nowMs() + m_timings.watchdogMs;
}

void StreamPolicy::audioStarted()
{
    m_watchdogAt.reset();
    m_audioSeen = true;
    m_reconnecting = false;
    m_attempt = 0;
    m_silentReconnects = 0;
    m_nextDelayMs = 0;
}

StreamPolicy::Decision StreamPolicy::ended(const Failure &why, bool live)
{
    m_watchdogAt.reset();
    if (m_audioSeen) {
        // It played, then stopped: a live stream dropped, or a file came to its end.
        m_audioSeen = false;
        return live ? reconnect() : Decision{Action::End, {}, false};
    }
    if (m_reconnecting) {
        if (why.final)
            return {Action::Fail, why.reason, false};
        if (++m_silentReconnects >= m_timings.maxSilentReconnects)
            return {Action::Fail,
                    QStringLiteral("The stream did not come back (%1)").arg(why.reason), false};
        return reconnect();
    }
    // A dead entry of a playlist falls through to the next, whatever killed it.
    if (m_entry + 1 < m_entries) {
        ++m_entry;
        return {Action::OpenNext, {}, false};
    }
    return {Action::Fail, why.reason, false};
}

// The first try comes at once, since most drops are a moment's glitch; later ones back off
// so that a station that is down is not hammered.
StreamPolicy::Decision StreamPolicy::reconnect()
{
    m_reconnecting = true;
    ++m_attempt;
    const int delay = m_nextDelayMs;
    m_nextDelayMs = delay == 0 ? m_timings.retryMs : std::min(delay * 2, m_timings.maxRetryMs);
    if (delay == 0)
        return {Action::Reopen, {}, false};
    m_retryAt = m_clock.nowMs() + delay;
    return {};
}

StreamPolicy::Decision StreamPolicy::due()
{
    const qint64 now = m_clock.nowMs();
    if (m_retryAt && now >= *m_retryAt) {
        m_retryAt.reset();
        return {Action::Reopen, {}, false};
    }
    if (m_watchdogAt && now >= *m_watchdogAt) {
        Decision decision =
            ended({QStringLiteral("No audio arrived within %1 s").arg(m_timings.watchdogMs / 1000),
                   false},
                  false);
        decision.watchdog = true;
        return decision;
    }
    return {};
}

std::optional<qint64> StreamPolicy::msUntilDue() const
{
    const std::optional<qint64> at = m_retryAt ? m_retryAt : m_watchdogAt;
    if (!at)
        return std::nullopt;
    return std::max<qint64>(0, *at - m_clock.nowMs());
}

int StreamPolicy::secondsToRetry() const
{
    if (!m_retryAt)
        return 0;
    const qint64 left = std::max<qint64>(0, *m_retryAt - m_clock.nowMs());
    return static_cast<int>((left + 999) / 1000);
}
