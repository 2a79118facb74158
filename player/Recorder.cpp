#include "Recorder.h"

#include "Clock.h"
#include "RecordingNames.h"
#include "SettingsStore.h"
#include "SongTags.h"
#include "StreamCapture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QStandardPaths>
#include <QUrl>

namespace {

// The play position is read when a snapshot arrives, up to a status poll after the title
// changed; a song whose start the cache holds this nearly is taken as held whole.
constexpr double kStartSlackSeconds = 0.5;

} // namespace

RecorderOptions RecorderOptions::load(const SettingsStore &store, const QString &app,
                                      const QString &section)
{
    RecorderOptions options;
    options.folder = store.getSetting(app, section, kFolderKey, {}).trimmed();
    if (options.folder.isEmpty()) {
        QString music = QStandardPaths::writableLocation(QStandardPaths::MusicLocation);
        if (music.isEmpty())
            music = QDir::home().filePath(QStringLiteral("Music"));
        options.folder = QDir(music).filePath(QStringLiteral("Morvena Webradio"));
    }
    options.keepIncomplete = store.getSetting(app, section, kIncompleteKey, QStringLiteral("keep"))
                                 .trimmed()
                                 .compare(QLatin1String("drop"), Qt::CaseInsensitive) != 0;
    return options;
}

Recorder::Recorder(StreamCapture &capture, const Clock &clock, RecorderOptions options,
                   QObject *parent)
    : QObject(parent)
    , m_capture(capture)
    , m_clock(clock)
    , m_options(std::move(options))
{}

Recorder::~Recorder() = default;

QString Recorder::text() const
{
    return isOn() ? tr("Recording") : QString();
}

void Recorder::setOn(bool on)
{
    if (on == isOn())
        return;
    if (on) {
        m_capture.setCapturing(true);
        apply(m_cutter.start(m_last, m_capture.capturePosition()));
        if (isOn()) // a fault on the first song has already said it stopped
            emit onChanged(true);
        return;
    }
    apply(m_cutter.stop());
    // An empty name ends the continuous dump of the song being recorded.
    run({0, 0, QString(), nullptr});
    emit onChanged(false);
}

void Recorder::toggle()
{
    setOn(!isOn());
}

void Recorder::update(const PlayerSnapshot &now)
{
    m_last = now;
    if (isOn())
        apply(m_cutter.update(now, m_capture.capturePosition()));
}

void Recorder::apply(const QList<SongCutter::Cut> &cuts)
{
    for (const SongCutter::Cut &cut : cuts) {
        if (!isOn() && cut.kind == SongCutter::Cut::Kind::Begin)
            return; // a fault ended recording on the way
        switch (cut.kind) {
        case SongCutter::Cut::Kind::Begin:
            begin(cut.take);
            break;
        case SongCutter::Cut::Kind::End:
            end(cut.take, cut.end);
            break;
        case SongCutter::Cut::Kind::Break:
            if (const int id = findTake(cut.take); id > 0) {
                m_files[id].fate = m_options.keepIncomplete ? Fate::Incomplete : Fate::Drop;
                settle(id);
            }
            break;
        }
    }
}

void Recorder::begin(const SongCutter::Take &take)
{
    const QString codec = m_capture.captureCodec();
    const QString extension = RecordingNames::extensionForCodec(codec);
    if (extension.isEmpty()) {
        fault(codec.isEmpty()
                  ? tr("Recording stopped: the stream's format is not known.")
                  : tr("Recording stopped: streams in this format (%1) cannot be recorded.")
                        .arg(codec));
        return;
    }
    const QString folder = channelFolder(take.channel);
    if (!QDir().mkpath(folder) || !QFileInfo(folder).isWritable()) {
        fault(tr("Recording stopped: the folder \"%1\" cannot be written to.").arg(folder));
        return;
    }
    const int id = m_nextId++;
    // Hidden and numbered: a file left behind by a fault is plainly not a finished song.
    const QString part =
        QDir(folder).filePath(QStringLiteral(".recording-%1.%2").arg(id).arg(extension));
    m_files.insert(id, {take, folder, extension, part});
    run({take.start, std::nullopt, part, [this, id](bool ok) {
             const auto found = m_files.find(id);
             if (found == m_files.end())
                 return;
             found->partEnded = true;
             if (!ok && found->fate == Fate::Open)
                 fault(tr("Recording stopped: the song could not be written to \"%1\" (the disk "
                          "may be full).")
                           .arg(found->folder));
             settle(id);
         }});
}

