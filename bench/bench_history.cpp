// Times the song history window over a large history: 100,000 songs over two years.
//   open-ms:   from the click (showTab) to the list painted, and the longest event-loop
//              stall on the way (median of the runs; the first, colder one apart)
//   filter-ms: the longest stall of one keystroke while typing a 6-letter filter, for a
//              word that matches some songs and one that matches none (every row read)
// Runs on the offscreen platform unless QT_QPA_PLATFORM says otherwise.
//
//   bench-history [--songs 100000] [--days 730] [--runs 5]
#include "FileDialogs.h"
#include "HistoryDatabase.h"
#include "HistoryModel.h"
#include "HistoryWindow.h"
#include "Measures.h"
#include "MessageBox.h"
#include "SystemClock.h"
#include "UrlLauncher.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include <cstdio>

namespace {

class NoBrowser final : public UrlLauncher {
public:
    bool open(const QUrl &) override { return true; }
};

class NoDialogs final : public FileDialogs {
public:
    std::optional<QString> getSaveFileName(const Request &) override { return {}; }
    std::optional<QString> getOpenFileName(const Request &) override { return {}; }
};

class NoBoxes final : public MessageBox {
public:
    void information(const QString &, const QString &) override {}
    void warning(const QString &, const QString &text) override
    {
        std::fprintf(stderr, "%s\n", qPrintable(text));
    }
};

// Sets a flag when the watched widget is painted.
class PaintWatch : public QObject {
public:
    bool painted = false;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            painted = true;
        return false;
    }
};

QList<HeardSong> makeSongs(int count, int days)
{
    static const char *const syllables[] = {"mor",   "ve", "na",  "lys",  "kar", "i",  "bre", "sol",
                                            "fjord", "ro", "dal", "heim", "ta",  "sk", "ul",  "en"};
    const auto word = [](int seed, int parts) {
        QString text;
        for (int i = 0; i < parts; ++i) {
            text += QLatin1String(syllables[seed % 16]);
            seed = seed / 16 + 7 * i + 3;
        }
        text[0] = text[0].toUpper();
        return text;
    };
    const QDateTime newest = QDateTime::currentDateTime();
    const qint64 span = qint64(days) * 24 * 3600;
    QList<HeardSong> songs;
    songs.reserve(count);
    for (int i = 0; i < count; ++i) {
        const QDateTime started = newest.addSecs(-span * i / count);
        const int channel = i % 12;
        songs.append({.id = 0,
                      .artist = word(i * 7919 % 5003, 3) + QLatin1Char(' ') + word(i % 997, 2),
                      .title = word(i * 104729 % 20011, 4),
                      .channel = QStringLiteral("Kanal %1").arg(channel),
                      .url = QStringLiteral("http://127.0.0.1:8000/%1.mp3").arg(channel),
                      .started = started,
                      .ended = started.addSecs(200),
                      .starred = i % 97 == 0});
    }
    return songs;
}

// Waits (bounded) until the list has painted; the longest stall meanwhile.
qint64 untilPainted(PaintWatch &watch)
{
    StallMonitor stalls;
    if (!QTest::qWaitFor([&watch] { return watch.painted; }, 5000))
        std::fprintf(stderr, "not painted within 5 s\n");
    return stalls.longestMs();
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption songsOption("songs", "Songs in the history.", "n", "100000");
    const QCommandLineOption daysOption("days", "Days they span.", "n", "730");
    const QCommandLineOption runsOption("runs", "Timed openings.", "n", "5");
    parser.addOptions({songsOption, daysOption, runsOption});
    parser.process(app);
    const int count = parser.value(songsOption).toInt();
    const int runs = std::max(1, parser.value(runsOption).toInt());

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("history.sqlite"));
    NoBoxes boxes;
    {
        HistoryDatabase fill(path, boxes);
        fill.open();
        const qint64 ms = millisecondsTaken(
            [&] { fill.addSongs(makeSongs(count, parser.value(daysOption).toInt())); });
        std::printf("fill: %d songs in %lld ms\n", count, static_cast<long long>(ms));
    }
    HistoryDatabase history(path, boxes);
    const qint64 openDb = millisecondsTaken([&] { history.open(); });
    std::printf("database-open-ms: %lld (the start's integrity check)\n",
                static_cast<long long>(openDb));

    SystemClock clock;
    NoBrowser browser;
    NoDialogs dialogs;
    HistoryWindow window(history, clock, browser, dialogs);
    PaintWatch watch;
    window.songList()->viewport()->installEventFilter(&watch);

    QList<double> clicks;
    QList<double> stalls;
    for (int run = 0; run <= runs; ++run) {
        watch.painted = false;
        QElapsedTimer clock2;
        clock2.start();
        const qint64 showMs = millisecondsTaken([&] { window.showTab(HistoryWindow::Tab::All); });
        const qint64 stall = std::max(showMs, untilPainted(watch));
        const qint64 total = clock2.elapsed();
        if (run == 0) {
            std::printf("open-ms (first): %lld to painted, longest stall %lld\n",
                        static_cast<long long>(total), static_cast<long long>(stall));
        } else {
            clicks.append(double(total));
            stalls.append(double(stall));
        }
        window.hide();
        // A song recorded while it was away: the next showing reads the history again.
        emit history.changed();
        QCoreApplication::processEvents();
    }
    std::printf("open-ms: %.0f to painted, longest stall %.0f (median of %d)\n", median(clicks),
                median(stalls), runs);

    window.showTab(HistoryWindow::Tab::All);
    untilPainted(watch);
    for (const QString &filter : {QStringLiteral("fjordi"), QStringLiteral("zqxwvy")}) {
        window.filterField()->clear();
        untilPainted(watch);
        qint64 worst = 0;
        for (const QChar letter : filter) {
            watch.painted = false;
            const qint64 key = millisecondsTaken(
                [&] { QTest::keyClick(window.filterField(), letter.toLatin1()); });
            worst = std::max({worst, key, untilPainted(watch)});
        }
        int rows = 0;
        for (int row = 0; row < window.model().rowCount(); ++row)
            rows += window.model().songAt(row) ? 1 : 0;
        std::printf("filter-ms: %lld longest stall per keystroke typing \"%s\" (%d%s songs "
                    "listed)\n",
                    static_cast<long long>(worst), qPrintable(filter), rows,
                    window.model().canFetchMore({}) ? "+" : "");
    }
    return 0;
}
