#pragma once

#include <QDateTime>
#include <QString>

/// One song as the history keeps it: what the stream named, on which channel, and when.
struct HeardSong {
    qint64 id = 0;     ///< the row's number in the history; 0 before it is kept
    QString artist;    ///< as the stream gave it; may be empty
    QString title;     ///< as the stream gave it; never empty
    QString channel;   ///< the channel's name when it played
    QString url;       ///< the channel's address, to play it again
    QDateTime started; ///< when it was first heard
    QDateTime ended;   ///< when it was last heard; invalid while it plays (or after a crash)
    bool starred = false;

    /// "Artist - Title", or the title alone.
    QString text() const;

    bool operator==(const HeardSong &other) const = default;
};
