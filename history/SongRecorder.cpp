#include "SongRecorder.h"

#include "Clock.h"
#include "SongLog.h"

SongRecorder::SongRecorder(SongLog &log, const Clock &clock, QObject *parent)
    : QObject(parent)
    , m_log(log)
    , m_clock(clock)
{}

std::optional<HeardSong> SongRecorder::current() const
{
    if (!m_open || !m_open->heard)
        return std::nullopt;
    return m_open->song;
}

// The snapshot already tells songs from the words for a state, whatever they read in the
// listener's language; a blank title, or the channel's own name alone, is a station filling
// its title field, not a song.
bool SongRecorder::isRealSong(const PlayerSnapshot &now)
{
    const Song &song = now.song;
    if (song.title.trimmed().isEmpty())
        return false;
    return !(song.artist.isEmpty() && song.title == now.channel.name);
}

void SongRecorder::update(const PlayerSnapshot &now)
{
    const QDateTime time = m_clock.now();
    if (m_open && m_open->heard)
        m_open->lastHeard = time;
    const bool hearing = now.transport == PlayerSnapshot::Transport::Playing &&
                         now.playback.isLive() && isRealSong(now);
    if (hearing) {
        if (m_open && m_open->song.url == now.channel.url &&
            m_open->song.artist == now.song.artist && m_open->song.title == now.song.title &&
            m_open->lastHeard.secsTo(time) <= kRejoinSeconds) {
            m_open->heard = true;
            return;
        }
        close(m_open ? m_open->lastHeard : time);
        Open open;
        open.song.artist = now.song.artist;
        open.song.title = now.song.title;
        open.song.channel = now.channel.name;
        open.song.url = now.channel.url;
        // The title may have been named a moment before this snapshot (while the popup
        // waited, say); never before the last song ended, nor in the future.
        open.song.started =
            now.song.since.isValid() && now.song.since <= time ? now.song.since : time;
        open.lastHeard = time;
        open.id = m_log.begin(open.song);
        if (open.id)
            open.song.id = *open.id;
        m_open = open;
        return;
    }
    if (!m_open)
        return;
    // Another channel, or nothing tuned, ends the song; a drop, a reconnect or a pause on
    // the same channel only holds it, in case the same title comes back.
    const bool sameChannel = now.transport != PlayerSnapshot::Transport::Idle &&
                             (now.channel.url.isEmpty() || now.channel.url == m_open->song.url);
    if (!sameChannel) {
        close(m_open->lastHeard);
        return;
    }
    m_open->heard = false;
}

void SongRecorder::finish()
{
    if (m_open)
        close(m_open->heard ? m_clock.now() : m_open->lastHeard);
}

// By value: the end is often the open song's own last-heard time, which this clears.
void SongRecorder::close(QDateTime ended) // NOLINT(performance-unnecessary-value-param)
{
    if (!m_open)
        return;
    const Open open = *std::exchange(m_open, std::nullopt);
    if (!open.id)
        return;
    if (open.song.started.secsTo(ended) < kShortestSeconds && !open.song.starred) {
        m_log.discard(*open.id);
        return;
    }
    m_log.finish(*open.id, ended);
}

SongRecorder::StarResult SongRecorder::starNow()
{
    if (!m_open || !m_open->heard)
        return StarResult::NoSong;
    m_open->song.starred = true;
    if (m_open->id && m_log.star(*m_open->id, true))
        return StarResult::Starred;
    // Not kept yet, or deleted from the history while it played: starring keeps it anew.
    m_open->id = m_log.begin(m_open->song);
    if (!m_open->id) {
        m_open->song.starred = false;
        return StarResult::NotKept;
    }
    m_open->song.id = *m_open->id;
    return StarResult::Starred;
}
