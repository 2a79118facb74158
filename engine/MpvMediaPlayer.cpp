#include "MpvMediaPlayer.h"

#include "EngineLogging.h"
#include "NowPlaying.h"
#include "PlaylistFetcher.h"
#include "SteadyClock.h"
#include "StreamPolicy.h"
#include "TextDecoding.h"
#include "Version.h"
#include "XmlPlaylist.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QTimer>

#include <mpv/client.h>

#include <atomic>
#include <chrono>
#include <clocale>
#include <cmath>
#include <future>
#include <optional>
#include <thread>
#include <utility>

namespace {

std::atomic<bool> s_teardownPending{false};

// reply_userdata values: property observations, then load commands tagged with their
// generation so that a late reply of an abandoned load is recognised.
enum Observed : quint64 {
    kObserveBitrate = 1,
    kObserveBuffering,
    kObserveMetadata,
    kObserveFileSize,
    kObservePath,
    kObservePausedForCache,
    kObservePlaybackTime, // while capturing
    kObserveCodec,        // while capturing
    kObserveCacheState,   // while capturing: how far back the cache reaches
};
constexpr quint64 kLoadReplyBase = 1000;
// How long one read of the input rate answers the status line.
constexpr qint64 kInputRateReadMs = 500;
// Dumps of the cache, numbered apart from the loads (whose generations never get near).
constexpr quint64 kDumpReplyBase = quint64{1} << 48;
// While recording, the cache keeps this much behind the play position: a song of 35 min at
// 128 kbit/s, or 14 min at 320; it costs memory only as it fills. Without recording the
// usual quarter megabyte.
constexpr const char *kCaptureBackBytes = "32MiB";
constexpr const char *kPlainBackBytes = "256KiB";
// Debian's bundle of the system's trusted authorities; the engine's TLS library is not
// told of any by default and would accept every certificate.
constexpr const char *kSystemCaFile = "/etc/ssl/certs/ca-certificates.crt";

// Options set before initialising, in this order; extra options from the caller follow.
const char *const kOptions[][2] = {
    {"config", "no"},        // the user's mpv.conf is not ours to read
    {"load-scripts", "no"},  // nor their scripts
    {"ytdl", "no"},          // never start an external URL resolver
    {"video", "no"},         // radio: audio only, no window
    {"audio-display", "no"}, // no cover art window for files
    {"terminal", "no"},
    {"input-default-bindings", "no"},
    {"input-vo-keyboard", "no"},
    {"osc", "no"},
    // mpv's built-in Lua scripts (stats, console, auto profiles) each run a thread that
    // wakes for every event the core sends, and hold a Lua state's memory: a radio has no
    // use for any of them.
    {"load-stats-overlay", "no"},
    {"load-osd-console", "no"},
    {"load-auto-profiles", "no"},
    {"idle", "yes"}, // stay alive between media
    {"keep-open", "no"},
    {"volume", "50"},
    {"audio-fallback-to-null", "yes"}, // no sound card: keep showing what plays
    // A radio needs no quick answer from the sound card. Half a second of output buffer
    // lets the engine's core, its output thread and the sound server fill it in a few
    // large blocks instead of forty to a hundred small ones a second (PipeWire's default is
    // 20 ms, PulseAudio's 100). A stop, a pause or a tuning still silences it at once; a
    // volume change is heard within the buffer.
    {"pipewire-buffer", "500"},
    {"pulse-buffer", "500"},
    {"alsa-buffer-time", "500000"},
    {"ao-null-buffer", "0.5"},
    {"network-timeout", "10"}, // seconds; the default of 60 hides dead servers
    // mpv's defaults let a live stream's cache grow to 150 MiB (plus 50 MiB behind the
    // play position), about 1 MB a minute for radio; a few seconds ahead is plenty.
    {"cache", "yes"},
    {"cache-secs", "10"},
    {"demuxer-max-bytes", "2MiB"},
    {"demuxer-max-back-bytes", "256KiB"},
    {"user-agent", MORVENA_USER_AGENT},
    {"tls-verify", "yes"},
};

bool isNetworkLocation(const QString &location)
{
    const QUrl url = XmlPlaylist::locationToUrl(location);
    return !url.isLocalFile() && url.scheme().size() > 1;
}

const mpv_node *mapValue(const mpv_node &map, const char *key)
{
    if (map.format != MPV_FORMAT_NODE_MAP || !map.u.list)
        return nullptr;
    for (int i = 0; i < map.u.list->num; ++i) {
        if (qstrcmp(map.u.list->keys[i], key) == 0)
            return &map.u.list->values[i];
    }
    return nullptr;
}

} // namespace

