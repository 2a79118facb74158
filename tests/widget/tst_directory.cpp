// "Find stations…": the directory client against a local stand-in of the API (the
// search, every bad answer, the server list and its fallback, the click report) and the
// dialog that shows the result or what went wrong.
#include "DirectoryClient.h"
#include "Fixture.h"
#include "StationActions.h"
#include "StationSearchDialog.h"
#include "TestStreamServer.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>
#include <QUrlQuery>

namespace {

// JSON written with single quotes, which read more easily here than escaped ones.
QByteArray json(const char *text)
{
    return QByteArray(text).replace('\'', '"');
}

// Shaped like /json/stations/search answers: more fields than the client reads, numbers
// also as text (as older servers sent them), a broken station, popularity out of order.
const QByteArray kStations =
    json("[{'stationuuid':'u-jazz','name':'Jazz Radio','url':'http://127.0.0.1:9/jazz.pls',"
         "'url_resolved':'http://127.0.0.1:9/jazz.mp3','tags':'jazz','country':'France',"
         "'countrycode':'FR','codec':'MP3','bitrate':128,'lastcheckok':1,'clickcount':250},"
         "{'stationuuid':'u-broken','name':'Dead Air','url':'http://127.0.0.1:9/dead',"
         "'country':'Norway','codec':'AAC','bitrate':64,'lastcheckok':0,'clickcount':9000},"
         "{'stationuuid':'u-nrk','name':'NRK P1','url':'http://127.0.0.1:9/p1',"
         "'url_resolved':'','country':'Norway','countrycode':'NO','codec':'AAC+','bitrate':0,"
         "'lastcheckok':1,'clickcount':1200},"
         "{'stationuuid':'u-odd','name':'Old Server','url':'',"
         "'url_resolved':'http://127.0.0.1:9/odd','countrycode':'SE','codec':'OGG',"
         "'bitrate':'96','lastcheckok':'1','clickcount':'250'}]");

const QString kSearch = QStringLiteral("/json/stations/search");

// A stand-in for the directory's API on 127.0.0.1.
struct Server : TestStreamServer {
    Server() { start(); }
    QUrl base() const { return QUrl(url({})); }
    void answerJson(const QString &path, const QByteArray &json)
    {
        addDocument(path, {json, "application/json"});
    }
};

DirectoryClient::Settings fixedAt(const QUrl &base)
{
    DirectoryClient::Settings settings;
    settings.fixedBase = base;
    settings.timeoutMs = 1500;
    return settings;
}

StationSearch searchOnce(DirectoryClient &client, const StationQuery &query = {})
{
    QSignalSpy finished(&client, &DirectoryClient::searchFinished);
    client.search(query);
    if (!finished.wait(10000))
        return {std::nullopt, QStringLiteral("no answer from the client")};
    return finished.takeFirst().at(0).value<StationSearch>();
}

} // namespace

class TestDirectory : public QObject {
    Q_OBJECT

private slots:
    // Sorted by popularity, the broken station hidden, each field read from the JSON.
    void goodSearch()
    {
        Server server;
        server.answerJson(kSearch, kStations);
        DirectoryClient client(fixedAt(server.base()));
        const StationSearch result = searchOnce(client, {"jazz radio", "jazz", "fr"});
        QVERIFY2(result, qPrintable(result.error));
        QStringList rows;
        for (const Station &s : *result.stations)
            rows.append(QStringLiteral("%1|%2|%3|%4|%5|%6|%7")
                            .arg(s.name, s.country, s.countryCode, s.codec, s.playUrl(), s.uuid)
                            .arg(s.bitrate));
        QCOMPARE(rows,
                 QStringList({"NRK P1|Norway|NO|AAC+|http://127.0.0.1:9/p1|u-nrk|0",
                              "Jazz Radio|France|FR|MP3|http://127.0.0.1:9/jazz.pls|u-jazz|128",
                              "Old Server||SE|OGG|http://127.0.0.1:9/odd|u-odd|96"}));
        const QUrlQuery query{QUrl(server.requests().value(0))};
        QCOMPARE(query.queryItemValue("hidebroken"), QStringLiteral("true"));
    }

    // Every bad answer ends in one clear line and no stations, within the timeout.
    void badAnswers_data()
    {
        QTest::addColumn<TestStreamServer::Document>("answer"); // empty: the server is down
        QTest::addColumn<TestStreamServer::Mode>("mode");
        QTest::addColumn<QString>("says");
        using D = TestStreamServer::Document;
        using M = TestStreamServer::Mode;
        QTest::newRow("malformed JSON")
            << D{json("[{'name': 'Jazz', "), "application/json"} << M::Normal << "not readable";
        QTest::newRow("HTML") << D{"<html><body>Gateway</body>", "text/html"} << M::Normal
                              << "web page";
        QTest::newRow("10 MB, length untold")
            << D{"[" + QByteArray(10 << 20, ' ') + "]", "application/json", "200 OK", false}
            << M::Normal << "larger than";
        QTest::newRow("never answers") << D{"[]"} << M::Hang << "did not answer within 1.5 s";
        QTest::newRow("dead server") << D{} << M::Normal << "could not be reached";
    }
    void badAnswers()
    {
        QFETCH(TestStreamServer::Document, answer);
        QFETCH(TestStreamServer::Mode, mode);
        QFETCH(QString, says);
        Server server;
        server.addDocument(kSearch, answer);
        server.setSettings({.mode = mode});
        DirectoryClient client(fixedAt(server.base()));
        if (answer.body.isEmpty())
            server.stop();
        const StationSearch result = searchOnce(client);
        QVERIFY(!result);
        QVERIFY2(result.error.contains(says), qPrintable(result.error));
    }

