#pragma once

#include "MediaPlayer.h"

#include <QObject>
#include <QStringList>

#include <memory>

/// The playback engine on libmpv: one mpv handle for the whole run.
///
/// Every command is sent asynchronously and every event is drained on the thread that
/// owns this object, so no call here waits on the network.
class MpvMediaPlayer : public QObject, public MediaPlayer {
    Q_OBJECT

public:
    /// Where the current media stands.
    enum class Status { Idle, Opening, Playing, Reconnecting, Failed };
    Q_ENUM(Status)

    /// Timings of the watchdog and the reconnect back-off; tests shorten them.
    struct Timings {
        int watchdogMs = 15'000;      ///< no audio this long after opening: failed
        int firstRetryMs = 1'000;     ///< first reconnect delay, doubled each time
        int maxRetryMs = 30'000;      ///< cap of the reconnect delay
        int maxSilentReconnects = 10; ///< reconnects without audio before giving up
    };

    /// Extra mpv options from MORVENA_MPV_OPTIONS ("name=value" pairs separated by blanks).
    static QStringList optionsFromEnvironment();

    /// Creates and initialises the mpv handle; `extraOptions` ("name=value") come last.
    explicit MpvMediaPlayer(const QStringList &extraOptions = optionsFromEnvironment(),
                            QObject *parent = nullptr);
    ~MpvMediaPlayer() override;

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
    std::optional<qint64> bandWidth() const override;
    std::optional<int> bufferingProgress() const override;
    std::optional<int> bufferingCount() const override;

signals:
    /// The status of the current media changed.
    void statusChanged(MpvMediaPlayer::Status status);
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
