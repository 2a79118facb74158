#pragma once

#include "Playback.h"
#include "PlayerSnapshot.h"
#include "StatusDisplay.h"
#include "Tray.h"

#include <QLatin1StringView>
#include <QString>

class FormSettings;
class MediaPlayer;
class PlayerState;
class PlayerView;

/// Tuning and the transport commands: pause, continue, stop, to tray and exit.
///
/// Each command changes the player's state in one step and runs its steps in a fixed order
/// against the engine, the store, the view and the tray. Decisions read the typed state
/// (PlayerSnapshot), never the texts the window shows.
class Transport {
public:
    /// The status line after tuning, pause and stop.
    static constexpr QLatin1StringView kStatusReset = StatusDisplay::kStatusReset;
    /// The continue item's caption while there is nothing to continue.
    static constexpr QLatin1StringView kContinue{QT_TRANSLATE_NOOP("Transport", "Continue")};

    /// Works on the given collaborators, which must outlive it.
    Transport(MediaPlayer &engine, PlayerState &state, FormSettings &settings, PlayerView &view,
              Tray &tray);

    /// The continue item's caption in the pause state: "Continue (" + `title` + ")".
    static QString continueCaption(const QString &title);

    /// The tuning sequence: makes channel `name` at `url` the current one, plays and saves it.
    void tune(const QString &name, const QString &url, ChannelSource source = ChannelSource::List);
    /// Plays a dropped or opened item at `url` under `name`: unlike tuning it keeps the
    /// status poll and the volume as they are. It is saved at once when `save`, otherwise
    /// once the engine plays it.
    void playItem(const QString &name, const QString &url, ChannelSource source, bool save);
    /// Puts the popup items and the pause/continue buttons in the state's place: pause on
    /// offer while a channel plays, continue while it is paused, failed or ended.
    void showControls();
    /// The pause button: pauses unless nothing is tuned.
    void pauseButton();
    /// Pause (the popup item): closes the stream, keeping its channel for continue.
    void pause();
    /// Continue (button and popup item): opens the channel anew.
    void continuePlaying();
    /// Stop: forgets the stream, shows "no stream" and saves the idle state.
    void stop();
    /// The to-tray button: minimises the window and adds the tray icon.
    void toTray();
    /// The exit button: removes the tray icon and ends the program without saving.
    void exit();
    /// The engine's account of playback changed: when the stream failed or played to its
    /// end, the controls offer to continue (play it again) instead of a pause that would
    /// pause nothing.
    void playbackChanged(const Playback &playback);
    /// The tray icon, its tip and the window's icon as the state has them: the playing
    /// image while a channel sounds, the idle one otherwise.
    void showTray();

private:
    MediaPlayer &m_engine;
    PlayerState &m_state;
    FormSettings &m_settings;
    PlayerView &m_view;
    Tray &m_tray;
    bool m_over = false; // the engine last said the media failed or ended
};
