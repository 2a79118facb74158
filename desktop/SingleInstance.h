#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>

class QLocalSocket;

/// One player per user and settings file: a later start hands its location to the running
/// instance over a local socket and ends, so two players never play over each other.
///
/// The socket lives in the user's runtime folder and is named after the settings folder:
/// players with separate settings (another XDG_CONFIG_HOME, a test) stay separate, since
/// they could not share a list or a state anyway. Unlike a lock file, a socket left behind
/// by a crash is recognised (nobody answers) and taken over.
class SingleInstance : public QObject {
    Q_OBJECT

public:
    /// How long a later start waits for the running instance to confirm a hand-over.
    static constexpr int kAnswerMs = 5000;
    /// How long a restart waits for the instance it replaces to end.
    static constexpr int kRestartWaitMs = 5000;

    /// Works with the local socket `name` (a full path or a plain name); nothing happens
    /// before claim() or takeOver().
    explicit SingleInstance(QString name, QObject *parent = nullptr);

    /// The socket for this user and settings folder.
    static QString defaultName();

    /// Hands `target` (possibly empty) to a running instance and returns false once it has
    /// confirmed; otherwise becomes the running instance, removing a stale socket first,
    /// and returns true.
    bool claim(const QString &target);
    /// For the new instance of a restart: waits up to `timeoutMs` for the instance being
    /// replaced to end, then serves later starts. Returns false when it had to take the
    /// name over from an instance still there.
    bool takeOver(int timeoutMs = kRestartWaitMs);

    /// Sends `target` to the instance serving `name`; true once it confirmed within
    /// `timeoutMs`.
    static bool handOver(const QString &name, const QString &target, int timeoutMs = kAnswerMs);

    /// Stops serving later starts and removes the socket, as the end of the object would.
    void release();

signals:
    /// A later start handed over `target` (empty: it only asked for the window).
    void requested(const QString &target);

private:
    bool listenTakingOver();
    void serve(QLocalSocket *socket);

    QString m_name;
    QLocalServer m_server;
};
