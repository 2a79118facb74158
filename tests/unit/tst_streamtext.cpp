// Decoding of stream and list text, now-playing derivation, and XML playlist parsing.
#include "NowPlaying.h"
#include "TextDecoding.h"
#include "XmlPlaylist.h"

#include <QTest>

class TestStreamText : public QObject {
    Q_OBJECT

private slots:
    void decodesUtf8OrWindows1252_data();
    void decodesUtf8OrWindows1252();
    void derivesNowPlaying_data();
    void derivesNowPlaying();
    void recognisesXmlPlaylists_data();
    void recognisesXmlPlaylists();
    void parsesXmlPlaylists_data();
    void parsesXmlPlaylists();
    void allowsOnlyFilesAndStreams_data();
    void allowsOnlyFilesAndStreams();
};

void TestStreamText::decodesUtf8OrWindows1252_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("ascii") << QByteArray("NRK P1") << QStringLiteral("NRK P1");
    QTest::newRow("utf-8") << QByteArray("\xC3\x98stlandssendingen")
                           << QStringLiteral("Østlandssendingen");
    QTest::newRow("utf-8 with BOM")
        << QByteArray("\xEF\xBB\xBF\xC3\xA6\xC3\xB8\xC3\xA5") << QStringLiteral("æøå");
    QTest::newRow("latin-1 bytes")
        << QByteArray("\xD8stlandssendingen") << QStringLiteral("Østlandssendingen");
    QTest::newRow("cp1252 quotes and euro")
        << QByteArray("\x93Hit\x94 \x80 5 \x96 live") << QStringLiteral("“Hit” € 5 – live");
    QTest::newRow("truncated utf-8 falls back") << QByteArray("Caf\xC3") << QStringLiteral("CafÃ");
    QTest::newRow("undefined cp1252 byte") << QByteArray("a\x81z") << QStringLiteral("a\u0081z");
    QTest::newRow("empty") << QByteArray() << QString();
}

void TestStreamText::decodesUtf8OrWindows1252()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(decodeUtf8OrWindows1252(bytes), text);
}

void TestStreamText::derivesNowPlaying_data()
{
    QTest::addColumn<QStringList>("tags"); // key, value, key, value...
    QTest::addColumn<QString>("author");
    QTest::addColumn<QString>("title");
    QTest::newRow("file tags") << QStringList{"artist", "A-ha", "title", "Take On Me"} << "A-ha"
                               << "Take On Me";
    QTest::newRow("icy split on first separator")
        << QStringList{"icy-title", "Band - Song - Live", "icy-name", "Radio"} << "Band"
        << "Song - Live";
    QTest::newRow("icy without separator takes station as author")
        << QStringList{"icy-title", "Morning Show", "icy-name", "NRK P1"} << "NRK P1"
        << "Morning Show";
    QTest::newRow("icy without separator nor station")
        << QStringList{"icy-title", "Morning Show"} << ""
        << "Morning Show";
    QTest::newRow("artist tag keeps icy title whole")
        << QStringList{"artist", "X", "icy-title", "A - B"} << "X"
        << "A - B";
    QTest::newRow("leading separator is not a split") << QStringList{"icy-title", " - Intro"} << ""
                                                      << "- Intro";
    QTest::newRow("station only") << QStringList{"icy-name", "Jazz FM"} << "Jazz FM"
                                  << "";
    QTest::newRow("nothing") << QStringList{} << ""
                             << "";
    QTest::newRow("tag title wins over icy")
        << QStringList{"title", "Tagged", "icy-title", "A - B"} << ""
        << "Tagged";
}

void TestStreamText::derivesNowPlaying()
{
    QFETCH(QStringList, tags);
    QFETCH(QString, author);
    QFETCH(QString, title);
    QHash<QString, QString> map;
    for (qsizetype i = 0; i + 1 < tags.size(); i += 2)
        map.insert(tags.at(i), tags.at(i + 1));
    const NowPlaying now = nowPlayingFromTags(map);
    QCOMPARE(now.author, author);
    QCOMPARE(now.title, title);
}

void TestStreamText::recognisesXmlPlaylists_data()
{
    QTest::addColumn<QString>("location");
    QTest::addColumn<bool>("xml");
    QTest::newRow("asx url") << "http://example.invalid/live.asx" << true;
    QTest::newRow("upper-case wax with query") << "http://example.invalid/A.WAX?x=1" << true;
    QTest::newRow("wvx path") << "/home/u/list.wvx" << true;
    QTest::newRow("wpl windows path") << "C:\\Music\\list.wpl" << true;
    QTest::newRow("pls") << "http://example.invalid/live.pls" << false;
    QTest::newRow("mp3 stream") << "http://example.invalid/stream.mp3" << false;
    QTest::newRow("asx in query only") << "http://example.invalid/play?f=a.asx" << false;
}

void TestStreamText::recognisesXmlPlaylists()
{
    QFETCH(QString, location);
    QFETCH(bool, xml);
    QCOMPARE(XmlPlaylist::isXmlPlaylist(location), xml);
}

