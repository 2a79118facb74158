// Times building the "My Channels" menu from a long channel list: one parse of the file
// and a lookup per entry (the menu's captions), the longest stall of the menu's first
// opening in the window ("first-open-ms"), the longest stalls of a reread after the file
// changes on disk ("reread-ms") and of "Add to My Channels" ("add-ms"), and reading the file
// once per entry as a plain profile reader would.
// Runs on the offscreen platform unless QT_QPA_PLATFORM says otherwise.
//
//   bench-channels [--entries 32767] [--runs 5] [--key-by-key 2000]
//
// The list is written the way an old Windows list is: Windows-1252, CRLF, some quoted
// names, the names first and the addresses after them.
#include "ChannelAdder.h"
#include "ChannelControls.h"
#include "ChannelListPopup.h"
#include "Fixture.h"
#include "Measures.h"
#include "ProfileReader.h"
#include "Transport.h"
#include "frmMain.h"

#include <QAction>
#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

QByteArray makeList(int entries)
{
    QByteArray names = "[Navn]\r\n";
    QByteArray urls = "[URL]\r\n";
    for (int i = 1; i <= entries; ++i) {
        const QByteArray number = QByteArray::number(i);
        const QByteArray name = "Kanal " + number + " \xD8stlandssendingen";
        names += number + "=" + (i % 3 == 0 ? "\"" + name + "\"" : name) + "\r\n";
        urls += number + "=http://127.0.0.1:8000/stream/" + number + ".mp3\r\n";
    }
    return names + "\r\n" + urls;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption entriesOption("entries", "Entries in the list.", "n", "32767");
    const QCommandLineOption runsOption("runs", "Timed runs.", "n", "5");
    const QCommandLineOption keyByKeyOption("key-by-key", "Entries for the slow way.", "n", "2000");
    parser.addOptions({entriesOption, runsOption, keyByKeyOption});
    parser.process(app);
    const int entries = parser.value(entriesOption).toInt();
    const int runs = std::max(1, parser.value(runsOption).toInt());
    const int slowEntries = parser.value(keyByKeyOption).toInt();

    Fixture f;
    const QByteArray bytes = makeList(entries);
    if (!Fixture::write(f.listPath, bytes)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(f.listPath));
        return 1;
    }
    QList<double> times;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer clock;
        clock.start();
        f.menu->BuildChannelMenu();
        times.append(clock.nsecsElapsed() / 1e6);
    }
    if (f.menu->captions().size() != entries + 1) {
        std::fprintf(stderr, "menu holds %lld captions, expected %d\n",
                     static_cast<long long>(f.menu->captions().size()), entries + 1);
        return 1;
    }
    std::printf("list: %d entries, %.2f MB\n", entries, bytes.size() / 1e6);
    std::printf("one parse + menu model: median %.1f ms, best %.1f ms (%d runs)\n", median(times),
                *std::min_element(times.begin(), times.end()), runs);

    // In the window: the load reads the list; then the first opening of the main menu and
    // of "My Channels" on it, scrolled to the end, as a user does it. What counts is the
    // longest time the event loop was held in one go, the popup calls included.
    const auto settle = [] {
        QElapsedTimer settling;
        settling.start();
        while (settling.elapsed() < 300) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        }
    };
    QList<double> loadTimes;
    QList<double> openStalls;
    for (int run = 0; run < runs; ++run) {
        frmMain window(*f.state);
        ChannelControls controls(window, *f.menu, *f.drops, *f.localMedia, *f.exporter, *f.presets);
        QElapsedTimer clock;
        clock.start();
        controls.buildChannelMenu();
        loadTimes.append(clock.nsecsElapsed() / 1e6);
        if (controls.channelList()->model()->rowCount() != entries) {
            std::fprintf(stderr, "the window's menu does not hold %d entries\n", entries);
            return 1;
        }
        auto *favs = window.findChild<QMenu *>(QStringLiteral("mnuFavs"));
        StallMonitor monitor;
        qint64 longest = 0;
        settle();
        longest = std::max(longest, millisecondsTaken([&] {
                               window.mnuSystray()->popup({40, 40});
                           }));
        settle();
        longest = std::max(longest, millisecondsTaken([&] { favs->popup({200, 40}); }));
        settle();
        longest = std::max(longest, millisecondsTaken([&] {
                               QTest::keyClick(controls.channelList(), Qt::Key_End);
                           }));
        settle();
        openStalls.append(static_cast<double>(std::max(longest, monitor.longestMs())));
        favs->hide();
        window.mnuSystray()->hide();
    }
    std::printf("window load, menu built: median %.1f ms, best %.1f ms\n", median(loadTimes),
                *std::min_element(loadTimes.begin(), loadTimes.end()));
    std::printf("first opening of My Channels, %d entries, longest stall: median %.0f ms, "
                "worst %.0f ms (%d runs)\n",
                entries, median(openStalls),
                *std::max_element(openStalls.begin(), openStalls.end()), runs);
    std::printf("first-open-ms: %.0f\n", *std::max_element(openStalls.begin(), openStalls.end()));

    // After the load: the list changed on disk until the menu shows it, and "Add to My
    // Channels" from the main menu until the new entry shows. The list starts one short of
    // full, so that the add is written rather than refused. What counts is the longest
    // stall of the event loop from the change (or the menu item) to the menu rebuilt.
    QList<double> rereadStalls;
    QList<double> addStalls;
    for (int run = 0; run < runs; ++run) {
        const QByteArray before = makeList(entries - 1);
        Fixture::write(f.listPath, before);
        frmMain window(*f.state);
        ChannelControls controls(window, *f.menu, *f.drops, *f.localMedia, *f.exporter, *f.presets);
        controls.attachAdder(*f.adder);
        controls.buildChannelMenu();
        settle();
        const auto stallUntilRebuilt = [&controls](auto &&change) {
            QSignalSpy rebuilt(&controls, &ChannelControls::channelMenuRebuilt);
            StallMonitor monitor;
            const qint64 changing = millisecondsTaken(change);
            if (!rebuilt.wait(30'000)) {
                std::fprintf(stderr, "the menu was not rebuilt\n");
                std::exit(1);
            }
            // The monitor sees a stall at its next tick, after the signal ended the wait.
            QElapsedTimer ticking;
            ticking.start();
            while (ticking.elapsed() < 3 * StallMonitor::kTickMs) {
                QCoreApplication::processEvents(QEventLoop::AllEvents, StallMonitor::kTickMs);
            }
            return static_cast<double>(std::max(changing, monitor.longestMs()));
        };
        QByteArray edited = before;
        edited.replace("Kanal 1 ", "Kanal 1 (edited) ");
        Fixture::write(f.listPath, edited);
        rereadStalls.append(stallUntilRebuilt([] {}));
        f.transport->tune(QStringLiteral("Bench %1").arg(run),
                          QStringLiteral("http://127.0.0.1:9/bench/%1").arg(run));
        emit window.mnuSystray()->aboutToShow();
        auto *add = window.findChild<QAction *>(QStringLiteral("legg_til_kanal"));
        addStalls.append(stallUntilRebuilt([add] { add->trigger(); }));
        if (controls.channelList()->model()->rowCount() != entries) {
            std::fprintf(stderr, "the added entry is not in the menu\n");
            return 1;
        }
        settle();
    }
    std::printf("reread after a change on disk, %d entries, longest stall: median %.0f ms\n",
                entries - 1, median(rereadStalls));
    std::printf("Add to My Channels to the %dth entry, longest stall: median %.0f ms\n", entries,
                median(addStalls));
    std::printf("reread-ms: %.0f\n", *std::max_element(rereadStalls.begin(), rereadStalls.end()));
    std::printf("add-ms: %.0f\n", *std::max_element(addStalls.begin(), addStalls.end()));

    if (slowEntries > 0) {
        Fixture slow;
        Fixture::write(slow.listPath, makeList(slowEntries));
        QElapsedTimer clock;
        clock.start();
        for (int i = 1; !ReadIniValue("Navn", QString::number(i), slow.listPath).isEmpty(); ++i) {
        }
        const double keyByKey = clock.nsecsElapsed() / 1e6;
        clock.restart();
        slow.menu->BuildChannelMenu();
        const double oneParse = clock.nsecsElapsed() / 1e6;
        std::printf("%d entries: file read per entry %.1f ms, one parse %.1f ms\n", slowEntries,
                    keyByKey, oneParse);
    }
    return 0;
}