struct MpvMediaPlayer::Private {
    explicit Private(MpvMediaPlayer *owner)
        : q(owner)
    {}

    MpvMediaPlayer *q;
    mpv_handle *mpv = nullptr;
    MonotonicClock clock;
    StreamPolicy policy{clock};
    std::atomic<bool> wakeupQueued{false};

    QString url; // as written, also after close()
    int volume = 50;
    bool hasItem = false;
    Status status = Status::Idle;
    QString error;

    // The media being opened: one entry for a plain URL, several for an XML playlist.
    QStringList entries;
    quint64 generation = 0; // bumped by every write, stop and close
    qint64 entryId = -1;    // mpv's playlist entry of our load
    qint64 insertedFirst = -1;
    qint64 insertedLast = -1; // entries mpv added for a pls/m3u it expanded
    bool sniffed = false;     // the address was already read as an XML playlist
    int httpStatus = 0;
    int connections = 0;      // connections made since the current entry started
    QString engineLog;        // the engine's warnings since the current entry started
    bool detailedLog = false; // the engine tells of each connection while an open runs
    int bufferingCount = 0;
    std::optional<QString> pendingEnd; // an end of the current media not yet acted on

    std::optional<qint64> bitrate;
    std::optional<int> buffering;
    bool pausedForCache = false;
    // A live stream has no size; the size the server announced (or a file's) is what tells
    // a finished download from a dropped stream.
    bool sizeKnown = false;
    qint64 inputRate = 0;                  // bytes a second, as last read
    std::optional<qint64> inputRateReadMs; // when, by the clock below
    QString path; // what mpv plays now: the entry a pls/m3u expanded to, not the list
    // Whether url and path name network streams, settled as they change: the status poll
    // asks ten times a second and parsing an address each time was most of its work.
    bool urlIsNetwork = false;
    bool pathIsNetwork = false;
    QHash<QString, QString> tags;

    // Capture for the recorder, kept apart from playing.
    struct Capture {
        bool on = false;
        std::optional<double> position;
        std::optional<double> cachedSince;
        QString codec;
        quint64 nextDump = kDumpReplyBase;
        QHash<quint64, StreamCapture::DumpDone> dumps;
    } capture;

    QTimer policyTimer;
    PlaylistFetcher fetcher;
    std::optional<std::chrono::milliseconds> shutdownWait; // set once the program ends

    void setStatus(Status s)
    {
        if (status == s)
            return;
        status = s;
        emit q->statusChanged();
    }

    void clearFigures()
    {
        bitrate.reset();
        buffering.reset();
        pausedForCache = false;
        sizeKnown = false;
        inputRateReadMs.reset();
        bufferingCount = 0;
    }

    void clearTags()
    {
        if (tags.isEmpty())
            return;
        tags.clear();
        emit q->metadataChanged();
    }

    // Drops whatever the current media was doing: timers, fetches, pending replies.
    void abandon()
    {
        ++generation;
        policy.cancel();
        policyTimer.stop();
        fetcher.cancel();
        entryId = insertedFirst = insertedLast = -1;
        pendingEnd.reset();
        sniffed = false;
        error.clear();
        clearFigures();
        setDetailedLog(false);
    }

    void command(std::initializer_list<const char *> args, quint64 userdata = 0) const
    {
        if (!mpv)
            return;
        std::vector<const char *> argv(args);
        argv.push_back(nullptr);
        const int rc = mpv_command_async(mpv, userdata, argv.data());
        if (rc < 0)
            qCWarning(lcEngine) << "mpv command" << *args.begin()
                                << "refused:" << mpv_error_string(rc);
    }

    void start(const QStringList &list)
    {
        entries = list;
        policy.start(static_cast<int>(entries.size()));
        loadEntry();
    }