void TestStreamText::parsesXmlPlaylists_data()
{
    QTest::addColumn<QByteArray>("document");
    QTest::addColumn<QString>("base");
    QTest::addColumn<QStringList>("entries");
    QTest::newRow("asx two entries")
        << QByteArray(R"(<asx version="3.0"><entry><ref href="http://a.invalid/1"/></entry>)"
                      R"(<entry><ref href="http://a.invalid/2"/></entry></asx>)")
        << "http://host.invalid/list.asx"
        << QStringList{"http://a.invalid/1", "http://a.invalid/2"};
    QTest::newRow("asx upper case, relative")
        << QByteArray(R"(<ASX VERSION="3.0"><ENTRY><REF HREF="live.mp3"/></ENTRY></ASX>)")
        << "http://host.invalid/radio/list.asx"
        << QStringList{"http://host.invalid/radio/live.mp3"};
    QTest::newRow("malformed asx with bare ampersand")
        << QByteArray("<asx><entry><ref href=\"http://a.invalid/s?x=1&y=2\"></entry></asx>")
        << "http://host.invalid/l.asx" << QStringList{"http://a.invalid/s?x=1&y=2"};
    QTest::newRow("asx escaped ampersand")
        << QByteArray(R"(<asx><entry><ref href="http://a.invalid/s?x=1&amp;y=2"/></entry></asx>)")
        << "http://host.invalid/l.asx" << QStringList{"http://a.invalid/s?x=1&y=2"};
    QTest::newRow("wpl relative windows path")
        << QByteArray(R"(<?wpl version="1.0"?><smil><body><seq>)"
                      R"(<media src="..\Music\a.mp3"/><media src="b.ogg"/></seq></body></smil>)")
        << "file:///home/u/lists/l.wpl"
        << QStringList{"/home/u/Music/a.mp3", "/home/u/lists/b.ogg"};
    QTest::newRow("wpl absolute path") << QByteArray(R"(<smil><media src="/srv/x.mp3"/></smil>)")
                                       << "file:///home/u/l.wpl" << QStringList{"/srv/x.mp3"};
    QTest::newRow("remote list naming local files")
        << QByteArray(R"(<asx><entry><ref href="file:///home/u/.ssh/id_rsa"/></entry>)"
                      R"(<entry><ref href="C:\Windows\win.ini"/></entry>)"
                      R"(<entry><ref href="/etc/passwd"/></entry>)"
                      R"(<entry><ref href="http://a.invalid/ok"/></entry></asx>)")
        << "http://host.invalid/l.asx" << QStringList{"http://a.invalid/ok"};
    QTest::newRow("engine protocols refused")
        << QByteArray(R"(<smil><media src="av://lavfi:sine"/><media src="edl://x"/>)"
                      R"(<media src="fd://0"/><media src="b.mp3"/></smil>)")
        << "file:///home/u/l.wpl" << QStringList{"/home/u/b.mp3"};
    QTest::newRow("no entries") << QByteArray("<asx></asx>") << "http://h.invalid/l.asx"
                                << QStringList{};
    QTest::newRow("not xml at all")
        << QByteArray("\x00\xff garbage", 10) << "http://h.invalid/l.asx" << QStringList{};
}

void TestStreamText::parsesXmlPlaylists()
{
    QFETCH(QByteArray, document);
    QFETCH(QString, base);
    QFETCH(QStringList, entries);
    QCOMPARE(XmlPlaylist::parse(document, QUrl(base)), entries);
}

// Channel lists, dropped files and playlists are not ours to trust: only files and the
// streaming protocols reach the engine, never its filter, descriptor or edit-list protocols.
void TestStreamText::allowsOnlyFilesAndStreams_data()
{
    QTest::addColumn<QString>("location");
    QTest::addColumn<bool>("playable");
    QTest::newRow("http") << "http://radio.invalid:8000/live" << true;
    QTest::newRow("upper-case https") << "HTTPS://radio.invalid/a.mp3" << true;
    QTest::newRow("mms") << "mms://radio.invalid/live" << true;
    QTest::newRow("rtsp") << "rtsp://radio.invalid/live" << true;
    QTest::newRow("absolute path") << "/home/u/Music/a.mp3" << true;
    QTest::newRow("windows path") << "C:\\Music\\a.mp3" << true;
    QTest::newRow("file url") << "file:///home/u/a.ogg" << true;
    QTest::newRow("blank") << "  " << false;
    QTest::newRow("lavfi filter") << "av://lavfi:sine,ametadata=mode=print:file=/tmp/x" << false;
    QTest::newRow("lavfi short") << "lavfi://sine" << false;
    QTest::newRow("edit list") << "edl://a.mp3,0,1" << false;
    QTest::newRow("file descriptor") << "fd://0" << false;
    QTest::newRow("memory") << "memory://data" << false;
    QTest::newRow("javascript") << "javascript:alert(1)" << false;
    QTest::newRow("smb") << "smb://host/share/a.mp3" << false;
}

void TestStreamText::allowsOnlyFilesAndStreams()
{
    QFETCH(QString, location);
    QFETCH(bool, playable);
    QCOMPARE(XmlPlaylist::isPlayableLocation(location), playable);
}

QTEST_GUILESS_MAIN(TestStreamText)
#include "tst_streamtext.moc"
