#include "MpvMediaPlayer.h"

#include "Logging.h"
#include "NowPlaying.h"
#include "PlaylistFetcher.h"
#include "TextDecoding.h"
#include "XmlPlaylist.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QTimer>

#include <mpv/client.h>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include <atomic>
#include <cmath>
#include <optional>
#include <utility>

namespace {

// reply_userdata values: property observations, then load commands tagged with their
// generation so that a late reply of an abandoned load is recognised.
enum Observed : quint64 {
    kObserveBitrate = 1,
    kObserveCacheState,
    kObserveBuffering,
    kObserveMetadata,
    kObserveFileSize,
};
constexpr quint64 kLoadReplyBase = 1000;
// How long after a stream starts playing the memory the previous one freed is given back;
// a burst of tunings gives it back once.
constexpr int kTrimDelayMs = 3000;

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
    {"idle", "yes"}, // stay alive between media
    {"keep-open", "no"},
    {"volume", "50"},
    {"audio-fallback-to-null", "yes"}, // no sound card: keep showing what plays
    {"network-timeout", "10"},         // seconds; the default of 60 hides dead servers
    // mpv's defaults let a live stream's cache grow to 150 MiB (plus 50 MiB behind the
    // play position), about 1 MB a minute for radio; a few seconds ahead is plenty.
    {"cache", "yes"},
    {"cache-secs", "10"},
    {"demuxer-max-bytes", "2MiB"},
    {"demuxer-max-back-bytes", "256KiB"},
    {"user-agent", "Morvena Webradio/2.71"},
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
    Timings timings;
    std::atomic<bool> wakeupQueued{false};

    QString url; // as written, also after close()
    int volume = 50;
    bool hasItem = false;
    Status status = Status::Idle;
    QString error;

    // The media being opened: one entry for a plain URL, several for an XML playlist.
    QStringList entries;
    int entryIndex = 0;
    quint64 generation = 0; // bumped by every write, stop and close
    qint64 entryId = -1;    // mpv's playlist entry of our load
    qint64 insertedFirst = -1;
    qint64 insertedLast = -1; // entries mpv added for a pls/m3u it expanded
    bool audioSeen = false;   // since this (re)open
    bool reconnecting = false;
    int silentReconnects = 0;
    int retryDelayMs = 0;
    int httpStatus = 0;
    int bufferingCount = 0;
    std::optional<QString> pendingEnd; // an end of the current media not yet acted on

    std::optional<qint64> bitrate;
    std::optional<qint64> inputRate;
    std::optional<int> buffering;
    // A live stream has no length; libmpv estimates a duration even for one, so the
    // size the server announced is what tells a finished download from a dropped stream.
    bool sizeKnown = false;
    QHash<QString, QString> tags;

    QTimer watchdog;
    QTimer retryTimer;
    QTimer trimTimer;
    PlaylistFetcher fetcher;

    void setStatus(Status s)
    {
        if (status == s)
            return;
        status = s;
        emit q->statusChanged(s);
    }

    void clearFigures()
    {
        bitrate.reset();
        inputRate.reset();
        buffering.reset();
        sizeKnown = false;
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
        watchdog.stop();
        retryTimer.stop();
        fetcher.cancel();
        entryId = insertedFirst = insertedLast = -1;
        pendingEnd.reset();
        reconnecting = false;
        error.clear();
        clearFigures();
    }

