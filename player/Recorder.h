#pragma once

#include "PlayerSnapshot.h"
#include "SongCutter.h"

#include <QHash>
#include <QLatin1StringView>
#include <QList>
#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class Clock;
class SettingsStore;
class StreamCapture;

/// Where and how recordings are kept, as the settings file says.
struct RecorderOptions {
    /// Settings key: the folder recordings go to, a folder per channel inside.
    static constexpr QLatin1StringView kFolderKey{"OpptakMappe"};
    /// Settings key: "keep" (the default) or "drop" songs not recorded from their start or
    /// to their end.
    static constexpr QLatin1StringView kIncompleteKey{"OpptakUfullstendige"};

    QString folder;             ///< the desktop's music folder's "Morvena Webradio" unless set
    bool keepIncomplete = true; ///< false: incomplete songs are not kept at all

    /// The options in section `section` of program `app` in `store`.
    static RecorderOptions load(const SettingsStore &store, const QString &app,
                                const QString &section);
};

/// Saves the stream song by song, as it arrived: one file a song, named "Artist - Title",
/// in a folder per channel, tagged with the artist, title, channel and day.
///
/// Songs not heard from their first second to their last (the one playing when recording
/// starts, one the stream dropped in, one cut by a stop or tuning) go to the channel's
/// "Incomplete" folder, or nowhere. Each song is followed by a continuous dump of the
/// engine's cache into a hidden ".recording" file; a title change cuts the song exactly from
/// the cache, while a stop, a drop or a tuning leaves what the continuous dump holds.
class Recorder : public QObject {
    Q_OBJECT

public:
    /// The subfolder of a channel's folder incomplete songs are kept in.
    static constexpr QLatin1StringView kIncompleteFolder{"Incomplete"};

    /// Records from `capture`; dates the tags by `clock`; both must outlive it.
    Recorder(StreamCapture &capture, const Clock &clock, RecorderOptions options,
             QObject *parent = nullptr);
    /// A song still being written stays as its hidden ".recording" file.
    ~Recorder() override;

    /// True while recording.
    bool isOn() const { return m_cutter.isOn(); }
    /// The options in use.
    const RecorderOptions &options() const { return m_options; }
    /// The tray tip's and status line's words for recording: "Recording" or empty.
    QString text() const;

public slots:
    /// Starts or stops recording.
    void setOn(bool on);
    /// Record: on when off, off when on.
    void toggle();
    /// The player changed.
    void update(const PlayerSnapshot &now);

signals:
    /// Recording started or stopped.
    void onChanged(bool on);
    /// Recording stopped for `message`, in plain words; playback goes on.
    void failed(const QString &message);
    /// A song was saved at `path`.
    void saved(const QString &path);

private:
    enum class Fate { Open, Save, Incomplete, Drop };
    struct TakeFile {
        SongCutter::Take take;
        QString folder;
        QString extension;
        QString partPath;
        Fate fate = Fate::Open;
        bool partEnded = false;
    };
    struct Dump {
        double start = 0;
        std::optional<double> end;
        QString path;
        std::function<void(bool)> done;
    };

    void apply(const QList<SongCutter::Cut> &cuts);
    void begin(const SongCutter::Take &take);
    void end(const SongCutter::Take &take, double at);
    void settle(int id);
    void keepIncomplete(const TakeFile &file);
    bool finish(const QString &from, const QString &folder, const SongCutter::Take &take,
                const QString &extension);
    void fault(const QString &message);
    void run(Dump dump);
    void next();
    void releaseIfIdle();
    int findTake(const SongCutter::Take &take) const;
    QString channelFolder(const Channel &channel) const;

    StreamCapture &m_capture;
    const Clock &m_clock;
    RecorderOptions m_options;
    SongCutter m_cutter;
    PlayerSnapshot m_last;
    QHash<int, TakeFile> m_files;
    int m_nextId = 1;
    bool m_dumping = false; // a dump with an end is being written: the next waits for it
    QList<Dump> m_waiting;
};
