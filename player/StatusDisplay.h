#pragma once

#include <QCoreApplication>
#include <QLatin1StringView>
#include <QLocale>
#include <QString>

class Announcer;
class Clock;
class MediaPlayer;
class PlayerState;
struct Channel;
struct NowPlaying;
struct Song;

/// What the player knows of the stream: the engine's playback, the song it names, the
/// now-playing text and the on-air indicator, taken into the player's state on refresh();
/// the status line's figures on each poll(); and the announcement of each new now-playing
/// text on each watch().
///
/// The engine's own events call refresh(); the window's timers only call poll()
/// (tmrUpdate, 100 ms) and watch() (Timer5, 3 s).
class StatusDisplay {
    Q_DECLARE_TR_FUNCTIONS(StatusDisplay)

public:
    /// Joins author and title in the now-playing text.
    static constexpr QLatin1StringView kAuthorTitleSeparator{" - "};
    /// The status line while there are no figures to show.
    static constexpr QLatin1StringView kStatusReset{
        QT_TRANSLATE_NOOP("StatusDisplay", "0 kbps (0,00kB/s) - 0%")};
    /// kStatusReset as shown.
    static QString resetText() { return tr(kStatusReset.data()); }

    /// Author and title as the now-playing line joins them: the separator only between two
    /// texts, so a missing author never leaves a dangling " - ".
    static QString joinAuthorTitle(const QString &author, const QString &title);
    /// The song `named` stands for on `channel`; empty when it names nothing, or only the
    /// station or the channel itself.
    static Song songOf(const NowPlaying &named, const Channel &channel);

    /// Works on the given collaborators, which must outlive it; numbers are written the way
    /// `locale` writes them (the user's own by default).
    StatusDisplay(MediaPlayer &engine, PlayerState &state, Announcer &announcer, const Clock &clock,
                  const QLocale &locale = QLocale());

    /// Takes the engine's playback, the song and the on-air indicator into the state. While
    /// the stream names nothing the now-playing text says what the engine is doing
    /// (connecting, reconnecting, why it failed), never the last station's title.
    void refresh();
    /// One tick of the status poll: the status line, then refresh(). A line whose figures
    /// cannot all be read keeps its text; while the stream gives no figures it shows the
    /// reset text.
    void poll();
    /// One tick of the watcher: announces the now-playing text when the stream gave it (a
    /// title, or the reason of a failure) and it differs from the one last announced.
    /// Texts that only tell the state ("Connecting…", "Pause...") are not announced.
    void watch();

private:
    void pollStatusLine();

    MediaPlayer &m_engine;
    PlayerState &m_state;
    Announcer &m_announcer;
    const Clock &m_clock;
    QLocale m_locale;
    QString m_news;                // the last now-playing text the stream itself gave
    quint64 m_newsLine = 0;        // the line's serial once it showed m_news
    QString m_announced;           // the last text announced...
    quint64 m_announcedTuning = 0; // ...and in which tuning
    bool m_returning = false;      // back from a drop: the song stands until a title comes
};
