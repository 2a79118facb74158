#pragma once

#include <QString>

/// The program's one icon in the desktop's notification area.
///
/// The icon exists from add() until remove(); an update while there is none does nothing.
class Tray {
public:
    /// The two images the icon (and the window icon with it) switches between.
    enum class Icon { Idle, Playing };

    virtual ~Tray() = default;

    /// Puts the icon in the notification area with `icon` and the tip `tip`.
    virtual void add(Icon icon, const QString &tip) = 0;
    /// Changes the icon's image and tip, if the icon is there.
    virtual void update(Icon icon, const QString &tip) = 0;
    /// Takes the icon out of the notification area.
    virtual void remove() = 0;

protected:
    Tray() = default;
    Tray(const Tray &) = default;
    Tray &operator=(const Tray &) = default;
};
