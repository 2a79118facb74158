#include "Transport.h"

#include "FormSettings.h"
#include "MediaPlayer.h"
#include "PlayerState.h"
#include "PlayerView.h"
#include "StatusDisplay.h"

#include <utility>

using TransportState = PlayerSnapshot::Transport;

namespace {

// A failed or finished stream sounds no more: the controls offer to play it again.
bool offersContinue(const PlayerSnapshot &now)
{
    return now.transport == TransportState::Paused ||
           (now.transport == TransportState::Playing && !now.isSounding());
}

} // namespace

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
    return QCoreApplication::translate("Transport", "Continue (%1)").arg(title);
}

void Transport::tune(const QString &name, const QString &url, ChannelSource source)
{
    m_over = false;
    // Stop and close first, so the old stream is gone before the new one opens; the state
    // changes once, after, so the desktop never hears of a stop in between.
    m_engine.stop();
    m_engine.close();
    m_engine.setUrl(url);
    m_view.setTmrUpdateEnabled(true);
    m_engine.setVolume(m_settings.storedVolume(FormSettings::kAppName));
    const Playback playback = m_engine.playback();
    m_state.update([&](PlayerSnapshot &now) {
        now.transport = TransportState::Playing;
        now.channel = {name, url, source};
        now.provisional = false;
        now.song = {};
        now.playback = playback;
        now.status = StatusDisplay::resetText();
        // The last station's title would pass for this one's until the stream names its own.
        now.line = Playback::connecting();
        // A new tuning announces its first title even when the last station played the same.
        ++now.tuning;
    });
    m_state.setLabel1(QString());
    showTray();
    m_settings.SaveFormSettings(FormSettings::kAppName);
    showControls();
}

void Transport::playItem(const QString &name, const QString &url, ChannelSource source, bool save)
{
    m_over = false;
    if (!url.isEmpty()) {
        m_engine.setUrl(url);
    }
    m_view.setTmrUpdateEnabled(true);
    const Playback playback = m_engine.playback();
    m_state.update([&](PlayerSnapshot &now) {
        now.transport = TransportState::Playing;
        if (!url.isEmpty()) {
            now.channel = {name, url, source};
            now.song = {};
        }
        now.playback = playback;
        now.status = StatusDisplay::resetText();
        now.line = name;
        now.provisional = !save;
    });
    showControls();
    showTray();
    if (save) {
        m_settings.SaveFormSettings(FormSettings::kAppName);
    }
}

void Transport::showControls()
{
    const PlayerSnapshot &now = m_state.snapshot();
    const bool resume = offersContinue(now);
    m_view.setFortsettAvsCaption(resume
                                     ? continueCaption(now.channel.name)
                                     : QCoreApplication::translate("Transport", kContinue.data()));
    m_view.setFortsettAvsEnabled(resume);
    m_view.setPauseAvsEnabled(!resume && now.isTuned());
    m_view.setPictureButton6Visible(!resume);
    m_view.setPictureButton7Visible(resume);
}

void Transport::pauseButton()
{
    if (!m_state.snapshot().isTuned()) {
        return;
    }
    pause();
}

void Transport::pause()
{
    m_over = false;
    m_state.update([](PlayerSnapshot &now) {
        now.transport = TransportState::Paused;
        now.song = {};
        now.status = StatusDisplay::resetText();
        now.line = PlayerSnapshot::shown(PlayerSnapshot::kPause);
    });
    showControls();
    showTray();
    m_settings.SaveFormSettings(FormSettings::kAppName);
    // Paused, the status line shows no figures: nothing to poll for.
    m_view.setTmrUpdateEnabled(false);
    m_engine.close();
}

void Transport::continuePlaying()
{
    m_over = false;
    const Channel channel = m_state.snapshot().channel;
    m_engine.setUrl(channel.url);
    m_view.setTmrUpdateEnabled(true);
    m_engine.setVolume(m_settings.storedVolume(FormSettings::kAppName));
    const Playback playback = m_engine.playback();
    m_state.update([&](PlayerSnapshot &now) {
        now.transport = TransportState::Playing;
        now.song = {};
        now.playback = playback;
        now.line = Playback::connecting();
    });
    showControls();
    showTray();
    m_settings.SaveFormSettings(FormSettings::kAppName);
}

void Transport::stop()
{
    m_over = false;
    m_view.setTmrUpdateEnabled(false);
    m_engine.setUrl(QString());
    m_engine.stop();
    m_engine.close();
    m_state.update([](PlayerSnapshot &now) {
        now.transport = TransportState::Idle;
        // The name stays for the next start's saved title; the address goes with the stream.
        now.channel.url.clear();
        now.provisional = false;
        now.song = {};
        now.playback = {};
        now.status = StatusDisplay::resetText();
        now.line = PlayerSnapshot::shown(PlayerSnapshot::kNoChannelSelected);
        // The poll is halted now, so the indicator would go on claiming a stream that is gone.
        now.onAir = false;
        now.onAirKnown = true;
    });
    showTray();
    showControls();
    m_settings.SaveFormSettings(FormSettings::kAppName);
}

void Transport::toTray()
{
    m_view.minimizeWindow();
    const PlayerSnapshot &now = m_state.snapshot();
    // Only the idle state selects the idle icon; the pause state shows the playing one.
    if (!now.isTuned()) {
        m_tray.add(Tray::Icon::Idle, now.titleText());
    } else {
        m_view.setFormIcon(Tray::Icon::Playing);
        m_tray.add(Tray::Icon::Playing, now.titleText());
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
    if (m_state.snapshot().transport != TransportState::Playing) {
        return;
    }
    const bool wasOver = std::exchange(m_over, over);
    m_state.update([&](PlayerSnapshot &now) {
        now.playback = playback;
        if (over) {
            // The line says why before the state is saved, so the saved text is the one shown.
            now.line = playback.text();
            now.song = {};
        }
    });
    if (playback.state == Playback::State::Playing && m_state.snapshot().provisional) {
        m_state.update([](PlayerSnapshot &now) { now.provisional = false; });
        m_settings.SaveFormSettings(FormSettings::kAppName);
    }
    if (over == wasOver) {
        return;
    }
    showControls();
    showTray();
    if (over) {
        m_settings.SaveFormSettings(FormSettings::kAppName);
    }
}

// Every tray update sets the window's own icon to the same image, icon or no icon.
void Transport::showTray()
{
    const PlayerSnapshot &now = m_state.snapshot();
    const Tray::Icon icon = now.isSounding() ? Tray::Icon::Playing : Tray::Icon::Idle;
    m_tray.update(icon, now.titleText());
    m_view.setFormIcon(icon);
}
