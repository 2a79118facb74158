#pragma once

#include <QObject>
#include <QString>
#include <QVariantMap>

class PlayerState;
class SettingsStore;
class Volume;

/// What the desktop's media controls (MPRIS) see and may do, decided from the player's
/// typed state, the volume and the presets. The D-Bus adaptors only read
/// properties() and run the command this class names.
///
/// refresh() recomputes the properties and announces exactly those that changed, so the
/// desktop hears of every change once and of nothing that stayed the same.
class MediaControls : public QObject {
    Q_OBJECT

public:
    /// What a transport request from the desktop comes to.
    enum class Command {
        None,     ///< nothing to do
        Pause,    ///< the pause button
        Continue, ///< the continue button
        Stop,     ///< the main menu's "Stop Radio"
        Tune,     ///< a short press of a preset (see presetFor())
    };

    /// The object path of "no track", as the interface defines it.
    static constexpr QLatin1StringView kNoTrack{"/org/mpris/MediaPlayer2/TrackList/NoTrack"};

    /// Reads the given sources, which must outlive it; computes nothing until refresh().
    MediaControls(PlayerState &state, const SettingsStore &store, Volume &volume,
                  QObject *parent = nullptr);

    /// "Playing", "Paused" or "Stopped".
    QString playbackStatus() const;
    /// The player interface's changing properties, by their D-Bus names.
    QVariantMap properties() const;

    /// Play: continue a paused or ended stream; with nothing tuned, the first preset.
    Command play() const;
    /// Pause: only while something plays.
    Command pause() const;
    /// PlayPause: pause while playing, play otherwise.
    Command playPause() const;
    /// Stop: only while something is tuned or paused.
    Command stop() const;
    /// The preset that Next (`direction` 1) or Previous (-1) tunes: the next one that holds
    /// a channel after the one playing, round the end; 0 when there is none.
    int presetFor(int direction) const;

public slots:
    /// Recomputes the properties and announces those that changed.
    void refresh();

signals:
    /// The properties in `changed` (name to new value) changed since the last refresh.
    void propertiesChanged(const QVariantMap &changed);

private:
    // The presets that hold a channel, and the one of them playing (0: none).
    struct PresetView {
        QList<int> held;
        int current = 0;
    };

    PresetView presets() const;
    QVariantMap metadata() const;

    PlayerState &m_state;
    const SettingsStore &m_store;
    Volume &m_volume;
    QVariantMap m_last;
};
