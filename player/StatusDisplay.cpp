#include "StatusDisplay.h"

#include "Announcer.h"
#include "Clock.h"
#include "MediaPlayer.h"
#include "NowPlaying.h"
#include "PlayerState.h"
#include "StatusLine.h"

StatusDisplay::StatusDisplay(MediaPlayer &engine, PlayerState &state, Announcer &announcer,
                             const Clock &clock, const QLocale &locale)
    : m_engine(engine)
    , m_state(state)
    , m_announcer(announcer)
    , m_clock(clock)
    , m_locale(locale)
{}

QString StatusDisplay::joinAuthorTitle(const QString &author, const QString &title)
{
    if (author.isEmpty() || title.isEmpty())
        return author + title;
    return author + kAuthorTitleSeparator + title;
}

// Many stations send their own name as the title between songs, or no artist with the
// station's name: neither is a song.
Song StatusDisplay::songOf(const NowPlaying &named, const Channel &channel)
{
    if (named.title.isEmpty())
        return {};
    if (named.artist.isEmpty() && (named.title == named.station || named.title == channel.name))
        return {};
    return {named.artist, named.title, {}};
}

void StatusDisplay::poll()
{
    pollStatusLine();
    refresh();
}

// Figures of a stream that is not playing (connecting, dropped, failed, ended) would be
// stale: the line shows the reset text. Before a stream tells its bitrate the line keeps
// the text it has.
void StatusDisplay::pollStatusLine()
{
    QString line = m_state.snapshot().status;
    if (!m_engine.playback().isLive()) {
        line = resetText();
    } else if (const auto file = m_engine.filePosition()) {
        line = StatusLine::filePosition(file->first, file->second);
    } else if (const std::optional<QString> bitrate =
                   m_engine.itemInfo(QStringLiteral("Bitrate"))) {
        const std::optional<qint64> bandWidth = m_engine.bandWidth();
        const std::optional<int> progress = m_engine.bufferingProgress();
        if (bandWidth && progress) {
            line = StatusLine::format(*bitrate, *bandWidth, *progress, m_locale).value_or(line);
        }
    }
    m_state.update([&line](PlayerSnapshot &now) { now.status = line; });
}

void StatusDisplay::refresh()
{
    const Playback playback = m_engine.playback();
    const std::optional<NowPlaying> named = m_engine.nowPlaying();
    const bool onAir = m_engine.bufferingCount().value_or(0) != 0;
    const QDateTime heard = m_clock.now();
    if (playback.state == Playback::State::Reconnecting) {
        m_returning = true;
    }
    std::optional<QString> news;
    m_state.update([&](PlayerSnapshot &now) {
        now.onAir = onAir;
        now.onAirKnown = true;
        if (now.transport != PlayerSnapshot::Transport::Playing) {
            return;
        }
        now.playback = playback;
        // With no current item there is nothing to describe, and the text stays as it was
        // (for instance a restored text until the stream reports its title).
        if (!named) {
            return;
        }
        const QString joined = joinAuthorTitle(named->author(), named->title);
        if (playback.isLive() && !joined.isEmpty()) {
            news = joined;
            now.line = joined;
        } else if (playback.state == Playback::State::Failed) {
            news = playback.reason;
            now.line = playback.reason;
        } else if (playback.state != Playback::State::Idle) {
            now.line = playback.text();
        }

        Song song = songOf(*named, now.channel);
        if (!song.isEmpty()) {
            m_returning = false;
            if (!song.sameAs(now.song)) {
                song.since = heard;
                now.song = song;
            }
        } else if (playback.state == Playback::State::Failed ||
                   playback.state == Playback::State::Ended ||
                   playback.state == Playback::State::Idle || (playback.isLive() && !m_returning)) {
            // A drop clears the engine's tags, but the song goes on once the stream is back:
            // it stands until the stream names something else or nothing at all.
            now.song = {};
        }
    });
    if (news) {
        m_news = *news;
        m_newsLine = m_state.snapshot().lineSerial;
    }
}

void StatusDisplay::watch()
{
    // Only what the stream said is news, and only while the line still shows it: anything
    // written there since (connecting, a pause, a drop) is not. Exact comparison with the
    // last announcement: a change of case alone is a new text and is announced.
    const PlayerSnapshot &now = m_state.snapshot();
    if (m_news.isEmpty() || now.lineSerial != m_newsLine ||
        (m_announced == m_news && m_announcedTuning == now.tuning)) {
        return;
    }
    m_announced = m_news;
    m_announcedTuning = now.tuning;
    m_announcer.announce(m_state.Label2(), m_news.toUpper());
    m_state.setLabel1(m_news);
}
