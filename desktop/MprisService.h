#pragma once

#include "MediaControls.h"

#include <QObject>
#include <QString>

#include <functional>

class Presets;
class Transport;
class Volume;
class QDBusConnection;

/// The player on the session bus as a desktop media player (MPRIS): registers the name and
/// the object, runs the commands MediaControls decides, and sends its property changes.
class MprisService : public QObject {
    Q_OBJECT

public:
    /// The well-known name on the bus.
    static constexpr char kServiceName[] = "org.mpris.MediaPlayer2.morvena_webradio";
    /// The object path the interface lives at.
    static constexpr char kObjectPath[] = "/org/mpris/MediaPlayer2";

    /// What the window does for Raise and Quit.
    struct Window {
        std::function<void()> raise;
        std::function<void()> quit;
    };

    /// Works on the given collaborators, which must outlive it; nothing is on the bus
    /// before start().
    MprisService(MediaControls &controls, Transport &transport, Presets &presets, Volume &volume,
                 Window window, QObject *parent = nullptr);

    /// The name a player takes when kServiceName is another player's: kServiceName with
    /// ".instance<pid>".
    static QString instanceName(qint64 pid);

    /// Puts the player on the session bus under kServiceName, or instanceName() when another
    /// player holds that; false (with one line in the diagnostics) when there is no session
    /// bus or neither name can be had, and the program runs on without.
    bool start();
    /// The name the player holds on the bus; empty before a successful start().
    const QString &serviceName() const { return m_serviceName; }

    /// The decisions behind the properties.
    MediaControls &controls() const { return m_controls; }
    /// The volume the Volume property reads and sets.
    Volume &volume() const { return m_volume; }
    /// Runs the window's Raise.
    void raise() const;
    /// Runs the window's Quit.
    void quit() const;
    /// Next (`direction` 1) or Previous (-1).
    void step(int direction);
    /// Runs a transport command; Tune is the first preset that holds a channel.
    void run(MediaControls::Command command);

private:
    void sendChanged(const QVariantMap &changed) const;

    MediaControls &m_controls;
    Transport &m_transport;
    Presets &m_presets;
    Volume &m_volume;
    Window m_window;
    bool m_started = false;
    QString m_serviceName;
};