    // The server comes from the API's own list; when the list is no list, the fallback.
    void serverFromTheList_data()
    {
        QTest::addColumn<QByteArray>("list");
        QTest::newRow("listed server") << QByteArray();
        QTest::newRow("list is a web page") << QByteArray("<html>maintenance</html>");
    }
    void serverFromTheList()
    {
        QFETCH(QByteArray, list);
        const bool listed = list.isEmpty();
        Server bootstrap, mirror, fallback;
        if (listed)
            list = json("[{'ip':'127.0.0.1','name':'127.0.0.1:") +
                   QByteArray::number(mirror.port()) + "\"}]";
        bootstrap.answerJson("/json/servers", list);
        mirror.answerJson(kSearch, kStations);
        fallback.answerJson(kSearch, kStations);
        DirectoryClient::Settings settings;
        settings.serverList = bootstrap.base().resolved(QUrl("/json/servers"));
        settings.fallbackBase = fallback.base();
        settings.timeoutMs = 2000;
        DirectoryClient client(settings);
        QVERIFY(searchOnce(client));
        QCOMPARE(client.base(), listed ? mirror.base() : fallback.base());
        QCOMPARE((listed ? mirror : fallback).requests().size(), 1);
        QCOMPARE((listed ? fallback : mirror).requests().size(), 0);
    }

    // The dialog opens beside the panel where the screen's free area has room, and inside
    // that area where it has none. The panel is 315x184; the free area 1280x770 below a bar.
    void placement_data()
    {
        QTest::addColumn<QPoint>("panel");
        QTest::addColumn<QPoint>("expected");
        QTest::newRow("right of the panel") << QPoint(100, 100) << QPoint(423, 100);
        QTest::newRow("left of it near the right edge") << QPoint(900, 100) << QPoint(332, 100);
        QTest::newRow("below it in the middle") << QPoint(400, 40) << QPoint(400, 232);
        QTest::newRow("no room anywhere: pushed inside the area")
            << QPoint(400, 300) << QPoint(720, 300);
    }
    void placement()
    {
        QFETCH(QPoint, panel);
        QFETCH(QPoint, expected);
        const QRect available(0, 30, 1280, 770);
        QCOMPARE(StationSearchDialog::placeBeside(QRect(panel, QSize(315, 184)), QSize(560, 420),
                                                  available),
                 expected);
    }

    // The dialog says what went wrong, then shows the stations; adding twice is refused
    // the second time; Return plays the chosen station and reports the click.
    void dialog()
    {
        Server server;
        server.addDocument(kSearch, {"<html>Bad gateway</html>", "text/html"});
        DirectoryClient client(fixedAt(server.base()));
        Fixture f;
        StationActions actions(*f.transport, *f.adder, *f.presets, client);
        StationSearchDialog dialog(client, actions);
        dialog.show();
        auto *results = dialog.findChild<QTreeWidget *>("lstStasjonar");
        auto *add = dialog.findChild<QPushButton *>("cmdLeggTil");
        QTest::keyClicks(dialog.findChild<QLineEdit *>("txtNavn"), "jazz");
        QTest::keyClick(dialog.findChild<QLineEdit *>("txtNavn"), Qt::Key_Return);
        QTRY_VERIFY_WITH_TIMEOUT(dialog.statusText().contains("web page"), 5000);
        QCOMPARE(results->topLevelItemCount(), 0);
        QVERIFY(!add->isEnabled());

        server.answerJson(kSearch, kStations);
        server.answerJson("/json/url/u-nrk", json("{'ok':true,'message':'retrieved station url'}"));
        QSignalSpy clicked(&client, &DirectoryClient::clickReported);
        QTest::mouseClick(dialog.findChild<QPushButton *>("cmdSok"), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(results->topLevelItemCount(), 3, 5000);
        // Pressed twice in a row, the second add sees the first, written in the background.
        QTest::mouseClick(add, Qt::LeftButton);
        QTest::mouseClick(add, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(dialog.statusText().contains("already in My Channels as "
                                                              "channel 1"),
                                 5000);
        QTest::keyClick(results, Qt::Key_Return);
        QCOMPARE(f.engine->url(), QStringLiteral("http://127.0.0.1:9/p1"));
        QCOMPARE(f.state->Label2(), QStringLiteral("NRK P1"));
        QVERIFY(clicked.wait(5000));
        QCOMPARE(clicked.first(), QVariantList({"u-nrk", true}));
        QCOMPARE(server.requests().last(), QStringLiteral("/json/url/u-nrk"));
    }
};

QTEST_MAIN(TestDirectory)
#include "tst_directory.moc"
