#pragma once

#include "Clock.h"

/// A clock that shows whatever time the test sets.
class FakeClock final : public Clock {
public:
    /// The time now() reports.
    QDateTime time;

    QDateTime now() const override { return time; }
};
