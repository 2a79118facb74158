// The channel sources: the "My Channels" menu from the list, adding to the list and
// following its changes, the preset buttons, and drops on the now-playing text (a list
// installed without risk to the old one, anything else played); and the text they are
// made of: the now-playing text, XML playlists, which locations may reach the engine, and
// the channel list reader's rules.
#include "ChannelListWriter.h"
#include "CommandLine.h"
#include "Fixture.h"
#include "NowPlaying.h"
#include "ProfileReader.h"
#include "XmlPlaylist.h"

#include <QDir>
#include <QTest>

namespace {

const QString kEdit = QStringLiteral("\u00A6 Edit Channels");
const QByteArray kOldList = "[Navn]\r\n1=Old\r\n[URL]\r\n1=http://127.0.0.1/old\r\n";
const QByteArray kNewList = "[Navn]\r\n1=New \xD8st\r\n[URL]\r\n1=http://127.0.0.1/new\r\n";

QByteArray list(const QByteArray &names, const QByteArray &urls = {})
{
    return "[Navn]\r\n" + names + "\r\n[URL]\r\n" + urls + "\r\n";
}

QDateTime at(const char *time, int dayOffset = 0)
{
    return QDateTime(QDate(2024, 3, 9).addDays(dayOffset),
                     QTime::fromString(QLatin1String(time), QStringLiteral("HH:mm:ss.zzz")));
}

void hold(Fixture &f, int preset, const QDateTime &down, const QDateTime &up)
{
    f.clock.time = down;
    f.presets->mouseDown();
    f.clock.time = up;
    f.presets->mouseUp(preset);
}

void rule(const char *name, const QByteArray &bytes, const QString &section, const QString &key,
          const QString &value)
{
    QTest::newRow(name) << bytes << section << key << value;
}

} // namespace

