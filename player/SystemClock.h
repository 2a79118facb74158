#pragma once

#include "Clock.h"

/// The computer's own clock.
class SystemClock final : public Clock {
public:
    /// QDateTime::currentDateTime(), in local time.
    QDateTime now() const override;
};
