#include "StatusDisplay.h"

#include "Announcer.h"
#include "MediaPlayer.h"
#include "PlayerState.h"
#include "StatusLine.h"

StatusDisplay::StatusDisplay(MediaPlayer &engine, PlayerState &state, Announcer &announcer,
                             const QLocale &locale)
    : m_engine(engine)
    , m_state(state)
    , m_announcer(announcer)
    , m_locale(locale)
{}

void StatusDisplay::poll()
{
    pollStatusLine();
    pollNowPlaying();
    pollIndicator();
}

QString StatusDisplay::joinAuthorTitle(const QString &author, const QString &title)
{
    if (author.isEmpty() || title.isEmpty())
        return author + title;
    return author + kAuthorTitleSeparator + title;
}

// A line whose figures cannot all be read keeps its previous text: before a stream tells
// its bitrate the line keeps the reset text. Figures of a stream that is not playing
// (connecting, dropped, failed, ended) would be stale: the line shows the reset text.
void StatusDisplay::pollStatusLine()
{
    if (!m_engine.playback().isLive()) {
        m_state.setLabel3(kStatusReset);
        return;
    }
    const std::optional<QString> bitrate = m_engine.itemInfo(QStringLiteral("Bitrate"));
    if (!bitrate) {
        return;
    }
    const std::optional<qint64> bandWidth = m_engine.bandWidth();
    if (!bandWidth) {
        return;
    }
    const std::optional<int> progress = m_engine.bufferingProgress();
    if (!progress) {
        return;
    }
    if (const std::optional<QString> line =
            StatusLine::format(*bitrate, *bandWidth, *progress, m_locale)) {
        m_state.setLabel3(*line);
    }
}

// With no current item there is nothing to describe, and the text stays as it was (for
// instance "Pause..." until a continued stream reports its title).
void StatusDisplay::pollNowPlaying()
{
    const std::optional<QString> author = m_engine.itemInfo(QStringLiteral("Author"));
    if (!author) {
        return;
    }
    const std::optional<QString> title = m_engine.itemInfo(QStringLiteral("Title"));
    if (!title) {
        return;
    }
    const Playback now = m_engine.playback();
    const QString joined = joinAuthorTitle(*author, *title);
    if (now.isLive() && !joined.isEmpty()) {
        m_news = joined;
    } else if (now.state == Playback::State::Failed) {
        m_news = now.reason;
    } else if (now.state == Playback::State::Idle) {
        return;
    } else {
        m_state.setLabel4(now.text());
        return;
    }
    m_state.setLabel4(m_news);
}

void StatusDisplay::pollIndicator()
{
    const std::optional<int> count = m_engine.bufferingCount();
    showIndicator(m_state, count.value_or(0) != 0);
}

void StatusDisplay::watch()
{
    const QString nowPlaying = m_state.Label4();
    // Only what the stream said is news; the words for a state are not. Exact comparison:
    // a change of case alone is a new text and is announced.
    if (nowPlaying.isEmpty() || nowPlaying != m_news || m_state.Label1() == nowPlaying) {
        return;
    }
    m_announcer.announce(m_state.Label2(), nowPlaying.toUpper());
    m_state.setLabel1(nowPlaying);
}

void StatusDisplay::showIndicator(PlayerState &state, bool onAir)
{
    state.setLabel5ForeColor(onAir ? kOnAirColor : kNoStreamColor);
    state.setLabel5(onAir ? kOnAir : kNoStream);
}
