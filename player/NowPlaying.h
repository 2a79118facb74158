#pragma once

#include <QHash>
#include <QString>

/// What plays, as the stream or file names it.
struct NowPlaying {
    QString artist;  ///< the artist as tagged or split from the stream's title; may be empty
    QString title;   ///< song or programme title; empty when nothing is named
    QString station; ///< the station's own name ("icy-name"), when it sends one

    /// The author the now-playing line shows: the artist, or the station standing in.
    QString author() const { return artist.isEmpty() ? station : artist; }
    bool operator==(const NowPlaying &other) const = default;
};

/// Derives artist and title from a stream's or file's tags (keys in lower case).
///
/// Tag "artist"/"title" win. An ICY StreamTitle ("icy-title") is split on its first " - "
/// into artist and title when there is no artist tag; without a separator it is the whole
/// title. The station name ("icy-name") is kept apart: it stands in for the author on the
/// now-playing line, but it is nobody's song.
NowPlaying nowPlayingFromTags(const QHash<QString, QString> &tags);