    void command(std::initializer_list<const char *> args, quint64 userdata = 0)
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
        entryIndex = 0;
        silentReconnects = 0;
        retryDelayMs = timings.firstRetryMs;
        loadEntry();
    }

    void loadEntry()
    {
        entryId = insertedFirst = insertedLast = -1;
        audioSeen = false;
        httpStatus = 0;
        clearFigures();
        clearTags();
        const QByteArray target = entries.at(entryIndex).toUtf8();
        command({"loadfile", target.constData(), "replace"}, kLoadReplyBase + generation);
        watchdog.start(timings.watchdogMs);
        setStatus(reconnecting ? Status::Reconnecting : Status::Opening);
    }

    void fail(const QString &reason)
    {
        watchdog.stop();
        retryTimer.stop();
        reconnecting = false;
        clearFigures();
        command({"stop"});
        error = reason;
        qCDebug(lcEngine) << "failed:" << url << reason;
        setStatus(Status::Failed);
        emit q->failed(reason);
    }

    void scheduleReconnect()
    {
        reconnecting = true;
        clearFigures();
        setStatus(Status::Reconnecting);
        qCDebug(lcEngine) << "reconnecting in" << retryDelayMs << "ms";
        retryTimer.start(retryDelayMs);
        retryDelayMs = std::min(retryDelayMs * 2, timings.maxRetryMs);
    }

    // The current open ended, with or without having played.
    void onEnded(const QString &reason)
    {
        watchdog.stop();
        if (httpStatus == 403 || httpStatus == 404 || httpStatus == 410) {
            fail(QStringLiteral("The server answered HTTP %1.").arg(httpStatus));
            return;
        }
        if (!audioSeen) {
            if (reconnecting) {
                if (++silentReconnects >= timings.maxSilentReconnects)
                    fail(QStringLiteral("The stream did not come back: %1").arg(reason));
                else
                    scheduleReconnect();
                return;
            }
            if (entryIndex + 1 < entries.size()) {
                ++entryIndex; // a dead entry of a playlist falls through to the next
                loadEntry();
                return;
            }
            fail(reason);
            return;
        }
        // It played and then ended: a live stream dropped, or a file came to its end.
        if (isNetworkLocation(entries.at(entryIndex)) && !sizeKnown) {
            scheduleReconnect();
            return;
        }
        clearFigures();
        setStatus(Status::Idle);
    }

    void onWatchdog()
    {
        command({"stop"}); // its end-of-file event carries "stopped" and is ignored
        onEnded(QStringLiteral("No audio arrived within %1 s.").arg(timings.watchdogMs / 1000));
    }

    void onAudio()
    {
        watchdog.stop();
        audioSeen = true;
        reconnecting = false;
        silentReconnects = 0;
        retryDelayMs = timings.firstRetryMs;
        ++bufferingCount;
        setStatus(Status::Playing);
        emit q->audioStarted();
        trimTimer.start(kTrimDelayMs);
    }

    // glibc raises its mmap threshold to the size of every large block freed, so after the
    // first stream is closed its multi-megabyte buffers come from a thread's arena, which
    // keeps the high-water mark of overlapping openings for good: zapping fast added 17 MiB.
    // A fixed threshold keeps them mapped and unmapped whole. Set once, before mpv's threads.
    static void keepLargeBuffersOutOfTheHeap()
    {
#if defined(__GLIBC__)
        static const bool set = [] {
            return mallopt(M_MMAP_THRESHOLD, 256 * 1024) == 1;
        }();
        if (!set)
            qCWarning(lcEngine) << "the malloc mmap threshold could not be set";
#endif
    }

    // A stream's demuxer cache and decoder buffers are freed on mpv's threads, and their
    // malloc arenas keep the pages: without this, a day of zapping ratchets the resident
    // size up by ten megabytes or more. Once the new stream has settled, hand them back.
    static void releaseFreedMemory()
    {
#if defined(__GLIBC__)
        QElapsedTimer took;
        took.start();
        malloc_trim(0);
        qCDebug(lcEngine) << "returned freed memory in" << took.elapsed() << "ms";
#endif
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
                             ? QStringLiteral("The stream could not be played (%1).")
                                   .arg(QString::fromUtf8(mpv_error_string(end.error)))
                             : QStringLiteral("The stream ended.");
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
            onEnded(QStringLiteral("The address could not be opened (%1).")
                        .arg(QString::fromUtf8(mpv_error_string(event.error))));
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
        if (entryId < 0 && insertedFirst < 0 && status != Status::Idle && status != Status::Failed)
            entryId = start.playlist_entry_id;
    }

    void onProperty(quint64 id, const mpv_event_property &p)
    {
        switch (id) {
        case kObserveBitrate:
            if (p.format == MPV_FORMAT_DOUBLE)
                bitrate = std::llround(*static_cast<double *>(p.data));
            else
                bitrate.reset();
            break;
        case kObserveCacheState: {
            inputRate.reset();
            if (p.format != MPV_FORMAT_NODE)
                break;
            const mpv_node *rate = mapValue(*static_cast<mpv_node *>(p.data), "raw-input-rate");
            if (rate && rate->format == MPV_FORMAT_INT64)
                inputRate = rate->u.int64;
            break;
        }
        case kObserveBuffering:
            if (p.format == MPV_FORMAT_INT64)
                buffering = static_cast<int>(*static_cast<int64_t *>(p.data));
            else
                buffering.reset();
            break;
        case kObserveFileSize:
            // Latched until the next open: the size is gone again by the time the end of
            // the file is reported.
            sizeKnown = sizeKnown || p.format == MPV_FORMAT_INT64;
            break;
        case kObserveMetadata: {
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
            break;
        }
        default:
            break;
        }
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
                onCommandReply(*event);
                break;
            case MPV_EVENT_START_FILE:
                onStartFile(*static_cast<mpv_event_start_file *>(event->data));
                break;
            case MPV_EVENT_END_FILE:
                onEndFile(*static_cast<mpv_event_end_file *>(event->data));
                break;
            case MPV_EVENT_PLAYBACK_RESTART:
                if (!audioSeen && (status == Status::Opening || status == Status::Reconnecting))
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
        fail(fetchError.isEmpty()
                 ? QStringLiteral("The playlist lists nothing to play.")
                 : QStringLiteral("The playlist could not be read: %1").arg(fetchError));
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
    d->watchdog.setSingleShot(true);
    d->trimTimer.setSingleShot(true);
    connect(&d->trimTimer, &QTimer::timeout, this, &Private::releaseFreedMemory);
    d->retryTimer.setSingleShot(true);
    connect(&d->watchdog, &QTimer::timeout, this, [this] { d->onWatchdog(); });
    connect(&d->retryTimer, &QTimer::timeout, this, [this] { d->loadEntry(); });
    connect(&d->fetcher, &PlaylistFetcher::finished, this,
            [this](const QUrl &u, const QByteArray &data, const QString &error) {
                d->onFetched(u, data, error);
            });

    Private::keepLargeBuffersOutOfTheHeap();
    mpv_handle *mpv = mpv_create();
    if (!mpv) {
        qCWarning(lcEngine) << "libmpv could not be created";
        return;
    }
    for (const auto &[name, value] : kOptions) {
        if (const int rc = mpv_set_option_string(mpv, name, value); rc < 0)
            qCWarning(lcEngine) << "mpv option" << name << "refused:" << mpv_error_string(rc);
    }
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
    mpv_observe_property(mpv, kObserveCacheState, "demuxer-cache-state", MPV_FORMAT_NODE);
    mpv_observe_property(mpv, kObserveBuffering, "cache-buffering-state", MPV_FORMAT_INT64);
    mpv_observe_property(mpv, kObserveMetadata, "metadata", MPV_FORMAT_NODE);
    mpv_observe_property(mpv, kObserveFileSize, "duration", MPV_FORMAT_DOUBLE);
    mpv_set_wakeup_callback(mpv, &Private::wakeup, d.get());
}