    void loadEntry()
    {
        entryId = insertedFirst = insertedLast = -1;
        forgetOpen();
        path.clear();
        pathIsNetwork = false;
        clearFigures();
        clearTags();
        const QByteArray target = entries.at(policy.entryIndex()).toUtf8();
        setDetailedLog(true);
        command({"loadfile", target.constData(), "replace"}, kLoadReplyBase + generation);
        policy.opening();
        setStatus(policy.isReconnecting() ? Status::Reconnecting : Status::Connecting);
        armPolicyTimer();
    }

    // What the last open reported, so that the next one speaks for itself.
    void forgetOpen()
    {
        httpStatus = 0;
        connections = 0;
        engineLog.clear();
    }

    // The engine tells of each connection only in its detailed log, which costs a wake-up a
    // message: it is asked for while an open runs, and not while audio plays.
    void setDetailedLog(bool on)
    {
        if (!mpv || detailedLog == on)
            return;
        detailedLog = on;
        mpv_request_log_messages(mpv, on ? "debug" : lcMpv().isDebugEnabled() ? "v" : "warn");
    }

    void armPolicyTimer()
    {
        if (const std::optional<qint64> due = policy.msUntilDue())
            policyTimer.start(static_cast<int>(*due));
        else
            policyTimer.stop();
    }

    void fail(const QString &reason)
    {
        policy.cancel();
        policyTimer.stop();
        clearFigures();
        command({"stop"});
        setDetailedLog(false);
        error = reason;
        qCDebug(lcEngine) << "failed:" << url << reason;
        setStatus(Status::Failed);
        emit q->failed(reason);
    }

    void act(const StreamPolicy::Decision &decision)
    {
        switch (decision.action) {
        case StreamPolicy::Action::Wait:
            if (decision.watchdog)
                command({"stop"}); // its end-of-file event carries "stopped" and is ignored
            if (policy.isReconnecting()) {
                clearFigures();
                setStatus(Status::Reconnecting);
            }
            armPolicyTimer();
            return;
        case StreamPolicy::Action::OpenNext:
        case StreamPolicy::Action::Reopen:
            qCDebug(lcEngine) << "opening entry" << policy.entryIndex() << "attempt"
                              << policy.attempt();
            loadEntry();
            return;
        case StreamPolicy::Action::Fail:
            fail(decision.reason);
            return;
        case StreamPolicy::Action::End:
            policyTimer.stop();
            setDetailedLog(false);
            clearFigures();
            setStatus(Status::Ended);
            return;
        }
    }

    // The current open ended, with or without having played.
    void onEnded(const QString &engineReason)
    {
        qCDebug(lcEngine) << "open ended:" << engineReason;
        const StreamPolicy::Failure why =
            StreamPolicy::classify({httpStatus, connections, engineLog});
        // A Windows Media playlist served under a name or type the engine does not know
        // reads as "not audio": look inside before giving up.
        if (!sniffed && status == Status::Connecting && entries.size() == 1 && why.notAudio &&
            isNetworkLocation(entries.first())) {
            sniffed = true;
            policy.cancel();
            policyTimer.stop();
            fetcher.fetch(XmlPlaylist::locationToUrl(entries.first()));
            return;
        }
        const bool live =
            isNetworkLocation(path.isEmpty() ? entries.value(policy.entryIndex()) : path) &&
            !sizeKnown;
        act(policy.ended(why, live));
    }

    void onAudio()
    {
        policy.audioStarted();
        policyTimer.stop();
        // A dead mirror before this entry must not speak for it when it drops later.
        forgetOpen();
        setDetailedLog(false);
        ++bufferingCount;
        setStatus(Status::Playing);
        emit q->audioStarted();
    }

    bool isOurs(qint64 id) const
    {
        return (entryId >= 0 && id == entryId) ||
               (insertedFirst >= 0 && id >= insertedFirst && id <= insertedLast);
    }

    void onEndFile(const mpv_event_end_file &end)
    {
        if (!isOurs(end.playlist_entry_id))
            return;
        switch (end.reason) {
        case MPV_END_FILE_REASON_REDIRECT:
            // mpv expanded a pls/m3u into entries of its own and plays them in turn.
            insertedFirst = end.playlist_insert_id;
            insertedLast = end.playlist_insert_id + end.playlist_insert_num_entries - 1;
            return;
        case MPV_END_FILE_REASON_EOF:
        case MPV_END_FILE_REASON_ERROR:
            // mpv moves on to the next entry of an expanded playlist by itself.
            if (insertedFirst >= 0 && end.playlist_entry_id < insertedLast)
                return;
            // libmpv hands out its queued events before its log; the log line with the
            // HTTP status may still be waiting, so decide once the drain has read it all.
            pendingEnd = end.reason == MPV_END_FILE_REASON_ERROR
                             ? QString::fromUtf8(mpv_error_string(end.error))
                             : QStringLiteral("end of file");
            return;
        default:
            return; // stopped or quit on our own request
        }
    }

