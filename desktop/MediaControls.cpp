#include "MediaControls.h"

#include "FormSettings.h"
#include "PlayerState.h"
#include "Presets.h"
#include "SettingsStore.h"
#include "Volume.h"

#include <QCryptographicHash>
#include <QDBusObjectPath>

namespace {

const QString kPlaying = QStringLiteral("Playing");
const QString kPaused = QStringLiteral("Paused");
const QString kStopped = QStringLiteral("Stopped");

} // namespace

MediaControls::MediaControls(PlayerState &state, const SettingsStore &store, Volume &volume,
                             QObject *parent)
    : QObject(parent)
    , m_state(state)
    , m_store(store)
    , m_volume(volume)
{}

QString MediaControls::playbackStatus() const
{
    const PlayerSnapshot &now = m_state.snapshot();
    switch (now.transport) {
    case PlayerSnapshot::Transport::Paused:
        return kPaused;
    case PlayerSnapshot::Transport::Idle:
        return kStopped;
    case PlayerSnapshot::Transport::Playing:
        break;
    }
    // A failed or finished stream offers continue, and nothing sounds: that is a stop. A
    // tuning on its way is not.
    return now.isSounding() ? kPlaying : kStopped;
}

QVariantMap MediaControls::properties() const
{
    const QString status = playbackStatus();
    const bool tuned = m_state.snapshot().isTuned();
    const auto [held, current] = presets();
    // Stepping onto the preset that plays already would change nothing.
    const bool canStep = held.size() > 1 || (held.size() == 1 && current == 0);
    return {
        {QStringLiteral("PlaybackStatus"), status},
        {QStringLiteral("Metadata"), metadata()},
        {QStringLiteral("Volume"), m_volume.level() / 100.0},
        {QStringLiteral("CanPlay"), tuned || !held.isEmpty()},
        {QStringLiteral("CanPause"), status == kPlaying},
        {QStringLiteral("CanGoNext"), canStep},
        {QStringLiteral("CanGoPrevious"), canStep},
    };
}

MediaControls::Command MediaControls::play() const
{
    const QString status = playbackStatus();
    if (status == kPlaying) {
        return Command::None;
    }
    if (!m_state.snapshot().isTuned()) {
        return presetFor(1) != 0 ? Command::Tune : Command::None;
    }
    return Command::Continue;
}

MediaControls::Command MediaControls::pause() const
{
    return playbackStatus() == kPlaying ? Command::Pause : Command::None;
}

MediaControls::Command MediaControls::playPause() const
{
    return playbackStatus() == kPlaying ? Command::Pause : play();
}

MediaControls::Command MediaControls::stop() const
{
    return m_state.snapshot().isTuned() ? Command::Stop : Command::None;
}

int MediaControls::presetFor(int direction) const
{
    const auto [held, current] = presets();
    if (held.isEmpty()) {
        return 0;
    }
    if (current == 0) {
        return direction > 0 ? held.constFirst() : held.constLast();
    }
    const qsizetype at = held.indexOf(current);
    return held.at((at + held.size() + (direction > 0 ? 1 : -1)) % held.size());
}

void MediaControls::refresh()
{
    const QVariantMap now = properties();
    QVariantMap changed;
    for (auto it = now.cbegin(); it != now.cend(); ++it) {
        if (m_last.value(it.key()) != it.value()) {
            changed.insert(it.key(), it.value());
        }
    }
    m_last = now;
    if (!changed.isEmpty()) {
        emit propertiesChanged(changed);
    }
}

// Each address is read once: the store may read its file anew for every key.
MediaControls::PresetView MediaControls::presets() const
{
    const PlayerSnapshot &now = m_state.snapshot();
    const QString url = now.isTuned() ? now.channel.url : QString();
    PresetView view;
    for (int preset = 1; preset <= Presets::kCount; ++preset) {
        const QString address = m_store.getSetting(FormSettings::kAppName, FormSettings::kSection,
                                                   Presets::urlKey(preset), {});
        // A preset stored with nothing tuned holds a name but no channel.
        if (address.isEmpty()) {
            continue;
        }
        view.held.append(preset);
        // The first of several presets that hold the tuned address is the one playing.
        if (view.current == 0 && !url.isEmpty() && address == url) {
            view.current = preset;
        }
    }
    return view;
}

// The title is the song the stream names; until it names one, the channel's name stands
// in. Words for a state ("Pause...", "Connecting…") never reach the desktop.
QVariantMap MediaControls::metadata() const
{
    const PlayerSnapshot &now = m_state.snapshot();
    if (!now.isTuned()) {
        return {{QStringLiteral("mpris:trackid"),
                 QVariant::fromValue(QDBusObjectPath(QString(kNoTrack)))}};
    }
    const Channel &channel = now.channel;
    const bool named = now.transport == PlayerSnapshot::Transport::Playing && !now.song.isEmpty();
    const QString title = named ? now.song.title : channel.name;
    // A track is one title on one stream; the path's last element must be a D-Bus name.
    const QByteArray id =
        QCryptographicHash::hash((channel.url + QLatin1Char('\n') + title).toUtf8(),
                                 QCryptographicHash::Md5)
            .toHex();
    QVariantMap map{
        {QStringLiteral("mpris:trackid"),
         QVariant::fromValue(QDBusObjectPath(QStringLiteral("/org/morvena/Webradio/track/t") +
                                             QString::fromLatin1(id)))},
        {QStringLiteral("xesam:title"), title},
        {QStringLiteral("xesam:album"), channel.name},
    };
    if (named && !now.song.artist.isEmpty()) {
        map.insert(QStringLiteral("xesam:artist"), QStringList{now.song.artist});
    }
    if (!channel.url.isEmpty()) {
        map.insert(QStringLiteral("xesam:url"), channel.url);
    }
    return map;
}
