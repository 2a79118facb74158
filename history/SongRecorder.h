#pragma once

#include "HeardSong.h"
#include "PlayerSnapshot.h"

#include <QObject>

#include <optional>

class Clock;
class SongLog;

/// Keeps a song history from the player's snapshots: one row per song the stream named,
/// from its start to its end.
///
/// Only real titles count: the words for a state and a channel's name standing in for a
/// title are none. A stream that drops and comes back with the same title goes on in the
/// same row; a title heard for less than kShortestSeconds (tuning past a channel) is not
/// kept. A row is written as the song starts, so a crash loses no more than its end.
class SongRecorder : public QObject {
    Q_OBJECT

public:
    /// A song heard for less than this many seconds is not kept, unless it was starred.
    static constexpr int kShortestSeconds = 5;
    /// The longest silence (a reconnect, a pause) after which the same title on the same
    /// channel still counts as the same song.
    static constexpr int kRejoinSeconds = 180;

    /// What starNow() did.
    enum class StarResult {
        Starred, ///< the song playing now is starred
        NoSong,  ///< nothing is playing that names a song
        NotKept, ///< the history is paused, so the star could not be kept
    };

    /// Writes to `log` at the times `clock` gives; both must outlive it.
    SongRecorder(SongLog &log, const Clock &clock, QObject *parent = nullptr);

    /// The song playing now, as kept; nothing while no song plays.
    std::optional<HeardSong> current() const;
    /// Stars the song playing now.
    StarResult starNow();

public slots:
    /// The player changed: starts, continues or ends the song being kept.
    void update(const PlayerSnapshot &now);
    /// The program ends: the song playing ends now.
    void finish();

private:
    struct Open {
        HeardSong song;
        std::optional<qint64> id;
        QDateTime lastHeard;
        bool heard = true; ///< false while the stream is silent (reconnecting, paused)
    };

    static bool isRealSong(const PlayerSnapshot &now);
    void close(QDateTime ended);

    SongLog &m_log;
    const Clock &m_clock;
    std::optional<Open> m_open;
};