    void onCommandReply(const mpv_event &event)
    {
        if (event.reply_userdata != kLoadReplyBase + generation)
            return; // an abandoned load
        if (event.error < 0) {
            onEnded(QString::fromUtf8(mpv_error_string(event.error)));
            return;
        }
        const auto *reply = static_cast<const mpv_event_command *>(event.data);
        if (const mpv_node *id = reply ? mapValue(reply->result, "playlist_entry_id") : nullptr;
            id && id->format == MPV_FORMAT_INT64)
            entryId = id->u.int64;
    }

    void onStartFile(const mpv_event_start_file &start)
    {
        // Older libmpv answers loadfile without the entry id: take the first start after it.
        if (entryId < 0 && insertedFirst < 0 &&
            (status == Status::Connecting || status == Status::Reconnecting))
            entryId = start.playlist_entry_id;
        // The next entry of an expanded playlist: the last one's failure is not its own.
        if (isOurs(start.playlist_entry_id))
            forgetOpen();
    }

    // A property's value as the type it is observed as; empty when the engine has none.
    static std::optional<double> doubleOf(const mpv_event_property &p)
    {
        if (p.format != MPV_FORMAT_DOUBLE)
            return std::nullopt;
        return *static_cast<double *>(p.data);
    }
    static QString stringOf(const mpv_event_property &p)
    {
        return p.format == MPV_FORMAT_STRING ? QString::fromUtf8(*static_cast<char **>(p.data))
                                             : QString();
    }

    void onProperty(quint64 id, const mpv_event_property &p)
    {
        switch (id) {
        case kObserveBitrate:
            if (const std::optional<double> bits = doubleOf(p))
                bitrate = std::llround(*bits);
            else
                bitrate.reset();
            break;
        case kObserveCacheState:
            if (p.format == MPV_FORMAT_NODE)
                onCacheRanges(*static_cast<mpv_node *>(p.data));
            else
                capture.cachedSince.reset();
            break;
        case kObserveBuffering:
            buffering = p.format == MPV_FORMAT_INT64
                            ? std::optional<int>(static_cast<int>(*static_cast<int64_t *>(p.data)))
                            : std::nullopt;
            break;
        case kObserveFileSize:
            // Latched until the next open: the size is gone again by the time the end of
            // the file is reported.
            sizeKnown = sizeKnown || p.format == MPV_FORMAT_INT64;
            break;
        case kObservePath:
            // Kept when the file closes: its end is reported after the path is gone.
            if (p.format == MPV_FORMAT_STRING) {
                path = stringOf(p);
                pathIsNetwork = isNetworkLocation(path);
            }
            break;
        case kObservePlaybackTime:
            capture.position = doubleOf(p);
            break;
        case kObserveCodec:
            capture.codec = stringOf(p);
            break;
        case kObservePausedForCache:
            pausedForCache = p.format == MPV_FORMAT_FLAG && *static_cast<int *>(p.data) != 0;
            break;
        case kObserveMetadata:
            onMetadata(p);
            break;
        default:
            break;
        }
    }

    void onMetadata(const mpv_event_property &p)
    {
        QHash<QString, QString> fresh;
        if (p.format == MPV_FORMAT_NODE) {
            const auto &map = *static_cast<mpv_node *>(p.data);
            for (int i = 0; map.format == MPV_FORMAT_NODE_MAP && i < map.u.list->num; ++i) {
                const mpv_node &value = map.u.list->values[i];
                if (value.format == MPV_FORMAT_STRING)
                    fresh.insert(QString::fromUtf8(map.u.list->keys[i]).toLower(),
                                 decodeUtf8OrWindows1252(value.u.string));
            }
        }
        if (fresh != tags) {
            tags = fresh;
            emit q->metadataChanged();
        }
    }

