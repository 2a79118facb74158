#pragma once

#include "MediaPlayer.h"
#include "StreamCapture.h"
#include "StreamPolicy.h"

#include <QObject>
#include <QStringList>

#include <chrono>
#include <memory>

/// The playback engine on libmpv: one mpv handle for the whole run.
///
/// Every command is sent asynchronously and every event is drained on the thread that
/// owns this object, so no call here waits on the network.
class MpvMediaPlayer : public QObject, public MediaPlayer, public StreamCapture {
    Q_OBJECT

public:
    /// Where the current media stands.
    using Status = Playback::State;
    /// Timings of the watchdog and the reconnect back-off; tests shorten them.
    using Timings = StreamPolicy::Timings;

    /// Extra mpv options from MORVENA_MPV_OPTIONS ("name=value" pairs separated by blanks).
    static QStringList optionsFromEnvironment();

    /// Creates and initialises the mpv handle; `extraOptions` ("name=value") come last.
    explicit MpvMediaPlayer(const QStringList &extraOptions = optionsFromEnvironment(),
                            QObject *parent = nullptr);
    ~MpvMediaPlayer() override;

    /// The program is ending: the engine starts winding down now, beside whatever else the
    /// ending does, and its destruction waits at most `wait` for it.
    void beginShutdown(std::chrono::milliseconds wait);
    /// True when a destroyed engine's threads were still winding down: the process may end
    /// without them (std::_Exit), for nothing of ours depends on them any more.
    static bool teardownPending();

    /// False when libmpv could not be initialised; every call is then a no-op.
    bool isValid() const;
    /// Where the current media stands.
    Status status() const;
    /// Why the current media failed, in plain words; empty when it did not.
    QString errorString() const;
    /// Replaces the watchdog and reconnect timings.
    void setTimings(const Timings &timings);

    QString url() const override;
    void setUrl(const QString &url) override;
    void stop() override;
    void close() override;
    void setVolume(int percent) override;
    int volume() const override;
    std::optional<QString> itemInfo(const QString &name) const override;
    std::optional<NowPlaying> nowPlaying() const override;
    std::optional<std::pair<double, std::optional<double>>> filePosition() const override;
    std::optional<qint64> bandWidth() const override;
    std::optional<int> bufferingProgress() const override;
    std::optional<int> bufferingCount() const override;
    Playback playback() const override;

    // The stream as it arrived, for the recorder.
    void setCapturing(bool on) override;
    std::optional<double> capturePosition() const override;
    std::optional<double> cachedSince() const override;
    QString captureCodec() const override;
    void dumpCache(double start, std::optional<double> end, const QString &path,
                   DumpDone done) override;

signals:
    /// The status of the current media changed.
    void statusChanged();
    /// The first audio of the current media (or of a reconnect) was decoded.
    void audioStarted();
    /// The current media failed for good; `reason` says why in plain words.
    void failed(const QString &reason);
    /// Author or title of the current item changed.
    void metadataChanged();

private:
    struct Private;
    std::unique_ptr<Private> d;
};
