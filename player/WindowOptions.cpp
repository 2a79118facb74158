#include "WindowOptions.h"

#include "FormSettings.h"
#include "PlayerState.h"
#include "PlayerView.h"
#include "WindowStacking.h"

WindowOptions::WindowOptions(PlayerState &state, FormSettings &settings, PlayerView &view,
                             WindowStacking &stacking)
    : m_state(state)
    , m_settings(settings)
    , m_view(view)
{
    // The reaction belongs to the box, not to the menu: restoring the settings at start and
    // the About box change the value too, and the stacking must follow them all.
    m_chkFargeReaction =
        QObject::connect(&state, &PlayerState::chkFargeChanged, &state,
                         [&stacking](int value) { stacking.setTopmost(value == 1); });
}

WindowOptions::~WindowOptions()
{
    QObject::disconnect(m_chkFargeReaction);
}

void WindowOptions::vis_topp()
{
    m_state.setChkFarge(1);
    m_view.setVisToppEnabled(false);
    m_view.setIkkeTopEnabled(true);
    m_settings.SaveFormSettings(FormSettings::kAppName);
}

void WindowOptions::ikke_top()
{
    m_state.setChkFarge(0);
    m_view.setVisToppEnabled(true);
    m_view.setIkkeTopEnabled(false);
    m_settings.SaveFormSettings(FormSettings::kAppName);
}

void WindowOptions::ja_info()
{
    m_state.setChkInfo(1);
    m_view.setJaInfoEnabled(false);
    m_view.setInfoIkkeEnabled(true);
    m_view.setTimer5Enabled(true);
    m_settings.SaveFormSettings(FormSettings::kAppName);
}

void WindowOptions::info_ikke()
{
    m_state.setChkInfo(0);
    m_view.setJaInfoEnabled(true);
    m_view.setInfoIkkeEnabled(false);
    m_view.setTimer5Enabled(false);
    m_settings.SaveFormSettings(FormSettings::kAppName);
}
