#pragma once

#include <Qt>

/// The panel's keyboard: which key does what. The window only forwards its key presses.
namespace KeyCommands {

/// What a key asks for.
enum class Command {
    None,            ///< not ours: the key goes on to the default handling
    PauseOrContinue, ///< whichever of the pause and continue buttons is shown
    Stop,            ///< the main menu's "Stop Radio"
    TunePreset,      ///< a short press of preset `preset`
    StorePreset,     ///< a long press of preset `preset`
    MainMenu,        ///< the main menu, opened at the star button
    ToTray,          ///< the to-tray button
    VolumeUp,        ///< one volume step louder
    VolumeDown,      ///< one volume step quieter
    History,         ///< the song history window
    StarSong,        ///< star the song playing now
    Record,          ///< recording on or off
    Sleep,           ///< the sleep timer, asking for a time
};

/// A command and the preset it is for (1 to 9; 0 for the others).
struct Action {
    Command command = Command::None;
    int preset = 0;

    bool operator==(const Action &other) const = default;
};

/// The command of key `key` (a Qt::Key) pressed with `modifiers`. The keypad counts like
/// the main keys; Alt, Meta and any Ctrl chord other than Ctrl+1..9 are left to the desktop.
Action forKey(int key, Qt::KeyboardModifiers modifiers);

} // namespace KeyCommands