class TestChannels : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void builds_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("captions");
        QTest::newRow("stops at the gap")
            << list("1=One\r\n2=Two\r\n4=Four") << QStringList{kEdit, "One", "Two"};
        QTest::newRow("stops at a blank entry")
            << list("1=One\r\n2=Two\r\n3=  \r\n4=Four") << QStringList{kEdit, "One", "Two"};
        QTest::newRow("no list at all") << QByteArray() << QStringList{kEdit};
    }
    void builds()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, captions);
        Fixture f;
        if (!bytes.isEmpty())
            QVERIFY(f.write(f.listPath, bytes));
        f.menu->BuildChannelMenu();
        QCOMPARE(f.menu->captions(), captions);
        QCOMPARE(ChannelMenu::menuText(QStringLiteral("A&B")), QStringLiteral("A&&B"));
    }

    // The entry is read when chosen, so an edit made while the program runs is what tunes;
    // the caption stays as it was built.
    void choosingTunesToTheEntryAsItReadsNow()
    {
        Fixture f;
        QVERIFY(f.write(f.listPath, list("1=One\r\n2=Two", "1=http://h/1\r\n2=http://h/2")));
        f.menu->BuildChannelMenu();
        QVERIFY(f.write(f.listPath, list("1=One\r\n2=Zwei", "1=http://h/1\r\n2=http://h/zwei")));
        f.menu->mnuNetClick(2);
        QCOMPARE(f.engine->url(), QStringLiteral("http://h/zwei"));
        QCOMPARE(f.state->Label2(), QStringLiteral("Zwei"));
        QCOMPARE(f.stored(u"LydstraumURL"), "http://h/zwei");
        QCOMPARE(f.menu->captions().at(2), QStringLiteral("Two"));
    }

    // Whole seconds of the wall clock count, not the time held.
    void holdTime_data()
    {
        QTest::addColumn<QDateTime>("down");
        QTest::addColumn<QDateTime>("up");
        QTest::addColumn<bool>("stores");
        QTest::newRow("1.1 s across two boundaries")
            << at("10:00:00.900") << at("10:00:02.000") << true;
        QTest::newRow("1.9 s across one boundary")
            << at("10:00:00.000") << at("10:00:01.900") << false;
        QTest::newRow("over midnight") << at("23:59:59.500") << at("00:00:01.000", 1) << true;
        QTest::newRow("clock set back") << at("10:00:05.000") << at("10:00:01.000") << false;
    }
    void holdTime()
    {
        QFETCH(QDateTime, down);
        QFETCH(QDateTime, up);
        QFETCH(bool, stores);
        Fixture f;
        f.memory.values.insert(Fixture::key(u"Knapp5_Navn"), "Stored");
        f.memory.values.insert(Fixture::key(u"Knapp5_URL"), "http://127.0.0.1/stored");
        f.transport->tune("Playing", "http://127.0.0.1/playing");
        f.log.take();
        hold(f, 5, down, up);
        if (stores) {
            QCOMPARE(
                f.log.take(),
                QStringList({"store.save(Knapp5_Navn=Playing, Knapp5_URL=http://127.0.0.1/playing)",
                             "beep()"}));
        } else {
            QVERIFY(!f.log.take().contains("beep()"));
            QCOMPARE(f.engine->url(), QStringLiteral("http://127.0.0.1/stored"));
            QCOMPARE(f.state->Label2(), QStringLiteral("Stored"));
        }
    }

    // A dropped list is moved: the old list is replaced, the dropped file is gone, nothing
    // else is left beside the list, and the program saves before it restarts. A list opened
    // from a file manager (the command line) is installed the same way but stays in place.
    void listFromAnotherFolderIsInstalled_data()
    {
        QTest::addColumn<bool>("opened");
        QTest::newRow("dropped") << false;
        QTest::newRow("opened with the player") << true;
    }
    void listFromAnotherFolderIsInstalled()
    {
        QFETCH(bool, opened);
        Fixture f;
        QVERIFY(f.write(f.listPath, kOldList));
        const QString given = f.path("downloads/Mine Kanaler.ini.txt");
        QVERIFY(f.write(given, kNewList));
        f.transport->tune("Radio Nord", "http://127.0.0.1/nord");
        f.log.take();
        if (opened) {
            CommandLine::open(given, *f.drops);
        } else {
            f.drops->Label4Drop({given});
        }
        QStringList steps = {"files.copy(" + given + " -> " + f.listPath + ")"};
        if (!opened) {
            steps.append("files.remove(" + given + ")");
        }
        QCOMPARE(f.log.take(), steps + QStringList({"restart.start()", "tray.remove()"}) +
                                   Fixture::saveLines("http://127.0.0.1/nord", "Radio Nord",
                                                      "Radio Nord", "Radio Nord") +
                                   QStringList{"restart.close()"});
        QCOMPARE(f.read(f.listPath), kNewList);
        QCOMPARE(QFileInfo::exists(given), opened);
        QCOMPARE(f.filesIn(f.programFolder), QStringList{"Mine Kanaler.ini"});
    }

    // On a failed copy nothing is lost: the old list is whole, the dropped file stays, the
    // program keeps running, and the message says so.
    void failedCopyLosesNothing_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("disk full") << "full";
        QTest::newRow("program folder gone") << "gone";
        QTest::newRow("a folder named like the list") << "folder";
    }
    void failedCopyLosesNothing()
    {
        QFETCH(QString, how);
        Fixture f;
        QVERIFY(f.write(f.listPath, kOldList));
        QString dropped = f.path("downloads/Mine Kanaler.ini");
        QVERIFY(f.write(dropped, kNewList));
        std::unique_ptr<DropHandler> drops;
        if (how == "full") {
            f.files.failCopy = true;
        } else if (how == "gone") {
            drops = std::make_unique<DropHandler>(f.path("gone/Mine Kanaler.ini"), *f.engine,
                                                  *f.transport, *f.settings, *f.tray, f.files,
                                                  f.restarter, f.messages);
        } else {
            dropped = f.path("downloads/Mine Kanaler");
            QVERIFY(QDir().mkpath(dropped));
        }
        f.log.take();
        (drops ? *drops : *f.drops).Label4Drop({dropped});
        const QStringList steps = f.log.take();
        QCOMPARE(steps.size(), 2);
        QVERIFY(steps.first().startsWith("files.copy("));
        QVERIFY(f.messages.lastText.contains("not installed"));
        QCOMPARE(f.read(f.listPath), kOldList);
        QVERIFY(QFileInfo::exists(dropped));
        QCOMPARE(f.filesIn(f.programFolder), QStringList{"Mine Kanaler.ini"});
    }

    // A dropped item replaces the saved station only once the engine plays it: a bad one
    // leaves the last good station for the next start, even when the program ends first.
    // A playlist's own name for its entry names the channel.
    void aDropIsTheStationOnceItPlays()
    {
        Fixture f;
        f.transport->tune("Radio Nord", "http://127.0.0.1/nord");
        const QString playlist = f.path("lists/mine.m3u");
        QVERIFY(f.write(playlist, "#EXTM3U\n#EXTINF:-1,Radio Syd\nhttp://127.0.0.1/syd\n"));
        f.drops->Label4Drop({playlist});
        QCOMPARE(f.state->Label2(), QStringLiteral("Radio Syd"));
        Playback failed;
        failed.state = Playback::State::Failed;
        failed.reason = QStringLiteral("Connection refused");
        f.transport->playbackChanged(failed);
        f.lifecycle->unload();
        QCOMPARE(f.stored(u"LydstraumURL"), QStringLiteral("http://127.0.0.1/nord"));
        QCOMPARE(f.stored(u"Tittel2"), QStringLiteral("Radio Nord"));

        f.drops->Label4Drop({playlist});
        Playback playing;
        playing.state = Playback::State::Playing;
        f.transport->playbackChanged(playing);
        QCOMPARE(f.stored(u"LydstraumURL"), playlist);
        QCOMPARE(f.stored(u"Tittel2"), QStringLiteral("Radio Syd"));
    }

    // Dropping the installed list on the player must not delete it.
    void theInstalledListDroppedOnItselfStays()
    {
        Fixture f;
        QVERIFY(f.write(f.listPath, kOldList));
        f.drops->Label4Drop({f.programFolder + "/../program/Mine Kanaler.ini"});
        const QStringList steps = f.log.take();
        QCOMPARE(steps.last(), QStringLiteral("restart.close()"));
        QVERIFY(!steps.join('\n').contains("files."));
        QCOMPARE(f.read(f.listPath), kOldList);
    }

    void copyOverReplacesWholeOrNotAtAll()
    {
        Fixture f;
        LocalFileOperations files;
        const QString source = f.path("a/source.ini");
        const QString target = f.path("b/target.ini");
        QVERIFY(f.write(source, kNewList));
        QVERIFY(f.write(target, kOldList));
        QVERIFY(files.copyOver(source, target));
        QCOMPARE(f.read(target), kNewList);
        QCOMPARE(f.filesIn(f.path("b")), QStringList{"target.ini"});
        const auto missing = files.copyOver(f.path("a/none.ini"), target);
        QVERIFY(!missing);
        QVERIFY(missing.error.contains("none.ini"));
        QVERIFY(!files.copyOver(f.path("a"), target));
        QCOMPARE(f.read(target), kNewList);
        QVERIFY(!files.copyOver(source, f.path("c/target.ini")));
        QVERIFY(!QFileInfo::exists(f.path("c")));
        QVERIFY(files.remove(source));
        QVERIFY(!files.remove(source).error.isEmpty());
    }
    // Adding keeps every byte the list had: a Windows-1252 CRLF list with a comment, a
    // quoted name and a section the program does not read stays so, as does a leading
    // byte-order mark.
    void appendKeepsTheFile()
    {
        const QByteArray old = "; My stations\r\n[Navn]\r\n1=NRK P1 \xD8st\r\n2=\"  Jazz  \"\r\n"
                               "\r\n[URL]\r\n1=http://127.0.0.1/p1\r\n2=http://127.0.0.1/jazz\r\n"
                               "[Annet]\r\nx=y\r\n";
        const auto result =
            ChannelListWriter::append(old, QStringLiteral("Kanal \u00C6 \u20AC"), "http://h/new");
        QVERIFY2(result, qPrintable(result.message()));
        QCOMPARE(*result.bytes,
                 QByteArray("; My stations\r\n[Navn]\r\n1=NRK P1 \xD8st\r\n2=\"  Jazz  \"\r\n"
                            "3=Kanal \xC6 \x80\r\n\r\n[URL]\r\n1=http://127.0.0.1/p1\r\n"
                            "2=http://127.0.0.1/jazz\r\n3=http://h/new\r\n[Annet]\r\nx=y\r\n"));
        // A UTF-8 list from Windows starts with a byte-order mark: the entry goes into its
        // sections, the mark stays, and the same address again is a duplicate.
        const QByteArray marked = "\xEF\xBB\xBF[Navn]\r\n1=\xC3\x86\r\n[URL]\r\n1=http://h/1\r\n";
        const auto added = ChannelListWriter::append(marked, "Two", "http://h/2");
        QVERIFY2(added, qPrintable(added.message()));
        QCOMPARE(*added.bytes, QByteArray("\xEF\xBB\xBF[Navn]\r\n1=\xC3\x86\r\n2=Two\r\n[URL]\r\n"
                                          "1=http://h/1\r\n2=http://h/2\r\n"));
        QCOMPARE(ChannelListWriter::append(*added.bytes, "Again", "http://h/2").refusal,
                 ChannelListWriter::Refusal::Duplicate);
        // A full list and an address already listed are refused and write nothing.
        QByteArray names = "[Navn]\n", urls = "[URL]\n";
        for (int i = 1; i <= 32767; ++i) {
            names += QByteArray::number(i) + "=K\n";
            urls += QByteArray::number(i) + "=http://h/" + QByteArray::number(i) + "\n";
        }
        const QByteArray full = names + urls;
        const auto refusedFull = ChannelListWriter::append(full, "Name", "http://h/new");
        QCOMPARE(refusedFull.refusal, ChannelListWriter::Refusal::Full);
        QVERIFY(!refusedFull.bytes);
        const auto duplicate = ChannelListWriter::append(old, "Name", " http://127.0.0.1/jazz ");
        QCOMPARE(duplicate.refusal, ChannelListWriter::Refusal::Duplicate);
        QCOMPARE(duplicate.number, 2);
        QVERIFY(!duplicate.bytes);
    }

    void derivesNowPlaying_data()
    {
        QTest::addColumn<QStringList>("tags"); // key, value, key, value...
        QTest::addColumn<QString>("author");   // as the now-playing line shows it
        QTest::addColumn<QString>("artist");   // as the song is kept
        QTest::addColumn<QString>("title");
        QTest::newRow("icy split on first separator")
            << QStringList{"icy-title", "Band - Song - Live", "icy-name", "Radio"} << "Band"
            << "Band"
            << "Song - Live";
        QTest::newRow("icy without separator: station stands in, but is no artist")
            << QStringList{"icy-title", "Morning Show", "icy-name", "NRK P1"} << "NRK P1"
            << ""
            << "Morning Show";
        QTest::newRow("tag title wins")
            << QStringList{"title", "Tagged", "icy-title", "A - B"} << ""
            << ""
            << "Tagged";
    }
    void derivesNowPlaying()
    {
        QFETCH(QStringList, tags);
        QFETCH(QString, author);
        QFETCH(QString, artist);
        QFETCH(QString, title);
        QHash<QString, QString> map;
        for (qsizetype i = 0; i + 1 < tags.size(); i += 2)
            map.insert(tags.at(i), tags.at(i + 1));
        const NowPlaying now = nowPlayingFromTags(map);
        QCOMPARE(now.author(), author);
        QCOMPARE(now.artist, artist);
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
        rule("blanks around the equals sign", list("  1   =   a b  "), n, "1", "a b");
        rule("01 is not 1", list("01=a"), n, "1", "");
        rule("non-ASCII key case", "[\xC3\x98st]\n\xC3\xA6=x", "\u00F8ST", "\u00C6", "x");
        // Values: one pair of enclosing quotes goes, blanks inside quotes stay.
        rule("double quotes", list("1=\"  padded  \""), n, "1", "  padded  ");
        rule("one pair only", list("1=\"\"x\"\""), n, "1", "\"x\"");
        // Length: 254 characters at most, counted after the quotes went.
        rule("300 characters", list("1=" + QByteArray(300, 'x')), n, "1", QString(254, u'x'));
        rule("no half surrogate pair", list("1=" + QByteArray(253, 'z') + "\xF0\x9F\x93\xBB"), n,
             "1", QString(253, u'z'));
        // Missing things read as empty; the first section of a name and key in it count.
        rule("blank value", list("1=    "), n, "1", "");
        rule("first section wins", "[Navn]\n1=a\n[URL]\n1=u\n[navn]\n1=b\n2=c", n, "2", "");
        // Lines that are no header and no entry are passed over.
        rule("comment", list(";1=commented\n2=b"), n, "1", "");
        // Line ends and encodings: each line is UTF-8 when it can be, else Windows-1252.
        rule("Ctrl+Z at the end", "[Navn]\r\n1=a\r\n\x1A", n, "1", "a");
        rule("Windows-1252 dash and quotes", list("1=\x93P4\x94 \x96 Lyden"), n, "1",
             "\u201CP4\u201D \u2013 Lyden");
        rule("UTF-8 with BOM", "\xEF\xBB\xBF[Navn]\r\n1=\xC3\xA6\xC3\xB8\xC3\xA5", n, "1",
             "\u00E6\u00F8\u00E5");
        rule("each line its own encoding", list("1=Bl\xE5\n2=Bl\xC3\xA5"), n, "2", "Bl\u00E5");
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
        QVERIFY(Fixture::write(path, list("1=before")));
        QCOMPARE(ReadIniValue("Navn", "1", path), QStringLiteral("before"));
        QVERIFY(Fixture::write(path, list("1=after")));
        QCOMPARE(ReadIniValue("Navn", "1", path), QStringLiteral("after"));
    }
};

// Outside the class: moc does not read raw strings.
void TestChannels::parsesXmlPlaylists_data()
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
    QTest::newRow("not xml at all")
        << QByteArray("\x00\xff garbage", 10) << "http://h.invalid/l.asx" << QStringList{};
}

QTEST_GUILESS_MAIN(TestChannels)
#include "tst_channels.moc"
