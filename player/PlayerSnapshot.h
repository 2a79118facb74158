#pragma once

#include "Playback.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QLatin1StringView>
#include <QString>

/// Where the channel that plays was chosen.
enum class ChannelSource {
    None,        ///< nothing tuned
    Saved,       ///< restored from the settings at start-up
    List,        ///< the "My Channels" menu
    Preset,      ///< one of the nine presets
    Drop,        ///< a file or link dropped on the now-playing text
    CommandLine, ///< a location given on the command line (or by a second start)
    Directory,   ///< the station search
    History,     ///< the song history's "play that channel again"
    File,        ///< a file chosen in the open dialog
};

/// The channel tuned, or the one that continue plays again.
struct Channel {
    QString name; ///< as the menu, the preset or the list named it
    QString url;  ///< the address the engine was given
    ChannelSource source = ChannelSource::None;

    /// True when there is no channel.
    bool isEmpty() const { return url.isEmpty() && name.isEmpty(); }
    bool operator==(const Channel &other) const = default;
};

/// A title the stream named: artist and title as it gave them, and since when it plays.
/// The words for a state ("Connecting…", "Pause...") and a station's name standing in for
/// a title are never a song.
struct Song {
    QString artist;  ///< may be empty: many stations send the title alone
    QString title;   ///< never empty for a song
    QDateTime since; ///< when the title was first heard

    /// True when the stream names nothing.
    bool isEmpty() const { return title.isEmpty(); }
    /// "Artist - Title", or the title alone.
    QString text() const;
    /// The same artist and title, whenever each was heard.
    bool sameAs(const Song &other) const { return artist == other.artist && title == other.title; }
    bool operator==(const Song &other) const = default;
};

/// Everything the player is doing, as one value. The window, the tray tip, the popups, the
/// desktop's media controls and the settings writer render it; decisions compare its typed
/// fields, never the texts.
struct PlayerSnapshot {
    Q_DECLARE_TR_FUNCTIONS(PlayerSnapshot)

public:
    /// What the listener last asked for.
    enum class Transport {
        Idle,    ///< nothing tuned (the start, or after stop)
        Playing, ///< a channel is tuned; `playback` says how it goes
        Paused,  ///< paused: `channel` is what continue plays again
    };

    /// The title line while nothing is tuned; also the initial title.
    static constexpr QLatin1StringView kNoChannelSelected{
        QT_TRANSLATE_NOOP("PlayerSnapshot", "no channel selected")};
    /// The title line and the now-playing line in the pause state.
    static constexpr QLatin1StringView kPause{QT_TRANSLATE_NOOP("PlayerSnapshot", "Pause...")};

    Transport transport = Transport::Idle;
    Channel channel;   ///< tuned, or to continue; empty while idle
    Song song;         ///< what the stream names now; empty while it names nothing
    Playback playback; ///< the engine's account of the current media
    QString line;      ///< the now-playing line as shown
    /// Counts the changes of `line`, so that a reader can tell whether the line still shows
    /// what it wrote there, whatever the words.
    quint64 lineSerial = 0;
    /// Counts the listener's tunings: a new one announces its first title afresh.
    quint64 tuning = 0;
    QString status; ///< the status line as shown
    bool onAir = false;
    bool onAirKnown = false; ///< false until the indicator was first set (the start colour)
    /// The channel is on trial (a drop, a file, the command line): it replaces the saved
    /// station only once the engine plays it.
    bool provisional = false;

    /// The title line as shown: the channel's name, kPause or kNoChannelSelected in the
    /// listener's language.
    QString titleText() const;
    /// The title line as the settings file keeps it: the same, but kPause and
    /// kNoChannelSelected as they are, in every language.
    QString titleToKeep() const;
    /// True while a channel is tuned or paused.
    bool isTuned() const { return transport != Transport::Idle; }
    /// True while the channel plays or tries to (connecting, buffering, reconnecting).
    bool isSounding() const;
    /// The now-playing text worth keeping for the next start: kPause while paused,
    /// kNoChannelSelected while idle, why the stream failed (as shown) or that it ended,
    /// otherwise the song or, without one, the channel's name; never the words of a passing
    /// state. The program's own words are kept as they are, in every language.
    QString lineToKeep() const;
    /// A kept now-playing text as shown: the program's own words in the listener's language,
    /// anything else as it is.
    static QString shownLine(const QString &kept);
    /// One of the program's state words (kPause, kNoChannelSelected) as shown.
    static QString shown(QLatin1StringView word) { return tr(word.data()); }

    bool operator==(const PlayerSnapshot &other) const = default;
};
