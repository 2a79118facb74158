#include "StreamPolicy.h"

#include "SteadyClock.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <netdb.h>

namespace {

// More connections than this for one open, and no answer but redirects: a loop. The engine
// gives up after eight redirects.
constexpr int kRedirectLoopConnections = 5;

// The C library's words for an error number, in the language the engine's threads write
// them in: the user's, which is why they are looked up rather than written here.
QString cLibraryText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

QString resolverText(int error)
{
    return QString::fromLocal8Bit(gai_strerror(error));
}

} // namespace

StreamPolicy::Failure StreamPolicy::classify(const OpenReport &report)
{
    const int httpStatus = report.httpStatus;
    switch (httpStatus) {
    case 401:
        return {tr("The station asks for a password (HTTP 401)"), true};
    case 403:
        return {tr("Access denied (HTTP 403)"), true};
    case 404:
        return {tr("Station not found (HTTP 404)"), true};
    case 410:
        return {tr("Station gone (HTTP 410)"), true};
    default:
        break;
    }
    // A server error may pass; a retry is worth it.
    if (httpStatus >= 400)
        return {tr("The server answered HTTP %1").arg(httpStatus), false};
    const QString &text = report.engineLog;
    const auto says = [&text](const QString &words) {
        return !words.isEmpty() && text.contains(words, Qt::CaseInsensitive);
    };
    const auto hasError = [&says](std::initializer_list<int> errors) {
        return std::any_of(errors.begin(), errors.end(),
                           [&says](int error) { return says(cLibraryText(error)); });
    };
    // The TLS library's and the demuxer's own messages are never translated.
    if (says(QStringLiteral("certificate")) || says(QStringLiteral("failed verification")))
        return {reason(kCertificateNotTrusted), true};
    if (says(QStringLiteral("tls:")) || says(QStringLiteral("handshake")))
        return {reason(kSecureConnectionFailed), false};
    if (hasError({ECONNREFUSED}))
        return {tr("Connection refused"), false};
    if (says(QStringLiteral("resolve hostname")) || says(resolverText(EAI_NONAME)) ||
        says(resolverText(EAI_AGAIN)) || says(resolverText(EAI_FAIL)))
        return {tr("Server not found: check the address"), false};
    if (hasError({ETIMEDOUT, EHOSTUNREACH, ENETUNREACH}))
        return {tr("The server did not answer"), false};
    if (says(QStringLiteral("recognize file format")) ||
        says(QStringLiteral("unrecognized file format")))
        return {reason(kNotAudio), true, true};
    if (hasError({ENOENT}))
        return {tr("File not found"), true};
    if (hasError({EACCES, EPERM}))
        return {tr("The file cannot be read"), true};
    if (hasError({ECONNRESET, EPIPE}))
        return {tr("The server closed the connection"), false};
    if (report.connections > kRedirectLoopConnections)
        return {tr("Too many redirects"), true};
    // It answered, then hung up before any audio came.
    if (report.connections > 0)
        return {tr("The server closed the connection"), false};
    return {reason(kCouldNotPlay), false};
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
            return {Action::Fail, tr("The stream did not come back (%1)").arg(why.reason), false};
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
        Decision decision = ended(
            {tr("No audio arrived within %1 s").arg(m_timings.watchdogMs / 1000), false}, false);
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
