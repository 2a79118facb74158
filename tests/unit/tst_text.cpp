// Text and parsing: stream and list text decoding, the now-playing text, XML playlists,
// which locations may reach the engine, and the channel list reader's rules.
#include "Fixture.h"
#include "NowPlaying.h"
#include "ProfileReader.h"
#include "XmlPlaylist.h"

#include <QTest>

namespace {

QByteArray navn(const QByteArray &entries)
{
    return "[Navn]\n" + entries + "\n[URL]\n1=http://127.0.0.1/\n";
}

void rule(const char *name, const QByteArray &bytes, const QString &section, const QString &key,
          const QString &value)
{
    QTest::newRow(name) << bytes << section << key << value;
}

} // namespace

class TestText : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void derivesNowPlaying_data()
    {
        QTest::addColumn<QStringList>("tags"); // key, value, key, value...
        QTest::addColumn<QString>("author");
        QTest::addColumn<QString>("title");
        QTest::newRow("icy split on first separator")
            << QStringList{"icy-title", "Band - Song - Live", "icy-name", "Radio"} << "Band"
            << "Song - Live";
        QTest::newRow("icy without separator: station as author")
            << QStringList{"icy-title", "Morning Show", "icy-name", "NRK P1"} << "NRK P1"
            << "Morning Show";
        QTest::newRow("tag title wins")
            << QStringList{"title", "Tagged", "icy-title", "A - B"} << ""
            << "Tagged";
    }
    void derivesNowPlaying()
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

    void parsesXmlPlaylists_data();
    void parsesXmlPlaylists()
    {
        QFETCH(QByteArray, document);
        QFETCH(QString, base);
        QFETCH(QStringList, entries);
        QCOMPARE(XmlPlaylist::parse(document, QUrl(base)), entries);
    }

    // Channel lists, drops and playlists are not ours to trust: only files and streaming
    // protocols reach the engine, never its filter, descriptor or edit-list protocols.
    void allowsOnlyFilesAndStreams()
    {
        for (const char *ok : {"HTTPS://radio.invalid/a.mp3", "mms://radio.invalid/live",
                               "C:\\Music\\a.mp3", "file:///home/u/a.ogg"})
            QVERIFY2(XmlPlaylist::isPlayableLocation(QLatin1String(ok)), ok);
        for (const char *bad : {"  ", "av://lavfi:sine,ametadata=mode=print:file=/tmp/x",
                                "lavfi://sine", "edl://a.mp3,0,1", "fd://0", "memory://data",
                                "javascript:alert(1)", "smb://host/share/a.mp3"})
            QVERIFY2(!XmlPlaylist::isPlayableLocation(QLatin1String(bad)), bad);
    }

    void readingRules_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        const QString n = QStringLiteral("Navn");
        // Names: case and blanks around them do not count.
        rule("section in lower case", "[navn]\n1=a", n, "1", "a");
        rule("number with a leading blank", navn("1=a"), n, " 1", "a");
        rule("blanks around the equals sign", navn("  1   =   a b  "), n, "1", "a b");
        rule("01 is not 1", navn("01=a"), n, "1", "");
        rule("non-ASCII key case", "[\xC3\x98st]\n\xC3\xA6=x", "\u00F8ST", "\u00C6", "x");
        // Values: one pair of enclosing quotes goes, blanks inside quotes stay.
        rule("double quotes", navn("1=\"  padded  \""), n, "1", "  padded  ");
        rule("one pair only", navn("1=\"\"x\"\""), n, "1", "\"x\"");
        // Length: 254 characters at most, counted after the quotes went.
        rule("300 characters", navn("1=" + QByteArray(300, 'x')), n, "1", QString(254, u'x'));
        rule("quoted 300", navn("1=\"" + QByteArray(300, 'y') + "\""), n, "1", QString(254, u'y'));
        rule("no half surrogate pair", navn("1=" + QByteArray(253, 'z') + "\xF0\x9F\x93\xBB"), n,
             "1", QString(253, u'z'));
        // Missing things read as empty; the first section of a name and key in it count.
        rule("blank value", navn("1=    "), n, "1", "");
        rule("first section wins", "[Navn]\n1=a\n[URL]\n1=u\n[navn]\n1=b\n2=c", n, "2", "");
        // Lines that are no header and no entry are passed over.
        rule("comment", navn(";1=commented\n2=b"), n, "1", "");
        // Line ends and encodings: each line is UTF-8 when it can be, else Windows-1252.
        rule("Ctrl+Z at the end", "[Navn]\r\n1=a\r\n\x1A", n, "1", "a");
        rule("Windows-1252", navn("1=NRK P1 \xD8stlandssendingen"), n, "1",
             "NRK P1 \u00D8stlandssendingen");
        rule("Windows-1252 dash and quotes", navn("1=\x93P4\x94 \x96 Lyden"), n, "1",
             "\u201CP4\u201D \u2013 Lyden");
        rule("UTF-8 with BOM", "\xEF\xBB\xBF[Navn]\r\n1=\xC3\xA6\xC3\xB8\xC3\xA5", n, "1",
             "\u00E6\u00F8\u00E5");
        rule("each line its own encoding", navn("1=Bl\xE5\n2=Bl\xC3\xA5"), n, "2", "Bl\u00E5");
        rule("binary junk", QByteArrayLiteral("[Navn]\n\x00\xFF\xFE\x80junk\n\xC3\x28=\x00\n1=a"),
             n, "1", "a");
    }
    // One parse, a single lookup and the file read anew give the same answer.
    void readingRules()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QCOMPARE(ProfileReader::fromBytes(bytes).value(section, key), value);
        QCOMPARE(ProfileReader::find(bytes, section, key), value);
        const QString path = m_dir.filePath(QStringLiteral("list.ini"));
        QVERIFY(Fixture::write(path, bytes));
        QCOMPARE(ReadIniValue(section, key, path), value);
    }

    // Nothing is cached: a change to the file shows at the very next read; none reads empty.
    void everyReadReadsTheFile()
    {
        const QString path = m_dir.filePath(QStringLiteral("edited.ini"));
        QCOMPARE(ReadIniValue("Navn", "1", path), QString());
        QCOMPARE(ReadIniValue("Navn", "1", m_dir.path()), QString()); // a folder
        QVERIFY(Fixture::write(path, navn("1=before")));
        QCOMPARE(ReadIniValue("Navn", "1", path), QStringLiteral("before"));
        QVERIFY(Fixture::write(path, navn("1=after")));
        QCOMPARE(ReadIniValue("Navn", "1", path), QStringLiteral("after"));
    }
};

