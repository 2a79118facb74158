#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QTimer>

#include <algorithm>

/// The longest gap between ticks of a 10 ms timer, less the tick: the longest the event
/// loop of the current thread went without running a timer.
class StallMonitor {
public:
    static constexpr int kTickMs = 10;

    StallMonitor()
    {
        QObject::connect(&m_timer, &QTimer::timeout, &m_timer,
                         [this] { m_longest = std::max(m_longest, m_clock.restart() - kTickMs); });
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.start(kTickMs);
        m_clock.start();
    }
    /// The longest stall seen so far, in milliseconds.
    qint64 longestMs() const { return m_longest; }

private:
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_longest = 0;
};

/// Runs `call` and answers how many milliseconds it took.
template<typename Call>
qint64 millisecondsTaken(Call &&call)
{
    QElapsedTimer clock;
    clock.start();
    call();
    return clock.elapsed();
}

/// The middle of `values` once sorted (the upper one of an even count); -1 for none.
inline double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? -1 : values.at(values.size() / 2);
}
