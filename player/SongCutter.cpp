#include "SongCutter.h"

QList<SongCutter::Cut> SongCutter::start(const PlayerSnapshot &now, std::optional<double> position)
{
    QList<Cut> cuts;
    if (m_on)
        return cuts;
    m_on = true;
    // Whatever plays now began before we listened.
    m_heard.reset();
    if (isLive(now) && !now.song.isEmpty() && position)
        begin(cuts, now, *position, false);
    if (isLive(now))
        m_heard = Heard{now.channel.url, now.song};
    return cuts;
}

QList<SongCutter::Cut> SongCutter::stop()
{
    QList<Cut> cuts;
    breakTake(cuts);
    m_on = false;
    m_heard.reset();
    return cuts;
}

QList<SongCutter::Cut> SongCutter::update(const PlayerSnapshot &now, std::optional<double> position)
{
    QList<Cut> cuts;
    if (!m_on)
        return cuts;
    if (!isLive(now)) {
        // A drop, a pause, a stop or a tuning under way: the stream the take came from is
        // gone, and what returns starts in the middle of something.
        breakTake(cuts);
        m_heard.reset();
        return cuts;
    }
    if (!position)
        return cuts; // the engine has not placed the new stream yet: decide on the next

    if (m_take && m_take->channel.url != now.channel.url)
        breakTake(cuts);
    const bool sameStream = m_heard && m_heard->url == now.channel.url;
    if (m_take && !m_take->song.sameAs(now.song)) {
        cuts.append({Cut::Kind::End, *m_take, *position});
        m_take.reset();
    }
    if (!m_take && !now.song.isEmpty())
        begin(cuts, now, *position, sameStream && !m_heard->song.sameAs(now.song));
    m_heard = Heard{now.channel.url, now.song};
    return cuts;
}

bool SongCutter::isLive(const PlayerSnapshot &now)
{
    if (now.transport != PlayerSnapshot::Transport::Playing)
        return false;
    // A buffering stream loses nothing; every other state has lost or not yet found it.
    return now.playback.state == Playback::State::Playing ||
           now.playback.state == Playback::State::Buffering;
}

void SongCutter::breakTake(QList<Cut> &cuts)
{
    if (!m_take)
        return;
    cuts.append({Cut::Kind::Break, *m_take, 0});
    m_take.reset();
}

void SongCutter::begin(QList<Cut> &cuts, const PlayerSnapshot &now, double position, bool whole)
{
    m_take = Take{now.song, now.channel, position, whole};
    cuts.append({Cut::Kind::Begin, *m_take, 0});
}
