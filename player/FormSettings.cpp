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
    QString url = m_engine.url();
    // After a start in the pause state the engine holds no URL: the stream to continue is
    // the stored one. Writing the engine's empty URL would lose it at the first option
    // change or restart, and continue would then find nothing to play.
    if (url.isEmpty() && m_state.isPaused()) {
        url = storedUrl(appName);
    }
    // One write of the whole state, so that a crash never leaves half of it.
    m_store.saveSettings(appName, kSection,
                         {{kLydstraumURL, url},
                          {kTittel2, m_state.Label2()},
                          {kKanalTekst, m_state.Label4()},
                          {kSiste, m_state.Label6()},
                          {kToppEllerIkke, QString::number(m_state.chkFarge())},
                          {kVisInfo, QString::number(m_state.chkInfo())}});
}

void FormSettings::LoadFormSettings(const QString &appName)
{
    m_state.setLabel2(get(appName, kTittel2, m_state.Label2()));
    m_state.setLabel6(get(appName, kSiste, m_state.Label6()));
    m_state.setLabel4(get(appName, kKanalTekst, m_state.Label4()));
    if (const auto farge = loadOption(appName, kToppEllerIkke, m_state.chkFarge())) {
        m_state.setChkFarge(*farge);
    }
    if (const auto info = loadOption(appName, kVisInfo, m_state.chkInfo())) {
        m_state.setChkInfo(*info);
    }
    // In the pause state nothing may play until the user continues.
    if (!m_state.isPaused()) {
        m_engine.setUrl(storedUrl(appName));
    }
    m_engine.setVolume(storedVolume(appName));
}

void FormSettings::DeleteFormSettings(const QString &appName)
{
    m_store.deleteSection(appName, kSection);
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
