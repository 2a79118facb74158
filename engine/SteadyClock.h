#pragma once

#include <QElapsedTimer>
#include <QtGlobal>

/// A clock that only moves forward, for deadlines: unlike the wall clock it never jumps
/// when the user or the network sets the time.
class SteadyClock {
public:
    virtual ~SteadyClock() = default;

    /// Milliseconds since some fixed point in the past.
    virtual qint64 nowMs() const = 0;

protected:
    SteadyClock() = default;
    SteadyClock(const SteadyClock &) = default;
    SteadyClock &operator=(const SteadyClock &) = default;
};

/// The system's monotonic clock.
class MonotonicClock final : public SteadyClock {
public:
    MonotonicClock() { m_timer.start(); }
    /// Milliseconds since this clock was made.
    qint64 nowMs() const override { return m_timer.elapsed(); }

private:
    QElapsedTimer m_timer;
};
