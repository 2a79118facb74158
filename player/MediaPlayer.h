#pragma once

#include "NowPlaying.h"
#include "Playback.h"

#include <QString>

#include <optional>
#include <utility>

/// The playback engine as the player uses it: URLs in, a few figures out.
///
/// Writing a non-empty URL starts playback at once; nothing else is needed to play.
/// Reads that have nothing to describe (no media, nothing known yet) return an empty
/// optional, which callers treat as a failed read.
class MediaPlayer {
public:
    virtual ~MediaPlayer() = default;

    /// The URL last written, also after close(); empty when none was written.
    virtual QString url() const = 0;
    /// Opens and plays `url` at once without waiting; empty text leaves no media.
    virtual void setUrl(const QString &url) = 0;
    /// Stops playback.
    virtual void stop() = 0;
    /// Releases the media: sound stops and the reads below no longer describe a stream.
    virtual void close() = 0;
    /// Sets the volume in percent (0..100).
    virtual void setVolume(int percent) = 0;
    /// The volume in percent.
    virtual int volume() const = 0;
    /// "Bitrate" (bits/s as text), "Author" or "Title" of the current item.
    virtual std::optional<QString> itemInfo(const QString &name) const = 0;
    /// Artist, title and station of the current item, as the stream or file names them.
    virtual std::optional<NowPlaying> nowPlaying() const = 0;
    /// How far a file has played and how long it is, in seconds (the length when known);
    /// empty for a stream, which has neither.
    virtual std::optional<std::pair<double, std::optional<double>>> filePosition() const = 0;
    /// The rate data arrives at, in bits per second.
    virtual std::optional<qint64> bandWidth() const = 0;
    /// How full the buffer is, 0..100 percent.
    virtual std::optional<int> bufferingProgress() const = 0;
    /// 0 until the first data of the current media has been buffered.
    virtual std::optional<int> bufferingCount() const = 0;
    /// Where the current media stands: connecting, playing, reconnecting, failed...
    virtual Playback playback() const = 0;

protected:
    MediaPlayer() = default;
    MediaPlayer(const MediaPlayer &) = default;
    MediaPlayer &operator=(const MediaPlayer &) = default;
};