MpvMediaPlayer::~MpvMediaPlayer()
{
    if (!d->mpv)
        return;
    mpv_set_wakeup_callback(d->mpv, nullptr, nullptr);
    mpv_terminate_destroy(d->mpv);
    d->mpv = nullptr;
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
    d->timings = timings;
}

QString MpvMediaPlayer::url() const
{
    return d->url;
}

void MpvMediaPlayer::setUrl(const QString &url)
{
    d->abandon();
    d->url = url;
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
        d->setStatus(Status::Opening);
        QTimer::singleShot(0, this, [this, generation = d->generation] {
            if (generation == d->generation)
                d->fail(QStringLiteral("This address cannot be played: only files and "
                                       "http, https, mms, rtsp and rtmp streams can."));
        });
        return;
    }
    if (!XmlPlaylist::isXmlPlaylist(url)) {
        d->start({url});
        return;
    }
    // libmpv cannot read Windows Media's XML playlists: read the entries ourselves.
    d->command({"stop"});
    d->setStatus(Status::Opening);
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
    NowPlaying now = nowPlayingFromTags(d->tags);
    if (now.title.isEmpty() && !isNetworkLocation(d->url))
        now.title = QFileInfo(d->url).completeBaseName(); // an untagged file: its name
    if (name.compare(QLatin1String("Author"), Qt::CaseInsensitive) == 0)
        return now.author;
    if (name.compare(QLatin1String("Title"), Qt::CaseInsensitive) == 0)
        return now.title;
    return std::nullopt;
}

std::optional<qint64> MpvMediaPlayer::bandWidth() const
{
    if (!d->hasItem)
        return std::nullopt;
    return d->inputRate.value_or(0) * 8;
}

std::optional<int> MpvMediaPlayer::bufferingProgress() const
{
    if (!d->hasItem)
        return std::nullopt;
    // Local files are read without a network cache: playing means fully buffered.
    return d->buffering.value_or(d->status == Status::Playing ? 100 : 0);
}

std::optional<int> MpvMediaPlayer::bufferingCount() const
{
    if (!d->hasItem)
        return std::nullopt;
    return d->status == Status::Playing ? d->bufferingCount : 0;
}
