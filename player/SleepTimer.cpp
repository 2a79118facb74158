#include "SleepTimer.h"

#include "Clock.h"
#include "NumberPrompt.h"

#include <cmath>

SleepTimer::SleepTimer(const Clock &clock, int level, QObject *parent)
    : QObject(parent)
    , m_clock(clock)
    , m_level(level)
{}

QString SleepTimer::text() const
{
    if (!m_end)
        return {};
    const qint64 left = std::max<qint64>(0, m_clock.now().secsTo(*m_end));
    // Minutes are enough until the last one; rounded up, so "1 min" means "within one".
    if (left >= 60)
        return tr("Sleep in %L1 min").arg((left + 59) / 60);
    return tr("Sleep in 0:%1").arg(left, 2, 10, QLatin1Char('0'));
}

QString SleepTimer::choiceText(int minutes)
{
    return minutes > 0 ? tr("Sleep in %L1 min").arg(minutes) : tr("Sleep timer off");
}

bool SleepTimer::choose(int minutes, NumberPrompt &prompt)
{
    if (minutes < 0) {
        const std::optional<int> asked =
            prompt.askNumber(tr("Sleep"), tr("Pause after how many minutes?"),
                             m_minutes > 0 ? m_minutes : kChoices[1], 1, kMaxMinutes);
        if (!asked)
            return false;
        minutes = *asked;
    }
    set(minutes);
    return true;
}

void SleepTimer::set(int minutes)
{
    cancelFade();
    m_minutes = std::clamp(minutes, 0, kMaxMinutes);
    if (m_minutes > 0)
        m_end = m_clock.now().addSecs(qint64{m_minutes} * 60);
    else
        m_end.reset();
    m_text = text();
    emit changed();
}

void SleepTimer::tick()
{
    if (!m_end)
        return;
    const qint64 leftMs = m_clock.now().msecsTo(*m_end);
    if (leftMs <= 0) {
        const bool wasFading = std::exchange(m_fading, false);
        m_fadeLevel = -1;
        m_end.reset();
        m_minutes = 0;
        // Pause first: the level put back afterwards must not be heard.
        if (m_playing)
            emit pauseRequested();
        if (wasFading)
            emit engineVolume(m_level);
        m_text.clear();
        emit changed();
        return;
    }
    if (m_playing && leftMs <= qint64{kFadeSeconds} * 1000) {
        m_fading = true;
        const int level = static_cast<int>(
            std::lround(m_level * static_cast<double>(leftMs) / (kFadeSeconds * 1000.0)));
        if (level != m_fadeLevel) {
            m_fadeLevel = level;
            emit engineVolume(level);
        }
    }
    setText(text());
}

void SleepTimer::update(const PlayerSnapshot &now)
{
    const bool playing = now.transport == PlayerSnapshot::Transport::Playing;
    if (m_fading && (playing != m_playing || now.channel != m_channel)) {
        cancelFade();
        // Still listening: the chosen time starts again.
        m_end = m_clock.now().addSecs(qint64{m_minutes} * 60);
        setText(text());
    }
    m_playing = playing;
    m_channel = now.channel;
}

void SleepTimer::listenerVolume(int level)
{
    m_level = level;
    if (!m_fading)
        return;
    cancelFade();
    m_end = m_clock.now().addSecs(qint64{m_minutes} * 60);
    setText(text());
}

void SleepTimer::cancelFade()
{
    if (!std::exchange(m_fading, false))
        return;
    m_fadeLevel = -1;
    emit engineVolume(m_level);
}

void SleepTimer::setText(const QString &text)
{
    if (text == m_text)
        return;
    m_text = text;
    emit changed();
}
