#include "ChannelAdder.h"
#include "ChannelsFixture.h"
#include "FakeDirectoryServer.h"
#include "StationActions.h"
#include "StationSearchDialog.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

/// "Find stations…" as the user sees it: what a search shows, good or bad, and the
/// buttons that act on the chosen station.
class TestDirectoryDialog : public QObject {
    Q_OBJECT

private slots:
    void searchShowsStationsOrWhatWentWrong()
    {
        FakeDirectoryServer server;
        server.answer("/json/stations/search",
                      {"200 OK", "text/html", "<html><body>Bad gateway</body></html>"});
        DirectoryClient::Settings settings;
        settings.fixedBase = server.base();
        DirectoryClient client(settings);
        ChannelsFixture f;
        ChannelAdder adder(f.listPath, *f.state, *f.engine, f.messages);
        StationActions actions(*f.transport, adder, *f.presets, client);
        StationSearchDialog dialog(client, actions);
        dialog.show();
        auto *results = dialog.findChild<QTreeWidget *>("lstStasjonar");
        auto *add = dialog.findChild<QPushButton *>("cmdLeggTil");

        QTest::keyClicks(dialog.findChild<QLineEdit *>("txtNavn"), "jazz");
        QTest::keyClick(dialog.findChild<QLineEdit *>("txtNavn"), Qt::Key_Return);
        QTRY_VERIFY_WITH_TIMEOUT(dialog.statusText().contains("web page"), 5000);
        QCOMPARE(results->topLevelItemCount(), 0);
        QVERIFY(!add->isEnabled());

        server.answerJson(
            "/json/stations/search",
            "[{\"stationuuid\":\"a\",\"name\":\"Low\",\"url\":\"http://127.0.0.1:9/a\","
            "\"country\":\"Norway\",\"codec\":\"MP3\",\"bitrate\":128,"
            "\"clickcount\":1,\"lastcheckok\":1},"
            "{\"stationuuid\":\"b\",\"name\":\"High\",\"url\":\"http://127.0.0.1:9/b\","
            "\"countrycode\":\"SE\",\"codec\":\"AAC\",\"clickcount\":7,"
            "\"lastcheckok\":1}]");
        QTest::mouseClick(dialog.findChild<QPushButton *>("cmdSok"), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(results->topLevelItemCount(), 2, 5000);
        const QTreeWidgetItem *first = results->topLevelItem(0);
        QCOMPARE(QStringList({first->text(0), first->text(1), first->text(2), first->text(3)}),
                 QStringList({"High", "SE", "AAC", ""}));
        QCOMPARE(results->topLevelItem(1)->text(3), QStringLiteral("128"));

        QTest::mouseClick(add, Qt::LeftButton);
        QCOMPARE(dialog.statusText(), QStringLiteral("Added to My Channels as channel 1."));
        QTest::mouseClick(add, Qt::LeftButton);
        QVERIFY(dialog.statusText().contains("already in My Channels"));
        QTest::keyClick(results, Qt::Key_Return);
        QCOMPARE(f.engine->url(), QStringLiteral("http://127.0.0.1:9/b"));
        QTRY_VERIFY_WITH_TIMEOUT(server.requests.contains("/json/url/b"), 5000);
        QCOMPARE(server.requests.count("/json/stations/search?name=jazz&order=clickcount&"
                                       "reverse=true&hidebroken=true&limit=100"),
                 2);
    }
};

QTEST_MAIN(TestDirectoryDialog)
#include "tst_directory_dialog.moc"