    void onCacheRanges(const mpv_node &state)
    {
        capture.cachedSince.reset();
        const mpv_node *ranges = mapValue(state, "seekable-ranges");
        if (!ranges || ranges->format != MPV_FORMAT_NODE_ARRAY || ranges->u.list->num < 1)
            return;
        if (const mpv_node *start = mapValue(ranges->u.list->values[0], "start");
            start && start->format == MPV_FORMAT_DOUBLE)
            capture.cachedSince = start->u.double_;
    }

    void onDumpReply(const mpv_event &event)
    {
        if (StreamCapture::DumpDone done = capture.dumps.take(event.reply_userdata))
            done(event.error >= 0);
    }

    void onLog(const mpv_event_log_message &log)
    {
        const QString text = QString::fromUtf8(log.text).trimmed();
        qCDebug(lcMpv).noquote() << log.prefix << log.level << text;
        // libmpv reports every failed open alike; the HTTP status tells a missing stream
        // (no retry) from a server that is down for a moment (retry).
        static const QRegularExpression kHttpError(QStringLiteral("HTTP error (\\d{3})"));
        if (const auto match = kHttpError.match(text); match.hasMatch())
            httpStatus = match.captured(1).toInt();
        // A redirect is one more connection; so is a server that answers and hangs up.
        if (text.startsWith(QLatin1String("tcp: Successfully connected")))
            ++connections;
        if (log.log_level <= MPV_LOG_LEVEL_WARN && engineLog.size() < 4096)
            engineLog += text + QLatin1Char('\n');
    }

    void drain()
    {
        wakeupQueued = false;
        while (mpv) {
            const mpv_event *event = mpv_wait_event(mpv, 0);
            switch (event->event_id) {
            case MPV_EVENT_NONE:
                if (pendingEnd)
                    onEnded(*std::exchange(pendingEnd, std::nullopt));
                return;
            case MPV_EVENT_SHUTDOWN:
                return;
            case MPV_EVENT_LOG_MESSAGE:
                onLog(*static_cast<mpv_event_log_message *>(event->data));
                break;
            case MPV_EVENT_COMMAND_REPLY:
                if (event->reply_userdata >= kDumpReplyBase) {
                    onDumpReply(*event);
                    break;
                }
                onCommandReply(*event);
                break;
            case MPV_EVENT_START_FILE:
                onStartFile(*static_cast<mpv_event_start_file *>(event->data));
                break;
            case MPV_EVENT_END_FILE:
                onEndFile(*static_cast<mpv_event_end_file *>(event->data));
                break;
            case MPV_EVENT_PLAYBACK_RESTART:
                if (status == Status::Connecting || status == Status::Reconnecting)
                    onAudio();
                break;
            case MPV_EVENT_PROPERTY_CHANGE:
                onProperty(event->reply_userdata, *static_cast<mpv_event_property *>(event->data));
                break;
            default:
                break;
            }
        }
    }

    static void wakeup(void *context)
    {
        // Called on one of mpv's threads: only queue the drain onto ours.
        auto *self = static_cast<Private *>(context);
        if (self->wakeupQueued.exchange(true))
            return;
        QMetaObject::invokeMethod(
            self->q, [self] { self->drain(); }, Qt::QueuedConnection);
    }

    void onFetched(const QUrl &playlistUrl, const QByteArray &data, const QString &fetchError)
    {
        const QStringList list = XmlPlaylist::parse(data, playlistUrl);
        if (!list.isEmpty()) {
            start(list);
            return;
        }
        if (sniffed)
            fail(StreamPolicy::reason(StreamPolicy::kNotAudio));
        else
            fail(fetchError.isEmpty() ? MpvMediaPlayer::tr("The playlist lists nothing to play")
                                      : fetchError);
    }
};

QStringList MpvMediaPlayer::optionsFromEnvironment()
{
    return qEnvironmentVariable("MORVENA_MPV_OPTIONS")
        .split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
}

