#include "ChannelAdder.h"
#include "ChannelsFixture.h"
#include "DirectoryClient.h"
#include "FakeDirectoryServer.h"
#include "StationActions.h"

#include <QSignalSpy>
#include <QTest>
#include <QUrlQuery>

Q_DECLARE_METATYPE(StationSearch)
Q_DECLARE_METATYPE(FakeDirectoryServer::Answer)

namespace {

// JSON written with single quotes, which read more easily here than escaped double ones
// (moc misreads raw string literals).
QByteArray json(const char *text)
{
    return QByteArray(text).replace('\'', '"');
}

// Shaped like /json/stations/search answers: more fields than the client reads, numbers as
// numbers (and, as older servers sent them, as text), a broken station, and the
// popularity out of order.
const QByteArray kStations =
    json("[{'changeuuid':'c1','stationuuid':'9617a958-0601-11e8-ae97-52543be04c81',"
         "'name':'Jazz Radio','url':'http://127.0.0.1:9/jazz.pls',"
         "'url_resolved':'http://127.0.0.1:9/jazz.mp3','homepage':'','favicon':'',"
         "'tags':'jazz,smooth','country':'France','countrycode':'FR','language':'french',"
         "'votes':12,'codec':'MP3','bitrate':128,'lastcheckok':1,'clickcount':250,"
         "'clicktrend':3},"
         "{'stationuuid':'u-broken','name':'Dead Air','url':'http://127.0.0.1:9/dead',"
         "'url_resolved':'http://127.0.0.1:9/dead','country':'Norway','countrycode':'NO',"
         "'codec':'AAC','bitrate':64,'lastcheckok':0,'clickcount':9000},"
         "{'stationuuid':'u-nrk','name':'NRK P1','url':'http://127.0.0.1:9/p1',"
         "'url_resolved':'','country':'Norway','countrycode':'NO','codec':'AAC+','bitrate':0,"
         "'lastcheckok':1,'clickcount':1200,'tags':'news'},"
         "{'stationuuid':'u-odd','name':'Old Server','url':'',"
         "'url_resolved':'http://127.0.0.1:9/odd','country':'','countrycode':'SE',"
         "'codec':'OGG','bitrate':'96','lastcheckok':'1','clickcount':'250'}]");

DirectoryClient::Settings fixedAt(const QUrl &base, int timeoutMs = 1500)
{
    DirectoryClient::Settings settings;
    settings.fixedBase = base;
    settings.timeoutMs = timeoutMs;
    return settings;
}

StationSearch searchOnce(DirectoryClient &client, const StationQuery &query = {})
{
    QSignalSpy finished(&client, &DirectoryClient::searchFinished);
    client.search(query);
    if (!finished.wait(10000)) {
        return {std::nullopt, QStringLiteral("no answer from the client")};
    }
    return finished.takeFirst().at(0).value<StationSearch>();
}

} // namespace

