#include "PlayerSnapshot.h"

QString Song::text() const
{
    if (artist.isEmpty() || title.isEmpty())
        return artist + title;
    return artist + QLatin1String(" - ") + title;
}

QString PlayerSnapshot::titleText() const
{
    switch (transport) {
    case Transport::Idle:
        return shown(kNoChannelSelected);
    case Transport::Paused:
        return shown(kPause);
    case Transport::Playing:
        break;
    }
    return channel.name;
}

// The settings file tells the pause state by its title "Pause...", whatever language wrote it.
QString PlayerSnapshot::titleToKeep() const
{
    switch (transport) {
    case Transport::Idle:
        return kNoChannelSelected;
    case Transport::Paused:
        return kPause;
    case Transport::Playing:
        break;
    }
    return channel.name;
}

QString PlayerSnapshot::shownLine(const QString &kept)
{
    for (const QLatin1StringView word : {kPause, kNoChannelSelected}) {
        if (kept == word)
            return shown(word);
    }
    return kept == Playback::kEnded ? Playback::shown(Playback::kEnded) : kept;
}

// The engine is idle for a moment between the listener's choice and the first open: the
// channel is on its way, not stopped.
bool PlayerSnapshot::isSounding() const
{
    return transport == Transport::Playing && playback.state != Playback::State::Failed &&
           playback.state != Playback::State::Ended;
}

QString PlayerSnapshot::lineToKeep() const
{
    // Idle and paused, the line reads what the title does.
    if (transport != Transport::Playing)
        return titleToKeep();
    // Why a stream failed, or that a file played out, stands until the listener acts. A
    // reason stays in the language it was told in: the saved station is tuned again at start,
    // which replaces it at once.
    if (playback.state == Playback::State::Ended)
        return QString(Playback::kEnded);
    if (!isSounding() && !playback.text().isEmpty())
        return playback.text();
    return song.isEmpty() ? channel.name : song.text();
}