MpvMediaPlayer::MpvMediaPlayer(const QStringList &extraOptions, QObject *parent)
    : QObject(parent)
    , d(std::make_unique<Private>(this))
{
    d->policyTimer.setSingleShot(true);
    connect(&d->policyTimer, &QTimer::timeout, this, [this] { d->act(d->policy.due()); });
    connect(&d->fetcher, &PlaylistFetcher::finished, this,
            [this](const QUrl &u, const QByteArray &data, const QString &error) {
                d->onFetched(u, data, error);
            });

    // libmpv refuses to start unless numbers are read and written the C way.
    std::setlocale(LC_NUMERIC, "C");
    mpv_handle *mpv = mpv_create();
    if (!mpv) {
        qCWarning(lcEngine) << "libmpv could not be created";
        return;
    }
    for (const auto &[name, value] : kOptions) {
        if (const int rc = mpv_set_option_string(mpv, name, value); rc < 0)
            qCWarning(lcEngine) << "mpv option" << name << "refused:" << mpv_error_string(rc);
    }
    if (QFile::exists(QLatin1String(kSystemCaFile)))
        mpv_set_option_string(mpv, "tls-ca-file", kSystemCaFile);
    for (const QString &option : extraOptions) {
        const qsizetype eq = option.indexOf(QLatin1Char('='));
        const QByteArray name = option.left(eq).toUtf8();
        const QByteArray value = eq < 0 ? QByteArray("yes") : option.mid(eq + 1).toUtf8();
        if (const int rc = mpv_set_option_string(mpv, name.constData(), value.constData()); rc < 0)
            qCWarning(lcEngine) << "mpv option" << option << "refused:" << mpv_error_string(rc);
    }
    if (const int rc = mpv_initialize(mpv); rc < 0) {
        qCWarning(lcEngine) << "libmpv could not be initialised:" << mpv_error_string(rc);
        mpv_terminate_destroy(mpv);
        return;
    }
    d->mpv = mpv;
    // "warn" carries the HTTP status of failed opens; "v" only when diagnosing.
    mpv_request_log_messages(mpv, lcMpv().isDebugEnabled() ? "v" : "warn");
    mpv_observe_property(mpv, kObserveBitrate, "audio-bitrate", MPV_FORMAT_DOUBLE);
    mpv_observe_property(mpv, kObserveBuffering, "cache-buffering-state", MPV_FORMAT_INT64);
    mpv_observe_property(mpv, kObserveMetadata, "metadata", MPV_FORMAT_NODE);
    mpv_observe_property(mpv, kObserveFileSize, "file-size", MPV_FORMAT_INT64);
    mpv_observe_property(mpv, kObservePath, "path", MPV_FORMAT_STRING);
    mpv_observe_property(mpv, kObservePausedForCache, "paused-for-cache", MPV_FORMAT_FLAG);
    mpv_set_wakeup_callback(mpv, &Private::wakeup, d.get());
}

MpvMediaPlayer::~MpvMediaPlayer()
{
    if (!d->mpv)
        return;
    mpv_handle *mpv = std::exchange(d->mpv, nullptr);
    mpv_set_wakeup_callback(mpv, nullptr, nullptr);
    if (!d->shutdownWait) {
        mpv_terminate_destroy(mpv);
        return;
    }
    // The engine's demuxer sits out its socket poll (100 ms) and a connection being retried
    // its connect (over a second) before the core can end; none of it is worth holding the
    // exit for once the state is saved. Destroyed on a thread of its own, the handle may be
    // left behind, and the process then ends without it.
    const auto started = std::chrono::steady_clock::now();
    std::packaged_task<void()> destroy([mpv] { mpv_terminate_destroy(mpv); });
    std::future<void> destroyed = destroy.get_future();
    std::thread(std::move(destroy)).detach();
    if (destroyed.wait_for(*d->shutdownWait) == std::future_status::timeout) {
        s_teardownPending = true;
        qCDebug(lcEngine) << "the engine's threads are left to the exit";
        return;
    }
    qCDebug(lcEngine) << "engine ended in"
                      << std::chrono::duration_cast<std::chrono::microseconds>(
                             std::chrono::steady_clock::now() - started)
                             .count()
                      << "us";
}

void MpvMediaPlayer::beginShutdown(std::chrono::milliseconds wait)
{
    if (d->shutdownWait || !d->mpv)
        return;
    d->shutdownWait = wait;
    // No more events for us: whatever the engine does from here is no news to the player,
    // whose state is being saved as it stands.
    mpv_set_wakeup_callback(d->mpv, nullptr, nullptr);
    d->command({"quit"});
}

