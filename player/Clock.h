#pragma once

#include <QDateTime>

/// The local wall clock, so that tests can set the time.
class Clock {
public:
    virtual ~Clock() = default;

    /// The current local date and time.
    virtual QDateTime now() const = 0;

protected:
    Clock() = default;
    Clock(const Clock &) = default;
    Clock &operator=(const Clock &) = default;
};
