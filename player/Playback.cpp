#include "Playback.h"

QString Playback::text() const
{
    switch (state) {
    case State::Idle:
        return {};
    case State::Connecting:
        return connecting();
    case State::Buffering:
        return tr("Buffering\u2026 %1 %").arg(percent);
    case State::Playing:
        return shown(kNoTitle);
    case State::Reconnecting:
        return secondsToRetry > 0 ? tr("Reconnecting in %1 s\u2026").arg(secondsToRetry)
                                  : tr("Reconnecting\u2026");
    case State::Failed:
        return reason;
    case State::Ended:
        return shown(kEnded);
    }
    return {};
}
