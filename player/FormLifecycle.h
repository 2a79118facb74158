#pragma once

class FormSettings;
class PlayerState;
class PlayerView;
class Transport;

/// The main window's life: its load, each activation, the functions popup's load, and
/// its unload.
class FormLifecycle {
public:
    /// Works on the given collaborators, which must outlive it.
    FormLifecycle(PlayerState &state, FormSettings &settings, PlayerView &view,
                  Transport &transport);

    /// The first load steps: hides the continue button, then restores the saved state
    /// (which plays the saved URL unless the state is the pause state).
    void loadForm();
    /// The last load step: an empty now-playing text becomes "no channel selected".
    void finishLoad();
    /// Each activation: option menus and Timer5 from the options; in the pause state also
    /// the continue button, the continue item, the tray and the window icon.
    void activate();
    /// The functions popup's own load: disables continue, and pause too when nothing is tuned.
    void loadFunctionsPopup();
    /// Unloading the window: saves the state, then ends the program.
    void unload();

private:
    PlayerState &m_state;
    FormSettings &m_settings;
    PlayerView &m_view;
    Transport &m_transport;
};