/// The station directory client against a local stand-in of the API, and what the search
/// does with a station it found.
class TestDirectory : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { qRegisterMetaType<StationSearch>(); }

    void goodSearch()
    {
        FakeDirectoryServer server;
        server.answerJson("/json/stations/search", kStations);
        DirectoryClient client(fixedAt(server.base()));
        const StationSearch result = searchOnce(client, {"jazz radio", "jazz", "fr"});
        QVERIFY2(result, qPrintable(result.error));

        QStringList rows;
        for (const Station &s : *result.stations) {
            rows.append(QStringLiteral("%1|%2|%3|%4|%5|%6|%7")
                            .arg(s.name, s.country, s.countryCode, s.codec, s.playUrl(), s.uuid)
                            .arg(s.bitrate));
        }
        QCOMPARE(rows, QStringList({"NRK P1|Norway|NO|AAC+|http://127.0.0.1:9/p1|u-nrk|0",
                                    "Jazz Radio|France|FR|MP3|http://127.0.0.1:9/jazz.pls|"
                                    "9617a958-0601-11e8-ae97-52543be04c81|128",
                                    "Old Server||SE|OGG|http://127.0.0.1:9/odd|u-odd|96"}));

        QCOMPARE(server.requests.size(), 1);
        const QUrl asked(server.requests.first());
        QCOMPARE(asked.path(), QStringLiteral("/json/stations/search"));
        const QUrlQuery query(asked);
        QCOMPARE(query.queryItemValue("name"), QStringLiteral("jazz radio"));
        QCOMPARE(query.queryItemValue("tag"), QStringLiteral("jazz"));
        QCOMPARE(query.queryItemValue("countrycode"), QStringLiteral("FR"));
        QCOMPARE(query.queryItemValue("order"), QStringLiteral("clickcount"));
        QCOMPARE(query.queryItemValue("reverse"), QStringLiteral("true"));
        QCOMPARE(query.queryItemValue("hidebroken"), QStringLiteral("true"));
        QCOMPARE(query.queryItemValue("limit"), QStringLiteral("100"));
        QCOMPARE(server.lastUserAgent, QByteArray("MorvenaWebradio/2.71"));
    }

    // Every bad answer ends in one clear line and no stations, within the timeout.
    void badAnswers_data()
    {
        QTest::addColumn<FakeDirectoryServer::Answer>("answer");
        QTest::addColumn<bool>("dead");
        QTest::addColumn<QString>("says");
        using A = FakeDirectoryServer::Answer;
        QTest::newRow("malformed JSON")
            << A{"200 OK", "application/json", json("[{'name': 'Jazz', ")} << false
            << "not readable";
        QTest::newRow("HTML") << A{"200 OK", "text/html",
                                   "<!DOCTYPE html><html><body>Gateway</body>"}
                              << false << "web page";
        QTest::newRow("wrong shape")
            << A{"200 OK", "application/json", json("{'name':'Jazz','url':'http://x'}")} << false
            << "other than a list";
        QTest::newRow("HTTP error")
            << A{"503 Service Unavailable", "text/plain", "busy"} << false << "HTTP error 503";
        QTest::newRow("10 MB, length told")
            << A{"200 OK", "application/json", QByteArray(10 << 20, ' ')} << false << "larger than";
        QTest::newRow("10 MB, length untold")
            << A{"200 OK", "application/json", "[" + QByteArray(10 << 20, ' ') + "]", false}
            << false << "larger than";
        QTest::newRow("never answers")
            << A{"200 OK", "", "", true, true} << false << "did not answer within 1.5 s";
        QTest::newRow("dead server") << A{} << true << "could not be reached";
    }
    void badAnswers()
    {
        QFETCH(FakeDirectoryServer::Answer, answer);
        QFETCH(bool, dead);
        QFETCH(QString, says);
        QUrl base;
        {
            FakeDirectoryServer server;
            server.answer("/json/stations/search", answer);
            base = server.base();
            if (!dead) {
                DirectoryClient client(fixedAt(base));
                const StationSearch result = searchOnce(client);
                QVERIFY(!result);
                QVERIFY2(result.error.contains(says), qPrintable(result.error));
                return;
            }
        }
        DirectoryClient client(fixedAt(base));
        const StationSearch result = searchOnce(client);
        QVERIFY(!result);
        QVERIFY2(result.error.contains(says), qPrintable(result.error));
    }

    // The server comes from the API's own list; when the list is no list, the fallback.
    void serverFromTheList_data()
    {
        QTest::addColumn<QByteArray>("list");
        QTest::addColumn<bool>("listed");
        QTest::newRow("listed server") << QByteArray() << true;
        QTest::newRow("list is a web page") << QByteArray("<html>maintenance</html>") << false;
        QTest::newRow("empty list") << QByteArray("[]") << false;
    }
    void serverFromTheList()
    {
        QFETCH(QByteArray, list);
        QFETCH(bool, listed);
        FakeDirectoryServer bootstrap;
        FakeDirectoryServer mirror;
        FakeDirectoryServer fallback;
        if (listed) {
            list = json("[{'ip':'127.0.0.1','name':'") + mirror.authority().toUtf8() + "\"}]";
        }
        bootstrap.answerJson("/json/servers", list);
        mirror.answerJson("/json/stations/search", kStations);
        fallback.answerJson("/json/stations/search", kStations);
        DirectoryClient::Settings settings;
        settings.serverList = bootstrap.base().resolved(QUrl("/json/servers"));
        settings.fallbackBase = fallback.base();
        settings.timeoutMs = 2000;
        DirectoryClient client(settings);

        QVERIFY(searchOnce(client));
        QCOMPARE(bootstrap.requests, QStringList{"/json/servers"});
        QCOMPARE(client.base(), listed ? mirror.base() : fallback.base());
        QCOMPARE((listed ? mirror : fallback).requests.size(), 1);
        QCOMPARE((listed ? fallback : mirror).requests.size(), 0);
    }

    // Playing a result tunes to it as the menu does and reports the click; storing goes to
    // the preset's keys. (Adding is the dialog's test.)
    void resultsPlayAndStore()
    {
        FakeDirectoryServer server;
        server.answerJson("/json/stations/search", kStations);
        server.answerJson("/json/url/u-nrk", json("{'ok':true,'message':'retrieved station url'}"));
        // A base written with a slash at its end, as a mirror's address often is.
        DirectoryClient client(fixedAt(QUrl(server.base().toString() + '/')));
        const StationSearch result = searchOnce(client);
        QVERIFY(result);
        ChannelsFixture f;
        ChannelAdder adder(f.listPath, *f.state, *f.engine, f.messages);
        StationActions actions(*f.transport, adder, *f.presets, client);
        const Station &nrk = result.stations->first();

        QSignalSpy clicked(&client, &DirectoryClient::clickReported);
        actions.play(nrk);
        QCOMPARE(f.engine->url(), QStringLiteral("http://127.0.0.1:9/p1"));
        QCOMPARE(f.state->Label2(), QStringLiteral("NRK P1"));
        QVERIFY(clicked.wait(5000));
        QCOMPARE(clicked.first(), QVariantList({"u-nrk", true}));
        QCOMPARE(server.requests.last(), QStringLiteral("/json/url/u-nrk"));

        f.log.take();
        actions.store(4, nrk);
        QCOMPARE(f.log.take(), QStringList({"store.Knapp4_Navn=NRK P1",
                                            "store.Knapp4_URL=http://127.0.0.1:9/p1"}));
    }
};

QTEST_GUILESS_MAIN(TestDirectory)
#include "tst_directory.moc"