void Recorder::end(const SongCutter::Take &take, double at)
{
    const int id = findTake(take);
    if (id <= 0)
        return;
    TakeFile &file = m_files[id];
    const std::optional<double> since = m_capture.cachedSince();
    const bool cached = since && *since <= take.start + kStartSlackSeconds;
    if (!cached || (!take.whole && !m_options.keepIncomplete)) {
        // A song longer than the cache holds: what the continuous dump has is all there is.
        file.fate = m_options.keepIncomplete ? Fate::Incomplete : Fate::Drop;
        settle(id);
        return;
    }
    file.fate = Fate::Save;
    const QString folder = take.whole ? file.folder : QDir(file.folder).filePath(kIncompleteFolder);
    const QString cut =
        QDir(file.folder)
            .filePath(QStringLiteral(".recording-%1.%2").arg(m_nextId++).arg(file.extension));
    const QString extension = file.extension;
    // The cut comes from the cache, so it ends where the next title began; this ends the
    // continuous dump, whose file then goes.
    run({take.start, at, cut, [this, cut, folder, take, extension](bool ok) {
             if (!ok || QFileInfo(cut).size() <= 0) {
                 QFile::remove(cut);
                 fault(tr("Recording stopped: the song could not be written to \"%1\" (the "
                          "disk may be full).")
                           .arg(QFileInfo(cut).absolutePath()));
                 return;
             }
             finish(cut, folder, take, extension);
         }});
    settle(id);
}

void Recorder::settle(int id)
{
    const auto found = m_files.find(id);
    if (found == m_files.end() || found->fate == Fate::Open || !found->partEnded)
        return;
    const TakeFile file = *found;
    m_files.erase(found);
    if (file.fate == Fate::Incomplete)
        keepIncomplete(file);
    else
        QFile::remove(file.partPath); // in a folder that refuses, it stays hidden and marked
    releaseIfIdle();
}

void Recorder::keepIncomplete(const TakeFile &file)
{
    if (QFileInfo(file.partPath).size() <= 0) {
        QFile::remove(file.partPath);
        return;
    }
    finish(file.partPath, QDir(file.folder).filePath(kIncompleteFolder), file.take, file.extension);
}

bool Recorder::finish(const QString &from, const QString &folder, const SongCutter::Take &take,
                      const QString &extension)
{
    // Tags first, while the file is still hidden: a song appears only once it is complete.
    // A file TagLib cannot tag is still the stream as it came, so it is kept untagged.
    SongTags::write(from,
                    {take.song.artist, take.song.title, take.channel.name, m_clock.now().date()});
    const QString name = RecordingNames::safeName(take.song.text());
    if (QDir().mkpath(folder)) {
        const QString target = RecordingNames::freePath(folder, name, extension);
        if (QFile::rename(from, target)) {
            emit saved(target);
            return true;
        }
    }
    QFile::remove(from);
    fault(tr("Recording stopped: the folder \"%1\" cannot be written to.").arg(folder));
    return false;
}

void Recorder::fault(const QString &message)
{
    if (!isOn())
        return; // one message: the first fault already ended recording
    m_cutter.stop();
    for (auto &file : m_files) {
        if (file.fate == Fate::Open)
            file.fate = Fate::Drop;
    }
    run({0, 0, QString(), nullptr});
    const QList<int> ids = m_files.keys();
    for (const int id : ids)
        settle(id);
    emit failed(message);
    emit onChanged(false);
}

void Recorder::run(Dump dump)
{
    if (m_dumping) {
        m_waiting.append(std::move(dump));
        return;
    }
    // A dump with an end (or the empty one that stops dumping) would end one still being
    // written: those wait for each other. A continuous dump is ended on purpose by the next.
    const bool finite = dump.end.has_value();
    m_dumping = finite;
    QPointer<Recorder> self(this);
    m_capture.dumpCache(dump.start, dump.end, dump.path,
                        [self, finite, done = std::move(dump.done)](bool ok) {
                            if (!self)
                                return;
                            if (finite)
                                self->m_dumping = false;
                            if (done)
                                done(ok);
                            if (finite)
                                self->next();
                        });
}

void Recorder::next()
{
    while (!m_dumping && !m_waiting.isEmpty())
        run(m_waiting.takeFirst());
    releaseIfIdle();
}

void Recorder::releaseIfIdle()
{
    // The large cache stays until the last song is out of it.
    if (!isOn() && !m_dumping && m_waiting.isEmpty() && m_files.isEmpty())
        m_capture.setCapturing(false);
}

int Recorder::findTake(const SongCutter::Take &take) const
{
    for (auto it = m_files.cbegin(); it != m_files.cend(); ++it) {
        if (it->fate == Fate::Open && it->take == take)
            return it.key();
    }
    return 0;
}

QString Recorder::channelFolder(const Channel &channel) const
{
    const QString name = channel.name.isEmpty() ? QUrl(channel.url).host() : channel.name;
    return QDir(m_options.folder).filePath(RecordingNames::safeName(name));
}
