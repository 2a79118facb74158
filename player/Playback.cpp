#include "Playback.h"

QString Playback::text() const
{
    switch (state) {
    case State::Idle:
        return {};
    case State::Connecting:
        return kConnecting;
    case State::Buffering:
        return QStringLiteral("Buffering\u2026 %1 %").arg(percent);
    case State::Playing:
        return kNoTitle;
    case State::Reconnecting:
        return secondsToRetry > 0 ? QStringLiteral("Reconnecting in %1 s\u2026").arg(secondsToRetry)
                                  : QStringLiteral("Reconnecting\u2026");
    case State::Failed:
        return reason;
    case State::Ended:
        return kEnded;
    }
    return {};
}
