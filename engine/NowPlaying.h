#pragma once

#include <QHash>
#include <QString>

/// Author and title of what plays, as the now-playing line shows them.
struct NowPlaying {
    QString author; ///< artist, or the station when the stream names no artist
    QString title;  ///< song or programme title
};

/// Derives author and title from a stream's or file's tags (keys in lower case).
///
/// Tag "artist"/"title" win. An ICY StreamTitle ("icy-title") is split on its first " - "
/// into author and title when there is no artist tag; without a separator it is the whole
/// title and the station name ("icy-name") stands as author.
NowPlaying nowPlayingFromTags(const QHash<QString, QString> &tags);
