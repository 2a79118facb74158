#pragma once

#include <QMetaObject>

class FormSettings;
class PlayerState;
class PlayerView;
class WindowStacking;

/// The two window options of the "Settings" menu: always on top (chkFarge, items vis_topp
/// "Always" and ikke_top "Normal") and the information view (chkInfo, items ja_info "Yes"
/// and info_ikke "No").
///
/// Of the two items of an option, the one that would choose the current value is disabled
/// and the other enabled. Every change is saved at once. Activation sets the items from the
/// options (FormLifecycle); this class adds the menu commands and the stacking reaction.
class WindowOptions {
public:
    /// Works on the given collaborators, which must outlive it. From now on every change of
    /// chkFarge, whoever makes it, puts the window on top or back among the others.
    WindowOptions(PlayerState &state, FormSettings &settings, PlayerView &view,
                  WindowStacking &stacking);
    ~WindowOptions();
    WindowOptions(const WindowOptions &) = delete;
    WindowOptions &operator=(const WindowOptions &) = delete;

    /// "Always": on top, saved.
    void vis_topp();
    /// "Normal": stacked normally, saved.
    void ikke_top();
    /// "Yes": the information view on, Timer5 running, saved.
    void ja_info();
    /// "No": the information view off, Timer5 stopped, saved.
    void info_ikke();

private:
    PlayerState &m_state;
    FormSettings &m_settings;
    PlayerView &m_view;
    QMetaObject::Connection m_chkFargeReaction;
};