bool MpvMediaPlayer::teardownPending()
{
    return s_teardownPending;
}

bool MpvMediaPlayer::isValid() const
{
    return d->mpv != nullptr;
}

MpvMediaPlayer::Status MpvMediaPlayer::status() const
{
    return d->status;
}

QString MpvMediaPlayer::errorString() const
{
    return d->error;
}

void MpvMediaPlayer::setTimings(const Timings &timings)
{
    d->policy.setTimings(timings);
}

Playback MpvMediaPlayer::playback() const
{
    Playback now;
    now.state = d->status;
    switch (d->status) {
    case Status::Playing:
        if (d->pausedForCache) {
            now.state = Status::Buffering;
            now.percent = d->buffering.value_or(0);
        }
        break;
    case Status::Reconnecting:
        now.attempt = d->policy.attempt();
        now.secondsToRetry = d->policy.secondsToRetry();
        break;
    case Status::Failed:
        now.reason = d->error;
        break;
    default:
        break;
    }
    return now;
}

QString MpvMediaPlayer::url() const
{
    return d->url;
}

void MpvMediaPlayer::setUrl(const QString &url)
{
    d->abandon();
    d->url = url;
    d->urlIsNetwork = isNetworkLocation(url);
    d->hasItem = !url.isEmpty();
    d->clearTags();
    if (url.isEmpty()) {
        d->command({"stop"});
        d->setStatus(Status::Idle);
        return;
    }
    if (!XmlPlaylist::isPlayableLocation(url)) {
        // The engine would also run its filter, descriptor and edit-list protocols, which
        // can read and write files: a channel list gets files and streams only.
        d->command({"stop"});
        d->setStatus(Status::Connecting);
        QTimer::singleShot(0, this, [this, generation = d->generation] {
            if (generation == d->generation)
                d->fail(tr("This address cannot be played: only files and http, https, mms, "
                           "rtsp and rtmp streams can"));
        });
        return;
    }
    if (!XmlPlaylist::isXmlPlaylist(url)) {
        d->start({url});
        return;
    }
    // libmpv cannot read Windows Media's XML playlists: read the entries ourselves.
    d->command({"stop"});
    d->setStatus(Status::Connecting);
    d->fetcher.fetch(XmlPlaylist::locationToUrl(url));
}

void MpvMediaPlayer::stop()
{
    d->abandon();
    d->command({"stop"});
    d->setStatus(Status::Idle);
}

void MpvMediaPlayer::close()
{
    stop();
    d->hasItem = false;
    d->clearTags();
}

void MpvMediaPlayer::setVolume(int percent)
{
    d->volume = std::clamp(percent, 0, 100);
    if (!d->mpv)
        return;
    int64_t value = d->volume; // copied by libmpv before the call returns
    mpv_set_property_async(d->mpv, 0, "volume", MPV_FORMAT_INT64, &value);
}

int MpvMediaPlayer::volume() const
{
    return d->volume;
}

std::optional<QString> MpvMediaPlayer::itemInfo(const QString &name) const
{
    if (!d->hasItem)
        return std::nullopt;
    if (name.compare(QLatin1String("Bitrate"), Qt::CaseInsensitive) == 0)
        return d->bitrate ? QString::number(*d->bitrate) : QString();
    const NowPlaying now = *nowPlaying();
    if (name.compare(QLatin1String("Author"), Qt::CaseInsensitive) == 0)
        return now.author();
    if (name.compare(QLatin1String("Title"), Qt::CaseInsensitive) == 0)
        return now.title;
    return std::nullopt;
}

std::optional<NowPlaying> MpvMediaPlayer::nowPlaying() const
{
    if (!d->hasItem)
        return std::nullopt;
    NowPlaying now = nowPlayingFromTags(d->tags);
    if (now.title.isEmpty() && !d->urlIsNetwork)
        now.title = QFileInfo(d->url).completeBaseName(); // an untagged file: its name
    return now;
}

std::optional<std::pair<double, std::optional<double>>> MpvMediaPlayer::filePosition() const
{
    if (!d->hasItem || !d->mpv || (d->path.isEmpty() ? d->urlIsNetwork : d->pathIsNetwork))
        return std::nullopt;
    // Both read when the status line asks, not observed: the position changes with every
    // audio frame, and so does the length the engine guesses while a file is still read.
    double position = 0;
    if (mpv_get_property(d->mpv, "time-pos", MPV_FORMAT_DOUBLE, &position) < 0)
        return std::nullopt;
    std::optional<double> length;
    if (double value = 0; mpv_get_property(d->mpv, "duration", MPV_FORMAT_DOUBLE, &value) >= 0)
        length = value;
    return std::pair{position, length};
}