// Outside the class: moc does not read raw strings.
void TestText::parsesXmlPlaylists_data()
{
    QTest::addColumn<QByteArray>("document");
    QTest::addColumn<QString>("base");
    QTest::addColumn<QStringList>("entries");
    QTest::newRow("asx upper case, relative")
        << QByteArray(R"(<ASX VERSION="3.0"><ENTRY><REF HREF="live.mp3"/></ENTRY></ASX>)")
        << "http://host.invalid/radio/list.asx"
        << QStringList{"http://host.invalid/radio/live.mp3"};
    QTest::newRow("malformed asx with bare ampersand")
        << QByteArray("<asx><entry><ref href=\"http://a.invalid/s?x=1&y=2\"></entry></asx>")
        << "http://host.invalid/l.asx" << QStringList{"http://a.invalid/s?x=1&y=2"};
    QTest::newRow("wpl relative windows path")
        << QByteArray(R"(<?wpl version="1.0"?><smil><body><seq>)"
                      "<media src=\"..\\Music\\a.mp3\"/><media src=\"b.ogg\"/></seq></body></smil>")
        << "file:///home/u/lists/l.wpl"
        << QStringList{"/home/u/Music/a.mp3", "/home/u/lists/b.ogg"};
    QTest::newRow("remote list naming local files")
        << QByteArray(R"(<asx><entry><ref href="file:///home/u/.ssh/id_rsa"/></entry>)"
                      "<entry><ref href=\"C:\\Windows\\win.ini\"/></entry>"
                      R"(<entry><ref href="/etc/passwd"/></entry>)"
                      R"(<entry><ref href="http://a.invalid/ok"/></entry></asx>)")
        << "http://host.invalid/l.asx" << QStringList{"http://a.invalid/ok"};
    QTest::newRow("engine protocols refused")
        << QByteArray(R"(<smil><media src="av://lavfi:sine"/><media src="edl://x"/>)"
                      R"(<media src="fd://0"/><media src="b.mp3"/></smil>)")
        << "file:///home/u/l.wpl" << QStringList{"/home/u/b.mp3"};
    QTest::newRow("not xml at all")
        << QByteArray("\x00\xff garbage", 10) << "http://h.invalid/l.asx" << QStringList{};
}

QTEST_GUILESS_MAIN(TestText)
#include "tst_text.moc"
