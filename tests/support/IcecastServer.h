#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <memory>

/// A real Icecast 2 server on 127.0.0.1 with ffmpeg feeding it a looped MP3 fixture,
/// for tests that want the genuine article rather than our own stream server.
class IcecastServer {
public:
    /// Prepares a server; nothing runs until start().
    IcecastServer();
    ~IcecastServer();
    IcecastServer(const IcecastServer &) = delete;
    IcecastServer &operator=(const IcecastServer &) = delete;

    /// True when icecast2 and ffmpeg are installed.
    static bool available();

    /// Starts Icecast and the source on `mount` and waits (bounded) until the mount
    /// accepts metadata; `error` says what failed.
    bool start(const QString &mount, const QString &audioFile, QString *error);
    /// The listening URL of the mount.
    QString url() const;
    /// Sets the mount's now-playing title through the admin interface (blocking, bounded).
    bool setTitle(const QString &title) const;

private:
    QTemporaryDir m_dir;
    QProcess m_icecast;
    QProcess m_source;
    quint16 m_port = 0;
    QString m_mount;
};
