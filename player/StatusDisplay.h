#pragma once

#include <QLatin1StringView>
#include <QLocale>
#include <QString>

class Announcer;
class MediaPlayer;
class PlayerState;

/// What the window shows about the stream: the status line, the now-playing text and the
/// on-air indicator, read from the engine on each poll(); and the announcement of each new
/// now-playing text on each watch().
///
/// The window's timers only call poll() (tmrUpdate, 100 ms) and watch() (Timer5, 3 s);
/// neither keeps state of its own beyond the holders in PlayerState.
class StatusDisplay {
public:
    /// The indicator's text while nothing has been buffered.
    static constexpr QLatin1StringView kNoStream{"no stream"};
    /// The indicator's text once the stream's first data is buffered.
    static constexpr QLatin1StringView kOnAir{"channel is on-air"};
    /// The indicator's colour with kNoStream (0xAARRGGBB): red 255, green 224, blue 192.
    static constexpr quint32 kNoStreamColor = 0xFFFFE0C0;
    /// The indicator's colour with kOnAir: white.
    static constexpr quint32 kOnAirColor = 0xFFFFFFFF;
    /// Joins author and title in the now-playing text.
    static constexpr QLatin1StringView kAuthorTitleSeparator{" - "};
    /// The status line while there are no figures to show.
    static constexpr QLatin1StringView kStatusReset{"0 kbps (0,00kB/s) - 0%"};

    /// Author and title as the now-playing line joins them: the separator only between two
    /// texts, so a missing author never leaves a dangling " - ".
    static QString joinAuthorTitle(const QString &author, const QString &title);

    /// Works on the given collaborators, which must outlive it; numbers are written the way
    /// `locale` writes them (the user's own by default).
    StatusDisplay(MediaPlayer &engine, PlayerState &state, Announcer &announcer,
                  const QLocale &locale = QLocale());

    /// One tick of the status poll: status line, now-playing text, on-air indicator, each on
    /// its own, so a read that fails leaves only its own line as it was. While the stream
    /// gives no figures the status line shows the reset text, and while it gives no title
    /// the now-playing text says what the engine is doing (connecting, reconnecting, why it
    /// failed), never the last station's title.
    void poll();
    /// One tick of the watcher: announces the now-playing text when the stream gave it (a
    /// title, or the reason of a failure) and it differs from the one last announced.
    /// Texts that only tell the state ("Connecting…", "Pause...") are not announced.
    void watch();
    /// Sets the on-air indicator's colour and text.
    static void showIndicator(PlayerState &state, bool onAir);

private:
    void pollStatusLine();
    void pollNowPlaying();
    void pollIndicator();

    MediaPlayer &m_engine;
    PlayerState &m_state;
    Announcer &m_announcer;
    QLocale m_locale;
    QString m_news; // the last now-playing text the stream itself gave
};
