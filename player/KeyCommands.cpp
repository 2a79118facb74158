#include "KeyCommands.h"

namespace KeyCommands {

Action forKey(int key, Qt::KeyboardModifiers modifiers)
{
    // Shift is part of some keys' characters ('+' on most layouts), so it does not count.
    const Qt::KeyboardModifiers chord =
        modifiers & ~(Qt::KeypadModifier | Qt::ShiftModifier | Qt::GroupSwitchModifier);
    if (key >= Qt::Key_1 && key <= Qt::Key_9) {
        const int preset = key - Qt::Key_0;
        if (chord == Qt::NoModifier) {
            return {Command::TunePreset, preset};
        }
        if (chord == Qt::ControlModifier) {
            return {Command::StorePreset, preset};
        }
        return {};
    }
    if (chord != Qt::NoModifier) {
        return {};
    }
    switch (key) {
    case Qt::Key_Space:
        return {Command::PauseOrContinue};
    case Qt::Key_S:
        return {Command::Stop};
    case Qt::Key_M:
    case Qt::Key_F10:
    case Qt::Key_Menu:
        return {Command::MainMenu};
    case Qt::Key_Escape:
        return {Command::ToTray};
    // '=' shares its key with '+' on many layouts: no Shift needed to turn it up.
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        return {Command::VolumeUp};
    case Qt::Key_Minus:
        return {Command::VolumeDown};
    case Qt::Key_H:
        return {Command::History};
    // Shift+8 on most layouts, or the keypad's own key.
    case Qt::Key_Asterisk:
        return {Command::StarSong};
    case Qt::Key_R:
        return {Command::Record};
    case Qt::Key_Z:
        return {Command::Sleep};
    default:
        return {};
    }
}

} // namespace KeyCommands
