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
        return kNoChannelSelected;
    case Transport::Paused:
        return kPause;
    case Transport::Playing:
        break;
    }
    return channel.name;
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
        return titleText();
    // Why a stream failed, or that a file played out, stands until the listener acts.
    if (!isSounding() && !playback.text().isEmpty())
        return playback.text();
    return song.isEmpty() ? channel.name : song.text();
}
