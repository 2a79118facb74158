// How long the engine keeps the caller's event loop from running while it tunes, fails
// and opens playlists, and how long setUrl(), stop() and close() take, against the local
// test stream server. The tests only catch freezes of a second or more; these figures are
// the ones to watch on a quiet machine (aim: every one under 100 ms).
//
//   MORVENA_FIXTURE_DIR=build/release/fixtures bench-stalls [--runs 3]
#include "Measures.h"
#include "MpvMediaPlayer.h"
#include "TestStreamServer.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTimer>

#include <algorithm>
#include <cstdio>

namespace {

using Mode = TestStreamServer::Mode;

struct Figures {
    qint64 setUrl = 0, stall = 0, stop = 0, close = 0;
    bool ok = false;
    bool audio = false;
    void maxWith(const Figures &o)
    {
        setUrl = std::max(setUrl, o.setUrl);
        stall = std::max(stall, o.stall);
        stop = std::max(stop, o.stop);
        close = std::max(close, o.close);
        ok = o.ok;
        audio = o.audio;
    }
};

/// Tunes to `path` on `server` in the given mode, waits for audio (or the failure), then
/// stops and closes.
Figures measure(TestStreamServer &server, Mode mode, const QString &path, bool refused)
{
    server.setSettings({.mode = mode});
    if (refused)
        server.stop();
    MpvMediaPlayer player(QStringList{QStringLiteral("ao=null")});
    player.setTimings({.watchdogMs = 3000});
    QSignalSpy failed(&player, &MpvMediaPlayer::failed);
    QSignalSpy audio(&player, &MpvMediaPlayer::audioStarted);
    Figures f;
    StallMonitor stalls;
    f.setUrl = millisecondsTaken([&] { player.setUrl(server.url(path)); });
    QElapsedTimer deadline;
    deadline.start();
    while (failed.isEmpty() && audio.isEmpty() && deadline.elapsed() < 15'000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    f.ok = !audio.isEmpty() || !failed.isEmpty();
    f.audio = !audio.isEmpty();
    f.stall = stalls.longestMs();
    f.stop = millisecondsTaken([&] { player.stop(); });
    f.close = millisecondsTaken([&] { player.close(); });
    if (refused)
        server.start(server.port());
    return f;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addOption({QStringLiteral("runs"), QStringLiteral("Runs of each case."),
                      QStringLiteral("n"), QStringLiteral("3")});
    parser.process(app);
    const int runs = std::max(1, parser.value(QStringLiteral("runs")).toInt());

    TestStreamServer server;
    if (!server.start()) {
        std::fprintf(stderr, "cannot start the stream server\n");
        return 1;
    }
    const QByteArray stream = server.url(QStringLiteral("/tone.mp3")).toUtf8();
    server.addDocument(QStringLiteral("/list.pls"),
                       {"[playlist]\nNumberOfEntries=1\nFile1=" + stream + "\n"});
    server.addDocument(QStringLiteral("/list.m3u"), {"#EXTM3U\n" + stream + "\n"});
    server.addDocument(QStringLiteral("/list.asx"),
                       {"<asx><entry><ref href=\"http://127.0.0.1:1/dead.mp3\"/></entry>"
                        "<entry><ref href=\"" +
                        stream + "\"/></entry></asx>"});

    struct Case {
        const char *name;
        Mode mode;
        const char *path;
        bool refused;
    };
    const Case cases[] = {
        {"tune mp3", Mode::Normal, "/tone.mp3", false},
        {"tune ogg", Mode::Normal, "/tone.ogg", false},
        {"404", Mode::NotFound, "/tone.mp3", false},
        {"refused", Mode::Normal, "/tone.mp3", true},
        {"garbage", Mode::Garbage, "/tone.mp3", false},
        {"hang", Mode::Hang, "/tone.mp3", false},
        {"trickle", Mode::Trickle, "/tone.mp3", false},
        {"pls", Mode::Normal, "/list.pls", false},
        {"m3u", Mode::Normal, "/list.m3u", false},
        {"asx, dead first entry", Mode::Normal, "/list.asx", false},
    };
    std::printf("worst of %d runs, ms\n%-24s %7s %12s %6s %6s  %s\n", runs, "case", "setUrl",
                "loop stall", "stop", "close", "outcome");
    for (const Case &c : cases) {
        Figures worst;
        for (int i = 0; i < runs; ++i)
            worst.maxWith(measure(server, c.mode, QString::fromLatin1(c.path), c.refused));
        std::printf("%-24s %7lld %12lld %6lld %6lld  %s\n", c.name, worst.setUrl, worst.stall,
                    worst.stop, worst.close,
                    !worst.ok     ? "none in 15 s"
                    : worst.audio ? "audio"
                                  : "failed");
    }
    return 0;
}
