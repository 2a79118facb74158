#include "FormLifecycle.h"

#include "FormSettings.h"
#include "PlayerState.h"
#include "PlayerView.h"
#include "StatusDisplay.h"
#include "Transport.h"

FormLifecycle::FormLifecycle(PlayerState &state, FormSettings &settings, PlayerView &view,
                             Transport &transport)
    : m_state(state)
    , m_settings(settings)
    , m_view(view)
    , m_transport(transport)
{}

void FormLifecycle::loadForm()
{
    // The status line is never blank: until a stream gives figures it shows none.
    m_state.update([](PlayerSnapshot &now) { now.status = StatusDisplay::resetText(); });
    m_view.setPictureButton7Visible(false);
    m_settings.LoadFormSettings(FormSettings::kAppName);
    // A stream resumed from the last run is polled like a tuned one; a pause or no channel
    // leaves nothing for the status line to show.
    m_view.setTmrUpdateEnabled(m_state.snapshot().transport == PlayerSnapshot::Transport::Playing);
}

void FormLifecycle::finishLoad()
{
    m_state.update([](PlayerSnapshot &now) {
        if (now.line.isEmpty()) {
            now.line = PlayerSnapshot::shown(PlayerSnapshot::kNoChannelSelected);
        }
    });
}

void FormLifecycle::activate()
{
    const bool onTop = m_state.chkFarge() == 1;
    m_view.setVisToppEnabled(!onTop);
    m_view.setIkkeTopEnabled(onTop);
    const bool info = m_state.chkInfo() == 1;
    m_view.setJaInfoEnabled(!info);
    m_view.setInfoIkkeEnabled(info);
    m_view.setTimer5Enabled(info);
    // The pause state is restored at every activation, not only the first: whatever
    // happened to the controls while the window was away, the user can continue.
    if (m_state.isPaused()) {
        m_transport.showControls();
        m_transport.showTray();
    }
}

void FormLifecycle::loadFunctionsPopup()
{
    if (!m_state.snapshot().isTuned()) {
        m_view.setPauseAvsEnabled(false);
    }
    m_view.setFortsettAvsEnabled(false);
}

void FormLifecycle::unload()
{
    m_settings.SaveFormSettings(FormSettings::kAppName);
    m_view.endProgram();
}
