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

// A line whose figures cannot all be read keeps its previous text: before a stream tells
// its bitrate the line keeps the reset text the tuning wrote.
void StatusDisplay::pollStatusLine()
{
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
    m_state.setLabel4(*author + kAuthorTitleSeparator + *title);
}

void StatusDisplay::pollIndicator()
{
    const std::optional<int> count = m_engine.bufferingCount();
    showIndicator(m_state, count.value_or(0) != 0);
}

void StatusDisplay::watch()
{
    const QString nowPlaying = m_state.Label4();
    // Exact comparison: a change of case alone is a new text and is announced.
    if (m_state.Label1() != nowPlaying) {
        m_announcer.announce(m_state.Label2(), nowPlaying.toUpper());
    }
    m_state.setLabel1(nowPlaying);
}

void StatusDisplay::showIndicator(PlayerState &state, bool onAir)
{
    state.setLabel5ForeColor(onAir ? kOnAirColor : kNoStreamColor);
    state.setLabel5(onAir ? kOnAir : kNoStream);
}
