#include "MediaControls.h"

#include "FormSettings.h"
#include "MediaPlayer.h"
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

// The separator the now-playing line puts between artist and title.
const QString kArtistSeparator = QStringLiteral(" - ");

} // namespace

MediaControls::MediaControls(PlayerState &state, MediaPlayer &engine, const SettingsStore &store,
                             Volume &volume, QObject *parent)
    : QObject(parent)
    , m_state(state)
    , m_engine(engine)
    , m_store(store)
    , m_volume(volume)
{}

QString MediaControls::playbackStatus() const
{
    if (m_state.isPaused()) {
        return kPaused;
    }
    if (m_state.Label2() == PlayerState::kNoChannelSelected) {
        return kStopped;
    }
    // A failed or finished stream offers continue, and nothing sounds: that is a stop.
    switch (m_engine.playback().state) {
    case Playback::State::Idle:
    case Playback::State::Failed:
    case Playback::State::Ended:
        return kStopped;
    default:
        return kPlaying;
    }
}

QVariantMap MediaControls::properties() const
{
    const QString status = playbackStatus();
    const bool tuned = m_state.Label2() != PlayerState::kNoChannelSelected;
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
    if (m_state.Label2() == PlayerState::kNoChannelSelected) {
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
    return m_state.Label2() == PlayerState::kNoChannelSelected ? Command::None : Command::Stop;
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

// While paused the title line reads "Pause..." and the channel's name waits in Label6.
QString MediaControls::channelName() const
{
    return m_state.isPaused() ? m_state.Label6() : m_state.Label2();
}

// Each address is read once: the store may read its file anew for every key.
MediaControls::PresetView MediaControls::presets() const
{
    const QString url = m_engine.url();
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
        if (view.current == 0 && address == url) {
            view.current = preset;
        }
    }
    return view;
}

QVariantMap MediaControls::metadata() const
{
    if (m_state.Label2() == PlayerState::kNoChannelSelected) {
        return {{QStringLiteral("mpris:trackid"),
                 QVariant::fromValue(QDBusObjectPath(QString(kNoTrack)))}};
    }
    const QString channel = channelName();
    const QString url = m_engine.url();
    QString title = m_state.Label4();
    QStringList artists;
    // Words for a state ("Pause...", "Connecting…") are no title: the channel stands in.
    if (!m_engine.playback().isLive() || m_state.isPaused() || title.isEmpty()) {
        title = channel;
    } else if (const qsizetype at = title.indexOf(kArtistSeparator); at > 0) {
        artists.append(title.left(at));
        title = title.mid(at + kArtistSeparator.size());
    }
    // A track is one title on one stream; the path's last element must be a D-Bus name.
    const QByteArray id = QCryptographicHash::hash((url + QLatin1Char('\n') + title).toUtf8(),
                                                   QCryptographicHash::Md5)
                              .toHex();
    QVariantMap map{
        {QStringLiteral("mpris:trackid"),
         QVariant::fromValue(QDBusObjectPath(QStringLiteral("/org/morvena/Webradio/track/t") +
                                             QString::fromLatin1(id)))},
        {QStringLiteral("xesam:title"), title},
        {QStringLiteral("xesam:album"), channel},
    };
    if (!artists.isEmpty()) {
        map.insert(QStringLiteral("xesam:artist"), artists);
    }
    if (!url.isEmpty()) {
        map.insert(QStringLiteral("xesam:url"), url);
    }
    return map;
}
