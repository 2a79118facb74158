#pragma once

#include <QList>
#include <QObject>

class QSocketNotifier;

/// Turns Unix signals (SIGTERM, SIGINT, SIGHUP, ...) into a Qt signal on the event loop.
///
/// A signal handler may do almost nothing safely, so it only writes the signal's number
/// into a pipe; the event loop reads it and emits received() like any other event. One
/// watcher per process; the signals get their default handling back when it is destroyed.
class UnixSignalWatcher : public QObject {
    Q_OBJECT

public:
    /// Catches `signalNumbers` from now on.
    explicit UnixSignalWatcher(const QList<int> &signalNumbers, QObject *parent = nullptr);
    ~UnixSignalWatcher() override;

signals:
    /// `signalNumber` arrived.
    void received(int signalNumber);

private:
    void readPipe();

    QList<int> m_signalNumbers;
    QSocketNotifier *m_notifier = nullptr;
};
