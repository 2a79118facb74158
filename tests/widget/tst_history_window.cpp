// The song history window over a real SQLite file: days, paging, filter, copy, star, the
// web search, playing a channel again, delete, clear and export.
#include "Fakes.h"
#include "HistoryDatabase.h"
#include "HistoryModel.h"
#include "HistoryWindow.h"
#include "Translations.h"
#include "UrlLauncher.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <QUrlQuery>

namespace {

class RecordingUrlLauncher final : public UrlLauncher {
public:
    QList<QUrl> opened;
    bool open(const QUrl &url) override
    {
        opened.append(url);
        return true;
    }
};

const QDateTime kNow(QDate(2026, 12, 7), QTime(20, 0));

} // namespace

class tst_HistoryWindow : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    CallLog m_calls;
    RecordingMessageBox m_box{m_calls};
    FakeClock m_clock;
    RecordingUrlLauncher m_browser;
    FakeFileDialogs m_dialogs{m_calls};
    std::unique_ptr<HistoryDatabase> m_history;
    std::unique_ptr<HistoryWindow> m_window;

    // The text of each row: a day's heading as "# Today", a song as its "Artist - Title".
    QStringList shown() const
    {
        QStringList rows;
        const HistoryModel &model = m_window->model();
        for (int row = 0; row < model.rowCount(); ++row) {
            const auto song = model.songAt(row);
            rows.append(song ? song->text()
                             : QStringLiteral("# ") + model.index(row, 0).data().toString());
        }
        return rows;
    }
    void select(const QStringList &texts)
    {
        QTreeView *list = m_window->songList();
        list->clearSelection();
        const HistoryModel &model = m_window->model();
        for (int row = 0; row < model.rowCount(); ++row) {
            const auto song = model.songAt(row);
            if (song && texts.contains(song->text())) {
                list->selectionModel()->select(model.index(row, 0), QItemSelectionModel::Select |
                                                                        QItemSelectionModel::Rows);
                list->selectionModel()->setCurrentIndex(model.index(row, 0),
                                                        QItemSelectionModel::NoUpdate);
            }
        }
    }
    static HeardSong song(int minutesAgo, const QString &artist, const QString &title,
                          const QString &channel)
    {
        const QDateTime started = kNow.addSecs(-60 * minutesAgo);
        return {.id = 0,
                .artist = artist,
                .title = title,
                .channel = channel,
                .url = QStringLiteral("http://127.0.0.1/") + channel,
                .started = started,
                .ended = started.addSecs(180),
                .starred = false};
    }
    void add(int minutesAgo, const QString &artist, const QString &title, const QString &channel)
    {
        QVERIFY(m_history->addSongs({song(minutesAgo, artist, title, channel)}));
    }

