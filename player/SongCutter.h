#pragma once

#include "PlayerSnapshot.h"

#include <QList>

#include <optional>

/// Where the recording of one song is cut: the rules, apart from files and the engine.
///
/// It is fed the player's snapshots with the stream's play position and answers with the
/// takes that begin and end. A take is whole only when its song was heard from the first
/// title change on: the song already playing when recording starts, one the stream dropped
/// in, and one cut by a stop, a tuning or the end of recording are not.
class SongCutter {
public:
    /// One song's recording, from where it began.
    struct Take {
        Song song;
        Channel channel;
        double start = 0;   ///< stream position of its first audio
        bool whole = false; ///< began at the song's start

        bool operator==(const Take &other) const = default;
    };

    /// What happened to a take.
    struct Cut {
        enum class Kind {
            Begin, ///< a take begins at `take.start`
            End,   ///< the song ended at `end` in an unbroken stream
            Break, ///< the stream stopped, dropped or changed under it: it ends where it was
        };
        Kind kind = Kind::Begin;
        Take take;
        double end = 0; ///< for End: the stream position the next title began at

        bool operator==(const Cut &other) const = default;
    };

    /// Recording starts with the player as `now` is, playing at `position`.
    QList<Cut> start(const PlayerSnapshot &now, std::optional<double> position);
    /// Recording ends: an open take breaks off.
    QList<Cut> stop();
    /// The player changed to `now`, the stream playing at `position`.
    QList<Cut> update(const PlayerSnapshot &now, std::optional<double> position);

    /// True between start() and stop().
    bool isOn() const { return m_on; }
    /// The take being recorded, if any.
    const std::optional<Take> &take() const { return m_take; }

private:
    struct Heard {
        QString url;
        Song song;
    };
    static bool isLive(const PlayerSnapshot &now);
    void breakTake(QList<Cut> &cuts);
    void begin(QList<Cut> &cuts, const PlayerSnapshot &now, double position, bool whole);

    bool m_on = false;
    std::optional<Take> m_take;
    // What an unbroken stream said last: a new title after it is a song's start.
    std::optional<Heard> m_heard;
};
