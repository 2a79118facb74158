#pragma once

#include "Tray.h"

#include <QString>

/// What the player's operations change in the window besides the state holders: the pause
/// and continue buttons, the functions popup's items, the option menus, the window icon,
/// the two timers, and the program's end.
///
/// The window implements it; each call is one visible step, so the order of the calls is
/// the order the user sees.
class PlayerView {
public:
    virtual ~PlayerView() = default;

    /// Shows or hides the pause button PictureButton6.
    virtual void setPictureButton6Visible(bool visible) = 0;
    /// Shows or hides the continue button PictureButton7.
    virtual void setPictureButton7Visible(bool visible) = 0;
    /// Sets the caption of the popup item fortsett_avs ("Continue ...").
    virtual void setFortsettAvsCaption(const QString &caption) = 0;
    /// Enables or disables the popup item fortsett_avs.
    virtual void setFortsettAvsEnabled(bool enabled) = 0;
    /// Enables or disables the popup item pause_avs.
    virtual void setPauseAvsEnabled(bool enabled) = 0;
    /// Enables or disables the menu item vis_topp ("Always").
    virtual void setVisToppEnabled(bool enabled) = 0;
    /// Enables or disables the menu item ikke_top ("Normal").
    virtual void setIkkeTopEnabled(bool enabled) = 0;
    /// Enables or disables the menu item ja_info ("Yes").
    virtual void setJaInfoEnabled(bool enabled) = 0;
    /// Enables or disables the menu item info_ikke ("No").
    virtual void setInfoIkkeEnabled(bool enabled) = 0;
    /// Starts or stops the 100 ms status poll tmrUpdate.
    virtual void setTmrUpdateEnabled(bool enabled) = 0;
    /// Starts or stops the 3 s announcement watcher Timer5.
    virtual void setTimer5Enabled(bool enabled) = 0;
    /// Sets the window's own icon (the title bar and task bar image).
    virtual void setFormIcon(Tray::Icon icon) = 0;
    /// Minimises the window.
    virtual void minimizeWindow() = 0;
    /// Ends the program at once, without any further saving.
    virtual void endProgram() = 0;

protected:
    PlayerView() = default;
    PlayerView(const PlayerView &) = default;
    PlayerView &operator=(const PlayerView &) = default;
};
