#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

/// Measures how long the event loop of the current thread went without running a timer:
/// a 10 ms timer whose largest gap between ticks is the longest stall seen.
class StallMonitor : public QObject {
public:
    static constexpr int kTickMs = 10;

    explicit StallMonitor(QObject *parent = nullptr)
        : QObject(parent)
    {
        connect(&m_timer, &QTimer::timeout, this,
                [this] { m_longestMs = std::max(m_longestMs, m_clock.restart() - kTickMs); });
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.start(kTickMs);
        m_clock.start();
    }

    /// The longest stall beyond the tick interval, in milliseconds.
    qint64 longestStallMs() const { return m_longestMs; }

private:
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_longestMs = 0;
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