private slots:
    void init()
    {
        // A row's name is the language it runs in; a test without rows runs in English.
        Translations::install(QLocale(QString::fromLatin1(QTest::currentDataTag())));
        m_clock.time = kNow;
        m_history = std::make_unique<HistoryDatabase>(
            m_dir.filePath(QStringLiteral("%1%2.sqlite")
                               .arg(QTest::currentTestFunction(), QTest::currentDataTag())),
            m_box);
        QVERIFY(m_history->open());
        add(30, QStringLiteral("Aurora"), QStringLiteral("Runaway"), QStringLiteral("NRK P3"));
        add(10, QStringLiteral("Kari Bremnes"), QStringLiteral("Blåmann"),
            QStringLiteral("NRK P1"));
        add(60 * 24, QStringLiteral("Röyksopp"), QStringLiteral("Eple"), QStringLiteral("NRK P3"));
        add(60 * 24 * 3, QString(), QStringLiteral("Nyheter, kl. 12"), QStringLiteral("NRK P1"));
        m_window =
            std::make_unique<HistoryWindow>(*m_history, m_clock, m_browser, m_dialogs, nullptr);
        m_window->showTab(HistoryWindow::Tab::All);
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }
    void cleanup()
    {
        m_window.reset();
        m_history.reset();
        m_calls.take();
    }

    // The days in the window's language, as are its title and tabs.
    void daysAndFilter_data()
    {
        QTest::addColumn<QStringList>("days");
        QTest::addColumn<QString>("tab");
        QTest::newRow("en_GB") << QStringList{"# Today", "# Yesterday", "# Friday 4 December 2026"}
                               << "Starred";
        QTest::newRow("nb_NO") << QStringList{"# I dag", "# I går", "# fredag 4. desember 2026"}
                               << "Stjernemerket";
    }
    void daysAndFilter()
    {
        QFETCH(QStringList, days);
        QFETCH(QString, tab);
        QCOMPARE(m_window->findChild<QTabBar *>()->tabText(1), tab);
        QCOMPARE(shown(), (QStringList{days[0], "Kari Bremnes - Blåmann", "Aurora - Runaway",
                                       days[1], "Röyksopp - Eple", days[2], "Nyheter, kl. 12"}));
        // Typed into the field, case and accents as the listener types them.
        QTest::keyClicks(m_window->filterField(), QStringLiteral("BLÅ"));
        QCOMPARE(shown(), (QStringList{days[0], "Kari Bremnes - Blåmann"}));
        m_window->filterField()->setText(QStringLiteral("p3"));
        QCOMPARE(shown(), (QStringList{days[0], "Aurora - Runaway", days[1], "Röyksopp - Eple"}));
        m_window->filterField()->setText(QStringLiteral("nothing like it"));
        QCOMPARE(shown(), QStringList{});
        // A song recorded while the window is open shows at once.
        m_window->filterField()->clear();
        add(1, QStringLiteral("New"), QStringLiteral("Song"), QStringLiteral("NRK P3"));
        QCOMPARE(shown().mid(0, 2), (QStringList{days[0], "New - Song"}));
    }

    void copyStarAndStarredTab()
    {
        select({"Aurora - Runaway", "Nyheter, kl. 12"});
        QTest::keySequence(m_window->songList(), QKeySequence::Copy);
        QCOMPARE(QApplication::clipboard()->text(),
                 QStringLiteral("Aurora - Runaway\nNyheter, kl. 12"));
        QTest::keyClick(m_window->songList(), Qt::Key_Asterisk);
        QCOMPARE(m_window->statusText(), QStringLiteral("Starred: 2 songs"));
        // The selection outlives the reload the star made.
        QCOMPARE(m_window->selectedSongs().size(), 2);
        m_window->showTab(HistoryWindow::Tab::Starred);
        QCOMPARE(shown(), (QStringList{"# Today", "Aurora - Runaway", "# Friday 4 December 2026",
                                       "Nyheter, kl. 12"}));
        // Some starred, some not: all get the star; all starred: all lose it.
        m_window->showTab(HistoryWindow::Tab::All);
        select({"Aurora - Runaway", "Röyksopp - Eple"});
        m_window->toggleStar();
        select({"Aurora - Runaway", "Röyksopp - Eple", "Nyheter, kl. 12"});
        m_window->toggleStar();
        QCOMPARE(m_window->statusText(), QStringLiteral("Unstarred: 3 songs"));
        QVERIFY(m_history->page({{}, true}, {}, 10).isEmpty());
    }

    void searchPlayDeleteAndClear()
    {
        select({"Kari Bremnes - Blåmann"});
        m_window->searchWeb();
        QCOMPARE(m_browser.opened.size(), 1);
        QCOMPARE(QUrlQuery(m_browser.opened.first())
                     .queryItemValue(QStringLiteral("q"), QUrl::FullyDecoded),
                 QStringLiteral("Kari Bremnes Blåmann"));
        QSignalSpy play(m_window.get(), &HistoryWindow::playRequested);
        QTest::keyClick(m_window->songList(), Qt::Key_Return);
        QCOMPARE(play.count(), 1);
        QCOMPARE(play.first(), (QVariantList{"NRK P1", "http://127.0.0.1/NRK P1"}));

        select({"Kari Bremnes - Blåmann", "Röyksopp - Eple"});
        QTest::keyClick(m_window->songList(), Qt::Key_Delete);
        QCOMPARE(shown(), (QStringList{"# Today", "Aurora - Runaway", "# Friday 4 December 2026",
                                       "Nyheter, kl. 12"}));
        QStringList asked;
        m_window->setConfirmation([&asked](const QString &question) {
            asked.append(question);
            return asked.size() > 1;
        });
        m_window->clearAll();
        QCOMPARE(shown().size(), 4);
        m_window->clearAll();
        QCOMPARE(asked.size(), 2);
        QCOMPARE(shown(), QStringList{});
    }

    void exportShowsTheView()
    {
        const QString path = m_dir.filePath(QStringLiteral("p1.csv"));
        m_window->filterField()->setText(QStringLiteral("p1"));
        m_dialogs.nextAnswer = path;
        m_window->exportCsv();
        QCOMPARE(m_calls.take(), QStringList{"dialog.save(Export song history)"});
        QFile csv(path);
        QVERIFY(csv.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = csv.readAll().split('\n');
        QCOMPARE(lines.size(), 4);
        QVERIFY(lines.at(1).contains(",Kari Bremnes,Blåmann,NRK P1,"));
        QVERIFY(lines.at(2).contains(",,\"Nyheter, kl. 12\",NRK P1,"));
        QCOMPARE(m_window->statusText(), QStringLiteral("Saved ") + path);
    }

    void pagesAsTheListScrolls()
    {
        QList<HeardSong> many;
        for (int i = 0; i < 3 * HistoryModel::kPageSize; ++i)
            many.append(song(60 + 10 * i, QStringLiteral("A"), QString::number(i), "C"));
        QVERIFY(m_history->addSongs(many));
        const auto songs = [this] {
            int count = 0;
            for (int row = 0; row < m_window->model().rowCount(); ++row)
                count += m_window->model().songAt(row) ? 1 : 0;
            return count;
        };
        QCOMPARE(songs(), HistoryModel::kPageSize);
        // Scrolling to the end asks for the next page, then the next, then the last.
        for (int round = 0; round < 5 && m_window->model().canFetchMore({}); ++round) {
            m_window->songList()->scrollToBottom();
            QCoreApplication::processEvents();
        }
        QCOMPARE(songs(), 3 * HistoryModel::kPageSize + 4);
        QVERIFY(!m_window->model().canFetchMore({}));
    }
};

QTEST_MAIN(tst_HistoryWindow)
#include "tst_history_window.moc"
