// Plays the same local 128 kbps MP3 stream through the player's engine and through the
// mpv command-line player (the engine with the thinnest front end: our floor), and prints
// CPU time, memory and time to first decoded audio for both.
//
//   bench-engine [--seconds 60] [--runs 5]
//
// CPU and memory: each player runs in a process of its own with audio to the null output;
// the driver samples /proc for both the same way. First audio: each player gets the
// stream's URL while idle and writes decoded audio to a file; the clock runs from the
// load command to the first byte in that file.
#include "Measures.h"
#include "MpvMediaPlayer.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <unistd.h>

namespace {

struct Usage {
    double cpuSeconds = 0;
    double peakRssMb = 0;
    double rssAtWarmupMb = 0;
    double rssAtHalfMb = 0;
    double finalRssMb = 0;
};

std::optional<double> statusField(qint64 pid, const QByteArray &field)
{
    QFile file(QStringLiteral("/proc/%1/status").arg(pid));
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
    // Fields after the parenthesised command name; utime and stime are the 14th and 15th.
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

// Runs `program` for `seconds` and samples it the same way whatever it is.
Usage measureProcess(const QString &program, const QStringList &args, int seconds)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.start(program, args);
    process.waitForStarted();
    const qint64 pid = process.processId();
    Usage usage;
    constexpr int kWarmupSeconds = 10;
    for (int second = 1; second <= seconds; ++second) {
        waitMs(1000);
        const double rss = statusField(pid, "VmRSS").value_or(0);
        if (second == std::min(kWarmupSeconds, seconds))
            usage.rssAtWarmupMb = rss;
        if (second == seconds / 2)
            usage.rssAtHalfMb = rss;
        usage.finalRssMb = rss;
    }
    usage.cpuSeconds = cpuSeconds(pid).value_or(-1);
    usage.peakRssMb = statusField(pid, "VmHWM").value_or(-1);
    process.terminate();
    if (!process.waitForFinished(5000))
        process.kill();
    process.waitForFinished();
    return usage;
}

// Polls a file until it holds bytes; answers the milliseconds since `clock` started.
double waitForBytes(const QString &path, const QElapsedTimer &clock)
{
    const QDeadlineTimer deadline(20'000);
    while (!deadline.hasExpired()) {
        if (QFileInfo(path).size() > 0)
            return static_cast<double>(clock.nsecsElapsed()) / 1e6;
        QThread::usleep(500);
    }
    return -1;
}

// The mpv command-line player, idle, told to load the URL through its IPC socket.
double cliFirstAudioMs(const QString &url, const QTemporaryDir &dir, int run)
{
    const QString pcm = dir.filePath(QStringLiteral("cli-%1.pcm").arg(run));
    const QString socketPath = dir.filePath(QStringLiteral("cli-%1.sock").arg(run));
    QProcess mpv;
    mpv.setStandardOutputFile(QProcess::nullDevice());
    mpv.setStandardErrorFile(QProcess::nullDevice());
    mpv.start(QStringLiteral("mpv"),
              {QStringLiteral("--no-config"), QStringLiteral("--no-video"),
               QStringLiteral("--idle=yes"), QStringLiteral("--ao=pcm"),
               QStringLiteral("--ao-pcm-waveheader=no"), QStringLiteral("--ao-pcm-file=") + pcm,
               QStringLiteral("--input-ipc-server=") + socketPath});
    QLocalSocket socket;
    const QDeadlineTimer deadline(10'000);
    while (!deadline.hasExpired()) {
        socket.connectToServer(socketPath);
        if (socket.waitForConnected(100))
            break;
        QThread::msleep(20);
    }
    double ms = -1;
    if (socket.state() == QLocalSocket::ConnectedState) {
        QElapsedTimer clock;
        clock.start();
        socket.write(R"({"command":["loadfile",")" + url.toUtf8() + "\"]}\n");
        socket.waitForBytesWritten(1000);
        ms = waitForBytes(pcm, clock);
    }
    mpv.terminate();
    mpv.waitForFinished(5000);
    return ms;
}

// Our engine in a child process, told to load the URL once it is up.
double engineFirstAudioMs(const QString &url, const QTemporaryDir &dir, int run)
{
    const QString pcm = dir.filePath(QStringLiteral("engine-%1.pcm").arg(run));
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--first-audio-child"), url, pcm});
    child.waitForFinished(30'000);
    return child.readAllStandardOutput().trimmed().toDouble();
}

int firstAudioChild(const QString &url, const QString &pcm)
{
    MpvMediaPlayer engine({QStringLiteral("ao=pcm"), QStringLiteral("ao-pcm-waveheader=no"),
                           QStringLiteral("ao-pcm-file=") + pcm});
    QElapsedTimer clock;
    clock.start();
    engine.setUrl(url);
    // Poll from a thread of its own so the engine's events keep flowing meanwhile.
    double ms = -1;
    QThread *poller = QThread::create([&] { ms = waitForBytes(pcm, clock); });
    QObject::connect(poller, &QThread::finished, qApp, &QCoreApplication::quit);
    poller->start();
    QCoreApplication::exec();
    poller->wait();
    delete poller;
    std::printf("%.1f\n", ms);
    return 0;
}

int playChild(const QString &url)
{
    MpvMediaPlayer engine({QStringLiteral("ao=null")});
    engine.setUrl(url);
    return QCoreApplication::exec();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    const QStringList args = QCoreApplication::arguments();
    if (args.size() == 4 && args.at(1) == QLatin1String("--first-audio-child"))
        return firstAudioChild(args.at(2), args.at(3));
    if (args.size() == 3 && args.at(1) == QLatin1String("--play-child"))
        return playChild(args.at(2));

    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addOption({QStringLiteral("seconds"), QStringLiteral("Playing time per player."),
                      QStringLiteral("n"), QStringLiteral("60")});
    parser.addOption({QStringLiteral("runs"), QStringLiteral("First-audio repetitions."),
                      QStringLiteral("n"), QStringLiteral("5")});
    parser.process(app);
    const int seconds = parser.value(QStringLiteral("seconds")).toInt();
    const int runs = parser.value(QStringLiteral("runs")).toInt();
    if (QStandardPaths::findExecutable(QStringLiteral("mpv")).isEmpty()) {
        std::fprintf(stderr, "bench-engine: the mpv command-line player is not installed\n");
        return 1;
    }

    QProcess server;
    server.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    server.start(QCoreApplication::applicationDirPath() +
                     QStringLiteral("/../tests/support/morvena-streamserver"),
                 {QStringLiteral("--fixtures"),
                  QCoreApplication::applicationDirPath() + QStringLiteral("/../fixtures")});
    if (!server.waitForReadyRead(10'000)) {
        std::fprintf(stderr, "bench-engine: the stream server did not start\n");
        return 1;
    }
    const QString url =
        QStringLiteral("http://127.0.0.1:%1/tone.mp3").arg(server.readLine().trimmed().toInt());

    QTemporaryDir dir;
    QList<double> engineMs;
    QList<double> cliMs;
    for (int run = 0; run < runs; ++run) {
        engineMs.append(engineFirstAudioMs(url, dir, run));
        cliMs.append(cliFirstAudioMs(url, dir, run));
    }

    std::printf("Playing %s for %d s per player...\n", qPrintable(url), seconds);
    const Usage engine = measureProcess(QCoreApplication::applicationFilePath(),
                                        {QStringLiteral("--play-child"), url}, seconds);
    const Usage cli =
        measureProcess(QStringLiteral("mpv"),
                       {QStringLiteral("--no-config"), QStringLiteral("--no-video"),
                        QStringLiteral("--ao=null"), QStringLiteral("--really-quiet"), url},
                       seconds);

    server.terminate();
    server.waitForFinished(5000);

    auto row = [](const char *what, double ours, double floor, const char *unit) {
        std::printf("%-34s %10.2f %10.2f %s   ratio %.2f\n", what, ours, floor, unit,
                    floor > 0 ? ours / floor : 0.0);
    };
    std::printf("\n%-34s %10s %10s\n", "", "engine", "mpv CLI");
    row("CPU time", engine.cpuSeconds, cli.cpuSeconds, "s");
    row("peak RSS", engine.peakRssMb, cli.peakRssMb, "MiB");
    row("RSS growth after 10 s", engine.finalRssMb - engine.rssAtWarmupMb,
        cli.finalRssMb - cli.rssAtWarmupMb, "MiB");
    row("RSS growth, second half", engine.finalRssMb - engine.rssAtHalfMb,
        cli.finalRssMb - cli.rssAtHalfMb, "MiB");
    row("first audio (median)", median(engineMs), median(cliMs), "ms");
    return 0;
}
