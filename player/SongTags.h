#pragma once

#include <QDate>
#include <QString>

/// Tags written into a recorded song, in the file's own tag format: ID3v2 for MP3, Vorbis
/// comments for Ogg Vorbis and Opus. Formats without tags (raw AAC) are left as they are.
namespace SongTags {

/// What a recording says about itself.
struct Tags {
    QString artist;
    QString title;
    QString album; ///< the channel it was recorded from
    QDate date;    ///< the day it was recorded
};

/// Writes `tags` into the file at `path`; false when the file cannot be read or written as
/// audio. A format that holds no tags counts as written.
bool write(const QString &path, const Tags &tags);

} // namespace SongTags
