#include "Presets.h"

#include "Beeper.h"
#include "Clock.h"
#include "FormSettings.h"
#include "PlayerState.h"
#include "SettingsStore.h"
#include "Transport.h"

#include <algorithm>

Presets::Presets(SettingsStore &store, PlayerState &state, Transport &transport, Clock &clock,
                 Beeper &beeper)
    : m_store(store)
    , m_state(state)
    , m_transport(transport)
    , m_clock(clock)
    , m_beeper(beeper)
{}

QString Presets::nameKey(int preset)
{
    return QStringLiteral("Knapp%1_Navn").arg(preset);
}

QString Presets::urlKey(int preset)
{
    return QStringLiteral("Knapp%1_URL").arg(preset);
}

int Presets::presetOfButton(int number)
{
    const auto *const it = std::find(kPictureButtons.begin(), kPictureButtons.end(), number);
    return it == kPictureButtons.end() ? 0 : static_cast<int>(it - kPictureButtons.begin()) + 1;
}

void Presets::mouseDown()
{
    m_pressTime = wallClockSecond();
}

QString Presets::toolTip(int preset) const
{
    if (setting(urlKey(preset)).isEmpty()) {
        return tr("Preset %1 is empty. Hold 2 s to store the playing channel").arg(preset);
    }
    return QStringLiteral("%1: %2").arg(preset).arg(setting(nameKey(preset)));
}

void Presets::setListeners(std::function<void(const QString &)> notice,
                           std::function<void(int)> stored)
{
    m_notice = std::move(notice);
    m_stored = std::move(stored);
}

void Presets::tune(int preset)
{
    const QString url = setting(urlKey(preset));
    if (url.isEmpty()) {
        if (m_notice) {
            m_notice(tr("Preset %1 is empty").arg(preset));
        }
        return;
    }
    m_transport.tune(setting(nameKey(preset)), url, ChannelSource::Preset);
}

void Presets::store(int preset)
{
    // A preset holds the channel tuned or paused; with nothing tuned it holds no channel.
    const PlayerSnapshot &now = m_state.snapshot();
    storeChannel(preset, now.isTuned() ? now.channel.name : now.titleToKeep(),
                 now.isTuned() ? now.channel.url : QString());
    m_beeper.beep();
    if (m_notice) {
        m_notice(tr("Stored on %1").arg(preset));
    }
}

void Presets::mouseUp(int preset)
{
    // A release with no press before it (none reaches us from the buttons) tunes: storing
    // would overwrite a preset the user never held.
    const qint64 held = m_pressTime ? m_pressTime->secsTo(wallClockSecond()) : 0;
    // A clock set back during the hold gives a negative time, which counts as short.
    held >= kLongPressSeconds ? store(preset) : tune(preset);
}

QString Presets::setting(const QString &key) const
{
    return m_store.getSetting(FormSettings::kAppName, FormSettings::kSection, key, {});
}

void Presets::storeChannel(int preset, const QString &name, const QString &url)
{
    if (preset < 1 || preset > kCount) {
        return;
    }
    // One change: a crash between the two keys would pair the new name with the old URL.
    m_store.saveSettings(FormSettings::kAppName, FormSettings::kSection,
                         {{nameKey(preset), name}, {urlKey(preset), url}});
    if (m_stored) {
        m_stored(preset);
    }
}

// The wall clock's reading cut to the whole second, as a plain reading: the difference of
// two readings is what the clock's face shows, also across a change to or from summer time.
QDateTime Presets::wallClockSecond() const
{
    const QDateTime now = m_clock.now();
    const QTime time = now.time();
    return {now.date(), QTime(time.hour(), time.minute(), time.second()), Qt::UTC};
}
