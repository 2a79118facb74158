// What recording adds while playing: the same local 128 kbps MP3 stream, its title changing
// every 15 s, played through the engine for the same time without and with the recorder,
// each in a process of its own; prints CPU time and private memory of both.
//
//   MORVENA_FIXTURE_DIR=build/release/fixtures bench-recording [--seconds 120]
//
// Private memory (Private_Dirty of /proc/PID/smaps_rollup) leaves out the shared library
// pages every program using Qt and ffmpeg shares.
#include "MpvMediaPlayer.h"
#include "Recorder.h"
#include "SystemClock.h"
#include "TestStreamServer.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <cstdio>
#include <optional>
#include <unistd.h>

namespace {

constexpr int kTitleEveryMs = 15'000;

std::optional<double> rollupMb(qint64 pid, const QByteArray &field)
{
    QFile file(QStringLiteral("/proc/%1/smaps_rollup").arg(pid));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    for (const QByteArray &line : file.readAll().split('\n')) {
        if (line.startsWith(field + ':'))
            return line.mid(field.size() + 1).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return std::nullopt;
}

std::optional<double> cpuSeconds(qint64 pid)
{
    QFile file(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray stat = file.readAll();
    const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 13)
        return std::nullopt;
    const double ticks = static_cast<double>(::sysconf(_SC_CLK_TCK));
    return (fields.at(11).toDouble() + fields.at(12).toDouble()) / ticks;
}

void waitMs(int ms)
{
    QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        QThread::msleep(5);
    }
}

// The child: plays `url`, recording into `folder` when one is given, until killed.
int playChild(const QString &url, const QString &folder)
{
    MpvMediaPlayer engine({QStringLiteral("ao=null")});
    SystemClock clock;
    Recorder recorder(engine, clock, {folder, true});
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &recorder, [&] {
        PlayerSnapshot now;
        now.transport = PlayerSnapshot::Transport::Playing;
        now.channel = {QStringLiteral("Bench"), url, ChannelSource::List};
        now.playback = engine.playback();
        now.song.artist = engine.itemInfo(QStringLiteral("Author")).value_or(QString());
        now.song.title = engine.itemInfo(QStringLiteral("Title")).value_or(QString());
        recorder.update(now);
    });
    poll.start(100); // as often as the status poll that will carry the snapshots
    engine.setUrl(url);
    if (!folder.isEmpty())
        recorder.setOn(true);
    return QCoreApplication::exec();
}

struct Usage {
    double cpuSeconds = -1;
    double privateMb = -1;
    double pssMb = -1;
};

Usage measure(const QString &url, const QString &folder, int seconds, TestStreamServer &server)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--play-child"), url, folder});
    child.waitForStarted();
    const qint64 pid = child.processId();
    for (int ms = 0, song = 1; ms < seconds * 1000; ms += kTitleEveryMs, ++song) {
        server.setSettings(
            {.title = QByteArrayLiteral("Bench Artist - Song ") + QByteArray::number(song)});
        waitMs(std::min(kTitleEveryMs, seconds * 1000 - ms));
    }
    Usage usage{cpuSeconds(pid).value_or(-1), rollupMb(pid, "Private_Dirty").value_or(-1),
                rollupMb(pid, "Pss").value_or(-1)};
    child.terminate();
    if (!child.waitForFinished(5000))
        child.kill();
    child.waitForFinished();
    return usage;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() == 4 && args.at(1) == QLatin1String("--play-child"))
        return playChild(args.at(2), args.at(3));

    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addOption({QStringLiteral("seconds"), QStringLiteral("Playing time per run."),
                      QStringLiteral("n"), QStringLiteral("120")});
    parser.process(app);
    const int seconds = parser.value(QStringLiteral("seconds")).toInt();

    TestStreamServer server;
    if (!server.start()) {
        std::fprintf(stderr, "bench-recording: the stream server did not start\n");
        return 1;
    }
    const QString url = server.url(QStringLiteral("/tone.mp3"));
    QTemporaryDir dir;
    std::printf("Playing %s for %d s, a new title every %d s...\n", qPrintable(url), seconds,
                kTitleEveryMs / 1000);
    const Usage plain = measure(url, QString(), seconds, server);
    const Usage recording = measure(url, dir.path(), seconds, server);
    int files = 0;
    for (const QString &sub : {QStringLiteral("Bench"), QStringLiteral("Bench/Incomplete")})
        files += static_cast<int>(QDir(dir.filePath(sub)).entryList(QDir::Files).size());

    std::printf("\n%-22s %10s %10s %10s\n", "", "playing", "recording", "added");
    const auto row = [](const char *what, double a, double b, const char *unit) {
        std::printf("%-22s %10.2f %10.2f %10.2f %s\n", what, a, b, b - a, unit);
    };
    row("CPU time", plain.cpuSeconds, recording.cpuSeconds, "s");
    row("private dirty", plain.privateMb, recording.privateMb, "MiB");
    row("PSS", plain.pssMb, recording.pssMb, "MiB");
    std::printf("songs saved: %d\n", files);
    return 0;
}
