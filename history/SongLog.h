#pragma once

#include "HeardSong.h"

#include <QDateTime>

#include <optional>

/// Where the recorder writes the songs it hears, so its rules are tested without a database.
class SongLog {
public:
    virtual ~SongLog() = default;

    /// Keeps `song` (its end not known yet); its id, or nothing when the history is paused.
    virtual std::optional<qint64> begin(const HeardSong &song) = 0;
    /// Sets the end of the song `id`.
    virtual void finish(qint64 id, const QDateTime &ended) = 0;
    /// Forgets the song `id`: it was heard too briefly to count.
    virtual void discard(qint64 id) = 0;
    /// Stars or unstars the song `id`; false when that could not be kept, or the song is no
    /// longer there.
    virtual bool star(qint64 id, bool starred) = 0;

protected:
    SongLog() = default;
    SongLog(const SongLog &) = default;
    SongLog &operator=(const SongLog &) = default;
};
