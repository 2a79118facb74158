// How long a 3 s outage of a live stream keeps the listener in silence: the engine plays
// a local stream, the server goes away for 3 s and comes back on the same port, and the
// clock runs to the first decoded audio after it. Prints each run and the median.
//
//   bench-outage [--runs 5] [--outage-ms 3000]
#include "Measures.h"
#include "MpvMediaPlayer.h"
#include "TestStreamServer.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <cstdio>

namespace {

// Runs the event loop until `done` holds or `ms` pass; false on a timeout.
template<typename Done>
bool waitFor(Done done, int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return done();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("runs"), QStringLiteral("Outages to time."),
                      QStringLiteral("n"), QStringLiteral("5")});
    parser.addOption({QStringLiteral("outage-ms"), QStringLiteral("Length of each outage."),
                      QStringLiteral("ms"), QStringLiteral("3000")});
    parser.process(app);
    const int runs = parser.value(QStringLiteral("runs")).toInt();
    const int outageMs = parser.value(QStringLiteral("outage-ms")).toInt();

    TestStreamServer server;
    if (!server.start()) {
        std::fprintf(stderr, "bench-outage: no stream server\n");
        return 1;
    }
    MpvMediaPlayer engine({QStringLiteral("ao=null")});
    int audioStarts = 0;
    QObject::connect(&engine, &MpvMediaPlayer::audioStarted, [&audioStarts] { ++audioStarts; });
    engine.setUrl(server.url(QStringLiteral("/tone.mp3")));
    if (!waitFor([&] { return audioStarts == 1; }, 10'000)) {
        std::fprintf(stderr, "bench-outage: the stream did not start\n");
        return 1;
    }

    QList<double> afterReturn;
    QList<double> total;
    for (int run = 1; run <= runs; ++run) {
        waitFor([] { return false; }, 2000); // let the stream settle
        const int before = audioStarts;
        const quint16 port = server.port();
        QElapsedTimer outage;
        outage.start();
        server.stop();
        waitFor([] { return false; }, outageMs);
        server.start(port);
        QElapsedTimer back;
        back.start();
        if (!waitFor([&] { return audioStarts > before; }, 60'000)) {
            std::fprintf(stderr, "bench-outage: no audio after the outage\n");
            return 1;
        }
        afterReturn.append(back.elapsed());
        total.append(outage.elapsed());
        std::printf("run %d: silence after the server is back %lld ms, from the drop %lld ms\n",
                    run, back.elapsed(), outage.elapsed());
    }
    std::printf("median silence after the server is back: %.0f ms\n", median(afterReturn));
    std::printf("median silence from the drop: %.0f ms\n", median(total));
    return 0;
}
