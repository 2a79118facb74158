// CPU taken by a run of popups: `count` popups shown `gap` ms apart (as titles arriving in
// a row), timed from the first until the last has closed itself. Prints the process's CPU
// seconds, the wall time and their ratio, with the same wall time idle as a baseline.
// Runs on whatever platform QT_QPA_PLATFORM names (xcb under Xvfb shows the real cost of
// the translucent windows; offscreen only the widget work).
//
//   bench-popups [--count 20] [--gap 500]
#include "cAlert.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <ctime>

namespace {

double cpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

int shownPopups()
{
    int shown = 0;
    for (const QWidget *widget : QApplication::topLevelWidgets())
        shown += widget->isVisible() && widget->inherits("frmGmail");
    return shown;
}

// Runs the event loop for `ms` milliseconds.
void spin(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption countOption("count", "Popups shown.", "n", "20");
    const QCommandLineOption gapOption("gap", "Milliseconds between popups.", "ms", "500");
    parser.addOptions({countOption, gapOption});
    parser.process(app);
    const int count = parser.value(countOption).toInt();
    const int gap = parser.value(gapOption).toInt();

    // Warm-up: the first popup loads fonts and pictures.
    cAlert warm;
    warm.setTitle(QStringLiteral("Warm-up"));
    warm.Gmail();
    for (int i = 0; i < 1000 && shownPopups() > 0; ++i)
        spin(20);

    QElapsedTimer wall;
    wall.start();
    const double cpuStart = cpuSeconds();
    int most = 0;
    for (int i = 1; i <= count; ++i) {
        cAlert alert;
        alert.setTitle(QStringLiteral("Morvena Radio"));
        alert.setMessage(QStringLiteral("ARTIST NUMBER %1 - A SONG TITLE OF SOME LENGTH").arg(i));
        alert.Gmail();
        spin(gap);
        most = std::max(most, shownPopups());
    }
    // Each popup rises, holds 6 s and closes; bounded at a minute.
    for (int i = 0; i < 3000 && shownPopups() > 0; ++i)
        spin(20);
    const double busyCpu = cpuSeconds() - cpuStart;
    const qint64 busyMs = wall.elapsed();

    const double idleStart = cpuSeconds();
    spin(int(busyMs));
    const double idleCpu = cpuSeconds() - idleStart;

    std::printf("platform %s: %d popups %d ms apart, at most %d at once\n",
                qPrintable(QApplication::platformName()), count, gap, most);
    std::printf("  popups: %.3f s CPU over %.2f s wall (%.1f%% of a core)\n", busyCpu,
                busyMs / 1000.0, 100.0 * busyCpu / (busyMs / 1000.0));
    std::printf("  idle:   %.3f s CPU over the same time (%.1f%%)\n", idleCpu,
                100.0 * idleCpu / (busyMs / 1000.0));
    return shownPopups() == 0 ? 0 : 1;
}
