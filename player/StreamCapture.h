#pragma once

#include <QString>

#include <functional>
#include <optional>

/// The stream as it arrived, before decoding: what the recorder copies songs from.
///
/// Positions are seconds on the stream's own timeline, the one the engine's cache is kept
/// by; they start again with every new connection.
class StreamCapture {
public:
    /// Told whether a dump was written in full (false: it failed, e.g. the file could not be
    /// written).
    using DumpDone = std::function<void(bool ok)>;

    virtual ~StreamCapture() = default;

    /// While on, the cache keeps a whole song behind the play position, and the play
    /// position is followed.
    virtual void setCapturing(bool on) = 0;
    /// Where playback stands now; empty without a stream.
    virtual std::optional<double> capturePosition() const = 0;
    /// The earliest position the cache still holds; empty without a stream.
    virtual std::optional<double> cachedSince() const = 0;
    /// The stream's audio codec as the engine names it ("mp3", "aac", "vorbis", "opus");
    /// empty while unknown.
    virtual QString captureCodec() const = 0;
    /// Copies the stream from `start` to `end` (no end: on and on as it arrives, until the
    /// stream stops or the next dump starts) into `path` without re-encoding; the format
    /// follows the file's extension. One dump runs at a time: a new one ends the last.
    virtual void dumpCache(double start, std::optional<double> end, const QString &path,
                           DumpDone done) = 0;

protected:
    StreamCapture() = default;
    StreamCapture(const StreamCapture &) = default;
    StreamCapture &operator=(const StreamCapture &) = default;
};
