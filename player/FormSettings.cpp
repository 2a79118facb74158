#include "FormSettings.h"

#include "MediaPlayer.h"
#include "PlayerState.h"
#include "SettingsStore.h"

#include <algorithm>

FormSettings::FormSettings(SettingsStore &store, PlayerState &state, MediaPlayer &engine)
    : m_store(store)
    , m_state(state)
    , m_engine(engine)
{}

void FormSettings::SaveFormSettings(const QString &appName)
{
    const PlayerSnapshot &now = m_state.snapshot();
    // A channel on trial is not the station yet: the saved one stays until the engine plays
    // the new one.
    if (now.provisional) {
        m_store.saveSettings(appName, kSection,
                             {{kToppEllerIkke, QString::number(m_state.chkFarge())},
                              {kVisInfo, QString::number(m_state.chkInfo())}});
        return;
    }
    // One write of the whole state, so that a crash never leaves half of it.
    m_store.saveSettings(appName, kSection,
                         {{kLydstraumURL, now.isTuned() ? now.channel.url : QString()},
                          {kTittel2, now.titleToKeep()},
                          {kKanalTekst, now.lineToKeep()},
                          {kSiste, now.channel.name},
                          {kToppEllerIkke, QString::number(m_state.chkFarge())},
                          {kVisInfo, QString::number(m_state.chkInfo())}});
}

// The file keeps the window's texts: the title reads "Pause..." in the pause state and
// "no channel selected" when nothing is tuned, and the channel's name waits in Siste. Those
// words are the file's, the same in every language; they are shown in the listener's.
void FormSettings::LoadFormSettings(const QString &appName)
{
    const QString title = get(appName, kTittel2, m_state.Label2());
    const QString saved = get(appName, kSiste, m_state.Label6());
    const QString line = get(appName, kKanalTekst, m_state.Label4());
    const QString url = storedUrl(appName);
    const bool paused = title == PlayerSnapshot::kPause;
    m_state.update([&](PlayerSnapshot &now) {
        if (paused) {
            now.transport = PlayerSnapshot::Transport::Paused;
            now.channel = {saved, url, ChannelSource::Saved};
        } else if (!url.isEmpty()) {
            now.transport = PlayerSnapshot::Transport::Playing;
            now.channel = {title, url, ChannelSource::Saved};
        } else {
            now.transport = PlayerSnapshot::Transport::Idle;
            now.channel = {saved, QString(), ChannelSource::None};
        }
        now.line = PlayerSnapshot::shownLine(line);
    });
    if (const auto farge = loadOption(appName, kToppEllerIkke, m_state.chkFarge())) {
        m_state.setChkFarge(*farge);
    }
    if (const auto info = loadOption(appName, kVisInfo, m_state.chkInfo())) {
        m_state.setChkInfo(*info);
    }
    // In the pause state nothing may play until the user continues.
    if (!paused) {
        m_engine.setUrl(url);
    }
    m_engine.setVolume(storedVolume(appName));
}

QString FormSettings::storedUrl(const QString &appName) const
{
    return get(appName, kLydstraumURL, m_engine.url());
}

int FormSettings::storedVolume(const QString &appName) const
{
    bool ok = false;
    const int percent = get(appName, kLydstyrke, QString()).trimmed().toInt(&ok);
    return ok ? std::clamp(percent, 0, 100) : kDefaultVolume;
}

void FormSettings::saveVolume(const QString &appName, int percent)
{
    m_store.saveSetting(appName, kSection, kLydstyrke, QString::number(percent));
}

QString FormSettings::get(const QString &appName, QLatin1StringView key,
                          const QString &fallback) const
{
    return m_store.getSetting(appName, kSection, key, fallback);
}

// An option box holds 0 or 1; any other stored text (hand-edited, or garbage) is a failed
// step, and the box keeps the value it had.
std::optional<int> FormSettings::loadOption(const QString &appName, QLatin1StringView key,
                                            int current) const
{
    bool ok = false;
    const int value = get(appName, key, QString::number(current)).trimmed().toInt(&ok);
    if (!ok || (value != 0 && value != 1)) {
        return std::nullopt;
    }
    return value;
}
