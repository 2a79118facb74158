#pragma once

#include <QDBusAbstractAdaptor>
#include <QDBusObjectPath>
#include <QStringList>
#include <QVariantMap>

class MprisService;

/// The root interface of a desktop media player: the program's name and its window.
class MprisRoot : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2")
    Q_PROPERTY(QString Identity READ identity)
    Q_PROPERTY(QString DesktopEntry READ desktopEntry)
    Q_PROPERTY(bool CanRaise READ yes)
    Q_PROPERTY(bool CanQuit READ yes)
    Q_PROPERTY(bool HasTrackList READ no)
    Q_PROPERTY(QStringList SupportedUriSchemes READ none)
    Q_PROPERTY(QStringList SupportedMimeTypes READ none)

public:
    /// Exported on `service`'s object, whose commands it runs.
    explicit MprisRoot(MprisService &service);

    /// "Morvena Webradio".
    QString identity() const;
    /// The desktop file's id.
    QString desktopEntry() const;
    /// True.
    bool yes() const { return true; }
    /// False.
    bool no() const { return false; }
    /// An empty list: the player opens no addresses the desktop hands it.
    QStringList none() const { return {}; }

public slots:
    /// Brings the window back, also from the tray.
    void Raise();
    /// Unloads the window, saving the state, as closing it does.
    void Quit();

private:
    MprisService &m_service;
};

/// The player interface: what plays, the transport, the presets as tracks, the volume.
class MprisPlayer : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2.Player")
    Q_PROPERTY(QString PlaybackStatus READ playbackStatus)
    Q_PROPERTY(QVariantMap Metadata READ metadata)
    Q_PROPERTY(double Volume READ volume WRITE setVolume)
    Q_PROPERTY(qlonglong Position READ position)
    Q_PROPERTY(double Rate READ rate)
    Q_PROPERTY(double MinimumRate READ rate)
    Q_PROPERTY(double MaximumRate READ rate)
    Q_PROPERTY(bool CanPlay READ canPlay)
    Q_PROPERTY(bool CanPause READ canPause)
    Q_PROPERTY(bool CanGoNext READ canGoNext)
    Q_PROPERTY(bool CanGoPrevious READ canGoPrevious)
    Q_PROPERTY(bool CanControl READ canControl)
    Q_PROPERTY(bool CanSeek READ canSeek)

public:
    /// Exported on `service`'s object, whose commands it runs.
    explicit MprisPlayer(MprisService &service);

    /// "Playing", "Paused" or "Stopped".
    QString playbackStatus() const;
    /// What plays: track id, title, artist, channel as album, address.
    QVariantMap metadata() const;
    /// The volume, 0.0 to 1.0.
    double volume() const;
    /// Sets the volume, 0.0 to 1.0 (cut to that range).
    void setVolume(double volume);
    /// 0: a live stream has no position.
    qlonglong position() const { return 0; }
    /// 1: streams play at their own pace.
    double rate() const { return 1.0; }
    /// Whether Play or PlayPause can start something.
    bool canPlay() const;
    /// Whether something plays that Pause can pause.
    bool canPause() const;
    /// Whether another preset holds a channel.
    bool canGoNext() const;
    /// Whether another preset holds a channel.
    bool canGoPrevious() const;
    /// True: the desktop may drive the player.
    bool canControl() const { return true; }
    /// False: live streams cannot seek.
    bool canSeek() const { return false; }

public slots:
    /// The next preset that holds a channel.
    void Next();
    /// The previous preset that holds a channel.
    void Previous();
    /// Pause.
    void Pause();
    /// Pause or play.
    void PlayPause();
    /// Stop.
    void Stop();
    /// Continue, or the first preset when nothing is tuned.
    void Play();
    /// Not possible on a live stream: ignored.
    void Seek(qlonglong offset);
    /// Not possible on a live stream: ignored.
    void SetPosition(const QDBusObjectPath &trackId, qlonglong position);
    /// Addresses from the desktop are not taken: ignored.
    void OpenUri(const QString &uri);

signals:
    /// Never sent: nothing seeks.
    void Seeked(qlonglong position);

private:
    bool flag(const char *name) const;

    MprisService &m_service;
};