std::optional<qint64> MpvMediaPlayer::bandWidth() const
{
    if (!d->hasItem)
        return std::nullopt;
    // Read when the status line asks, not observed: the cache state changes several times a
    // second and each change woke the GUI thread, whether the line was in view or not. The
    // engine works the rate out once a second, and each read wakes its core: the status
    // line's ten reads a second share one answer for half a second.
    const qint64 now = d->clock.nowMs();
    if (d->inputRateReadMs && now - *d->inputRateReadMs < kInputRateReadMs)
        return d->inputRate * 8;
    d->inputRate = 0;
    mpv_node state{};
    if (d->mpv && mpv_get_property(d->mpv, "demuxer-cache-state", MPV_FORMAT_NODE, &state) >= 0) {
        if (const mpv_node *raw = mapValue(state, "raw-input-rate");
            raw && raw->format == MPV_FORMAT_INT64)
            d->inputRate = raw->u.int64;
        mpv_free_node_contents(&state);
    }
    d->inputRateReadMs = now;
    return d->inputRate * 8;
}

std::optional<int> MpvMediaPlayer::bufferingProgress() const
{
    if (!d->hasItem)
        return std::nullopt;
    // Local files are read without a network cache: playing means fully buffered.
    return d->buffering.value_or(d->status == Status::Playing ? 100 : 0);
}

void MpvMediaPlayer::setCapturing(bool on)
{
    if (!d->mpv || on == d->capture.on)
        return;
    d->capture.on = on;
    mpv_set_property_string(d->mpv, "demuxer-max-back-bytes",
                            on ? kCaptureBackBytes : kPlainBackBytes);
    if (on) {
        mpv_observe_property(d->mpv, kObservePlaybackTime, "playback-time", MPV_FORMAT_DOUBLE);
        mpv_observe_property(d->mpv, kObserveCodec, "audio-codec-name", MPV_FORMAT_STRING);
        mpv_observe_property(d->mpv, kObserveCacheState, "demuxer-cache-state", MPV_FORMAT_NODE);
        return;
    }
    // The position changes with every block of audio: followed only while it matters.
    mpv_unobserve_property(d->mpv, kObservePlaybackTime);
    mpv_unobserve_property(d->mpv, kObserveCodec);
    mpv_unobserve_property(d->mpv, kObserveCacheState);
    d->capture.cachedSince.reset();
    d->capture.position.reset();
    d->capture.codec.clear();
}

std::optional<double> MpvMediaPlayer::capturePosition() const
{
    return d->capture.position;
}

std::optional<double> MpvMediaPlayer::cachedSince() const
{
    return d->capture.cachedSince;
}

QString MpvMediaPlayer::captureCodec() const
{
    return d->capture.codec;
}

void MpvMediaPlayer::dumpCache(double start, std::optional<double> end, const QString &path,
                               DumpDone done)
{
    if (!d->mpv) {
        if (done)
            done(false);
        return;
    }
    const quint64 id = d->capture.nextDump++;
    d->capture.dumps.emplace(id, std::move(done));
    // Numbers go to the engine the C way: it is set to the C numeric locale above.
    const QByteArray from = QByteArray::number(start, 'f', 6);
    const QByteArray to = end ? QByteArray::number(*end, 'f', 6) : QByteArray("no");
    const QByteArray file = path.toUtf8();
    const char *argv[] = {"dump-cache", from.constData(), to.constData(), file.constData(),
                          nullptr};
    if (const int rc = mpv_command_async(d->mpv, id, argv); rc < 0) {
        qCWarning(lcEngine) << "mpv dump-cache refused:" << mpv_error_string(rc);
        if (DumpDone refused = d->capture.dumps.take(id))
            refused(false);
    }
}

std::optional<int> MpvMediaPlayer::bufferingCount() const
{
    if (!d->hasItem)
        return std::nullopt;
    return d->status == Status::Playing ? d->bufferingCount : 0;
}
