#include "Transport.h"

#include "FormSettings.h"
#include "MediaPlayer.h"
#include "PlayerState.h"
#include "PlayerView.h"
#include "StatusDisplay.h"

Transport::Transport(MediaPlayer &engine, PlayerState &state, FormSettings &settings,
                     PlayerView &view, Tray &tray)
    : m_engine(engine)
    , m_state(state)
    , m_settings(settings)
    , m_view(view)
    , m_tray(tray)
{}

QString Transport::continueCaption(const QString &title)
{
    return QStringLiteral("Continue (") + title + QLatin1Char(')');
}

void Transport::tune(const QString &name, const QString &url)
{
    updateTray(Tray::Icon::Playing, name);
    m_state.setLabel3(kStatusReset);
    // Stop and close first, so the old stream is gone before the new one opens.
    m_engine.stop();
    m_engine.close();
    m_engine.setUrl(url);
    m_view.setTmrUpdateEnabled(true);
    m_engine.setVolume(m_settings.storedVolume(FormSettings::kAppName));
    m_state.setLabel2(name);
    m_state.setLabel6(m_state.Label2());
    // The last station's title would pass for this one's until the stream names its own.
    m_state.setLabel4(Playback::kConnecting);
    // A new tuning announces its first title even when the last station played the same.
    m_state.setLabel1(QString());
    m_settings.SaveFormSettings(FormSettings::kAppName);
    resetTransport();
}

void Transport::resetTransport()
{
    m_view.setPauseAvsEnabled(true);
    m_view.setFortsettAvsCaption(kContinue);
    m_view.setFortsettAvsEnabled(false);
    m_view.setPictureButton7Visible(false);
    m_view.setPictureButton6Visible(true);
}

void Transport::pauseButton()
{
    if (m_state.Label2() == PlayerState::kNoChannelSelected) {
        return;
    }
    pause();
}

void Transport::pause()
{
    m_view.setFortsettAvsCaption(continueCaption(m_state.Label2()));
    m_view.setFortsettAvsEnabled(true);
    m_view.setPauseAvsEnabled(false);
    m_state.setLabel6(m_state.Label2());
    m_state.setLabel2(PlayerState::kPause);
    m_view.setPictureButton6Visible(false);
    m_view.setPictureButton7Visible(true);
    updateTray(Tray::Icon::Idle, PlayerState::kPause);
    m_state.setLabel3(kStatusReset);
    m_state.setLabel4(PlayerState::kPause);
    // Saved while the engine still holds the URL, so the store keeps the stream to continue.
    m_settings.SaveFormSettings(FormSettings::kAppName);
    m_engine.close();
}

void Transport::continuePlaying()
{
    m_view.setFortsettAvsCaption(kContinue);
    m_view.setFortsettAvsEnabled(false);
    m_view.setPauseAvsEnabled(true);
    m_engine.setUrl(m_settings.storedUrl(FormSettings::kAppName));
    m_engine.setVolume(m_settings.storedVolume(FormSettings::kAppName));
    m_state.setLabel2(m_state.Label6());
    m_state.setLabel4(Playback::kConnecting);
    m_view.setPictureButton7Visible(false);
    m_view.setPictureButton6Visible(true);
    updateTray(Tray::Icon::Playing, m_state.Label2());
    m_settings.SaveFormSettings(FormSettings::kAppName);
}

void Transport::stop()
{
    const bool wasPaused = m_state.isPaused();
    m_view.setTmrUpdateEnabled(false);
    updateTray(Tray::Icon::Idle, PlayerState::kNoChannelSelected);
    m_engine.setUrl(QString());
    m_engine.stop();
    m_engine.close();
    m_state.setLabel2(PlayerState::kNoChannelSelected);
    m_state.setLabel3(kStatusReset);
    m_state.setLabel4(PlayerState::kNoChannelSelected);
    // The poll is halted now, so the indicator would go on claiming a stream that is gone.
    StatusDisplay::showIndicator(m_state, false);
    m_view.setFortsettAvsCaption(kContinue);
    m_view.setPauseAvsEnabled(false);
    m_view.setFortsettAvsEnabled(false);
    // Stop forgets the paused stream, so the continue button must not stay on offer.
    if (wasPaused) {
        m_view.setPictureButton7Visible(false);
        m_view.setPictureButton6Visible(true);
    }
    m_settings.SaveFormSettings(FormSettings::kAppName);
}

void Transport::toTray()
{
    m_view.minimizeWindow();
    const QString title = m_state.Label2();
    // Only the idle title selects the idle icon; the pause state shows the playing one.
    if (title == PlayerState::kNoChannelSelected) {
        m_tray.add(Tray::Icon::Idle, title);
    } else {
        m_view.setFormIcon(Tray::Icon::Playing);
        m_tray.add(Tray::Icon::Playing, title);
    }
}

void Transport::exit()
{
    m_tray.remove();
    m_view.endProgram();
}

void Transport::playbackChanged(const Playback &playback)
{
    const bool over =
        playback.state == Playback::State::Failed || playback.state == Playback::State::Ended;
    if (!over || m_state.isPaused() || m_state.Label2() == PlayerState::kNoChannelSelected) {
        return;
    }
    // The line says why before the state is saved, so the saved text is the one shown.
    m_state.setLabel4(playback.text());
    // Continue plays the saved title's stream: make it this one, also after a drop.
    m_state.setLabel6(m_state.Label2());
    m_view.setFortsettAvsCaption(continueCaption(m_state.Label2()));
    m_view.setFortsettAvsEnabled(true);
    m_view.setPauseAvsEnabled(false);
    m_view.setPictureButton6Visible(false);
    m_view.setPictureButton7Visible(true);
    updateTray(Tray::Icon::Idle, m_state.Label2());
    m_settings.SaveFormSettings(FormSettings::kAppName);
}

// Every tray update sets the window's own icon to the same image, icon or no icon.
void Transport::updateTray(Tray::Icon icon, const QString &tip)
{
    m_tray.update(icon, tip);
    m_view.setFormIcon(icon);
}
