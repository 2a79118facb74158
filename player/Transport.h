#pragma once

#include "Playback.h"
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
/// Each command runs its steps in a fixed order against the engine, the state, the store,
/// the view and the tray; the transport state is read from the title (PlayerState).
class Transport {
public:
    /// The status line after tuning, pause and stop.
    static constexpr QLatin1StringView kStatusReset = StatusDisplay::kStatusReset;
    /// The continue item's caption while there is nothing to continue.
    static constexpr QLatin1StringView kContinue{"Continue"};

    /// Works on the given collaborators, which must outlive it.
    Transport(MediaPlayer &engine, PlayerState &state, FormSettings &settings, PlayerView &view,
              Tray &tray);

    /// The continue item's caption in the pause state: "Continue (" + `title` + ")".
    static QString continueCaption(const QString &title);

    /// The tuning sequence: makes channel `name` at `url` the current one, plays and saves it.
    void tune(const QString &name, const QString &url);
    /// Puts the popup items and the pause/continue buttons in the playing state.
    void resetTransport();
    /// The pause button: pauses unless nothing is tuned.
    void pauseButton();
    /// Pause (the popup item): closes the stream, keeping its URL and title for continue.
    void pause();
    /// Continue (button and popup item): opens the stored URL anew and restores the title.
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

private:
    void updateTray(Tray::Icon icon, const QString &tip);

    MediaPlayer &m_engine;
    PlayerState &m_state;
    FormSettings &m_settings;
    PlayerView &m_view;
    Tray &m_tray;
};
