#include "ChannelListLocation.h"
#include "ChannelsFixture.h"
#include "ProfileReader.h"

#include <QDir>
#include <QRandomGenerator>
#include <QTest>

namespace {

const QString kEdit = QStringLiteral("\u00A6 Edit Channels");

QByteArray list(const QByteArray &names, const QByteArray &urls = {})
{
    return "[Navn]\r\n" + names + "\r\n[URL]\r\n" + urls + "\r\n";
}

// What the menu must hold, found the slow way the menu once was built: one read of the
// file per entry.
QStringList captionsKeyByKey(const QString &path)
{
    QStringList captions{kEdit};
    for (int entry = 1; entry <= ChannelMenu::kMaxEntries; ++entry) {
        const QString name = ReadIniValue("Navn", QLatin1Char(' ') + QString::number(entry), path);
        if (name.isEmpty()) {
            break;
        }
        captions.append(name);
    }
    return captions;
}

// A list with most of what hand-written lists hold: odd spacing and case, quotes, both
// encodings, comments, duplicates, CRLF and LF, and entries behind a gap.
QByteArray untidyList(int entries, quint32 seed)
{
    QRandomGenerator random(seed);
    QByteArray names = "; my channels\n[ navn ]\r\n";
    QByteArray urls = "[URL]\n";
    for (int i = 1; i <= entries; ++i) {
        const QByteArray number = QByteArray::number(i);
        QByteArray name = "Kanal " + number;
        switch (random.bounded(6)) {
        case 0:
            name = "  \"" + name + " \"  ";
            break;
        case 1:
            name = "'" + name + "'";
            break;
        case 2:
            name += " \xD8st";
            break;
        case 3:
            name += " \xC3\xB8st";
            break;
        case 4:
            name += " & Co";
            break;
        default:
            break;
        }
        if (random.bounded(8) == 5) {
            names += number + "=" + name + "\n" + number + "=second\n";
        } else {
            names += QByteArray(random.bounded(3), ' ') + number + " = " + name +
                     (random.bounded(2) ? "\r\n" : "\n");
        }
        urls += number + "=http://127.0.0.1:8000/" + number + "\n";
    }
    names += QByteArray::number(entries + 2) + "=behind the gap\n";
    return names + urls;
}

} // namespace

/// The "My Channels" menu from the list, choosing its entries, the list's location and its
/// export.
class TestChannelMenu : public QObject {
    Q_OBJECT

private slots:
    void builds_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("captions");
        QTest::newRow("entries 1, 2 and 4: stops at the gap")
            << list("1=One\r\n2=Two\r\n4=Four") << QStringList{kEdit, "One", "Two"};
        QTest::newRow("entry 3 blank: stops there")
            << list("1=One\r\n2=Two\r\n3=  \r\n4=Four") << QStringList{kEdit, "One", "Two"};
        QTest::newRow("lower-case section, blanks around the equals sign")
            << QByteArray("[navn]\n1   =   Radio Nord  \n") << QStringList{kEdit, "Radio Nord"};
        QTest::newRow("300-character name")
            << list("1=" + QByteArray(300, 'n')) << QStringList{kEdit, QString(254, u'n')};
        QTest::newRow("only the name counts")
            << list("1=No address") << QStringList{kEdit, "No address"};
        QTest::newRow("ampersand kept as read")
            << list("1=Rock & Roll") << QStringList{kEdit, "Rock & Roll"};
        QTest::newRow("Windows-1252 list")
            << list("1=NRK P1 \xD8stlandssendingen\r\n2=Bl\xE5nn")
            << QStringList{kEdit, "NRK P1 \u00D8stlandssendingen", "Bl\u00E5nn"};
        QTest::newRow("no entry 1") << list("2=Two") << QStringList{kEdit};
        QTest::newRow("no list section") << QByteArray("[URL]\n1=http://h/") << QStringList{kEdit};
    }
    void builds()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, captions);
        ChannelsFixture f;
        QVERIFY(f.write(f.listPath, bytes));
        f.menu->BuildChannelMenu();
        QCOMPARE(f.menu->captions(), captions);
        QCOMPARE(captionsKeyByKey(f.listPath), captions);
    }

    void noListShowsTheEditEntryAlone()
    {
        ChannelsFixture f;
        f.menu->BuildChannelMenu();
        QCOMPARE(f.menu->captions(), QStringList{kEdit});
        QVERIFY(f.log.take().isEmpty());
    }

    void oneParseMatchesReadingKeyByKey()
    {
        for (const quint32 seed : {1u, 2u, 3u}) {
            ChannelsFixture f;
            QVERIFY(f.write(f.listPath, untidyList(400, seed)));
            f.menu->BuildChannelMenu();
            QCOMPARE(f.menu->captions().size(), 401);
            QCOMPARE(f.menu->captions(), captionsKeyByKey(f.listPath));
        }
    }

    void stopsAtTheCountersLimit()
    {
        QByteArray names;
        for (int i = 1; i <= ChannelMenu::kMaxEntries + 5; ++i) {
            names += QByteArray::number(i) + "=K" + QByteArray::number(i) + "\n";
        }
        ChannelsFixture f;
        QVERIFY(f.write(f.listPath, list(names)));
        f.menu->BuildChannelMenu();
        QCOMPARE(f.menu->captions().size(), ChannelMenu::kMaxEntries + 1);
        QCOMPARE(f.menu->captions().last(), QStringLiteral("K32767"));
    }

    void menuTextKeepsAmpersands_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("text");
        QTest::newRow("ampersand") << "Rock & Roll"
                                   << "Rock && Roll";
        QTest::newRow("two") << "A&B&&C"
                             << "A&&B&&&&C";
        QTest::newRow("tab") << "P1\tLive"
                             << "P1 Live";
        QTest::newRow("edit entry") << kEdit << kEdit;
    }
    void menuTextKeepsAmpersands()
    {
        QFETCH(QString, caption);
        QFETCH(QString, text);
        QCOMPARE(ChannelMenu::menuText(caption), text);
    }

    // The entry is read when chosen, so an edit made while the program runs is what tunes;
    // the caption stays as it was built.
    void choosingTunesToTheEntryAsItReadsNow()
    {
        ChannelsFixture f;
        QVERIFY(f.write(f.listPath, list("1=One\r\n2=Two", "1=http://h/1\r\n2=http://h/2")));
        f.menu->BuildChannelMenu();
        QVERIFY(f.write(f.listPath, list("1=One\r\n2=Zwei", "1=http://h/1\r\n2=http://h/zwei")));
        f.log.take();
        f.menu->mnuNetClick(2);
        const QStringList steps = f.log.take();
        QVERIFY(steps.contains("engine.setUrl(http://h/zwei)"));
        QVERIFY(steps.contains("Label2=Zwei"));
        QCOMPARE(steps.first(), QStringLiteral("tray.update(Playing, Zwei)"));
        QCOMPARE(f.memory.values.value("Morvena Webradio/2.71/LydstraumURL"), "http://h/zwei");
        QCOMPARE(f.menu->captions().at(2), QStringLiteral("Two"));
    }

    void entryEmptiedSinceStartTunesEmpty()
    {
        ChannelsFixture f;
        QVERIFY(f.write(f.listPath, list("1=One\r\n2=Two", "2=http://h/2")));
        f.menu->BuildChannelMenu();
        f.menu->mnuNetClick(1); // no address: the engine gets empty text
        QVERIFY(f.log.take().contains("engine.setUrl()"));
        QVERIFY(f.write(f.listPath, list("1=One")));
        f.menu->mnuNetClick(2);
        const QStringList steps = f.log.take();
        QVERIFY(steps.contains("engine.setUrl()"));
        QVERIFY(steps.contains("Label2="));
    }

    void editEntryOpensTheListAndChangesNothingElse_data()
    {
        QTest::addColumn<bool>("paused");
        QTest::addColumn<int>("element");
        QTest::newRow("element 0") << false << 0;
        QTest::newRow("element 0 while paused") << true << 0;
        QTest::newRow("an entry named like it") << false << 2;
    }
    void editEntryOpensTheListAndChangesNothingElse()
    {
        QFETCH(bool, paused);
        QFETCH(int, element);
        ChannelsFixture f;
        QVERIFY(f.write(f.listPath, list("1=One\r\n2=\xC2\xA6 Edit Channels", "2=http://h/2")));
        f.menu->BuildChannelMenu();
        f.transport->tune("One", "http://h/1");
        if (paused) {
            f.transport->pause();
        }
        f.log.take();
        const QString title = f.state->Label2();
        f.menu->mnuNetClick(element);
        QCOMPARE(f.log.take(), QStringList{"editor(" + f.listPath + ")"});
        QVERIFY(QDir::isAbsolutePath(f.listPath));
        QCOMPARE(f.state->Label2(), title);
    }

    // Only the exact text is the edit entry: another case or a plain "|" tunes.
    void lookalikesOfTheEditEntryTune()
    {
        ChannelsFixture f;
        QVERIFY(f.write(f.listPath, list("1=\xA6 edit channels\r\n2=| Edit Channels")));
        f.menu->BuildChannelMenu();
        for (const int element : {1, 2}) {
            f.menu->mnuNetClick(element);
            QVERIFY(!f.log.take().join('\n').contains("editor("));
        }
        f.menu->mnuNetClick(3); // no such element
        QVERIFY(f.log.take().isEmpty());
    }

    void locationBesideAPortableProgram()
    {
        ChannelsFixture f;
        const QString user = f.path("user");
        // Writable and without a list: the list goes there, seeded from the starter.
        const QString seeded = ChannelListLocation::resolve(f.programFolder, user, f.files);
        QCOMPARE(seeded, f.listPath);
        QCOMPARE(f.read(seeded), f.read(ChannelListLocation::kStarterList));
        QVERIFY(!QFileInfo::exists(user));
        // A list of the user's own is never replaced.
        QVERIFY(f.write(f.listPath, list("1=Mine")));
        QCOMPARE(ChannelListLocation::resolve(f.programFolder, user, f.files), f.listPath);
        QCOMPARE(f.read(f.listPath), list("1=Mine"));
    }

    // A folder the program cannot write (here: one that does not exist, which also holds
    // for root) sends the list to the user's folder, seeded once.
    void locationInTheUserFolderOfASystemInstall()
    {
        ChannelsFixture f;
        const QString system = f.path("usr/bin");
        const QString user = f.path("data/Morvena Webradio");
        const QString path = ChannelListLocation::resolve(system, user, f.files);
        QCOMPARE(path, user + "/Mine Kanaler.ini");
        QCOMPARE(f.read(path), f.read(ChannelListLocation::kStarterList));
        QVERIFY(f.write(path, list("1=Edited")));
        QCOMPARE(ChannelListLocation::resolve(system, user, f.files), path);
        QCOMPARE(f.read(path), list("1=Edited"));
        QCOMPARE(f.filesIn(user), QStringList{"Mine Kanaler.ini"});
    }

    // The starter list is what a first start plays from: it must read as meant, with its
    // Norwegian letters intact, and every entry must have an address.
    void starterListReadsAsMeant()
    {
        ChannelsFixture f;
        ChannelListLocation::resolve(f.programFolder, f.path("user"), f.files);
        f.menu->BuildChannelMenu();
        const QStringList captions = f.menu->captions();
        QVERIFY(captions.size() >= 6);
        QVERIFY(captions.contains("NRK P1 \u00D8stlandssendingen"));
        for (int entry = 1; entry < captions.size(); ++entry) {
            const QString url = ReadIniValue("URL", QString::number(entry), f.listPath);
            QVERIFY2(url.startsWith("https://") || url.startsWith("http://"), qPrintable(url));
        }
    }

    void exportRequest()
    {
        const FileDialogs::Request request = ChannelExport::saveRequest();
        QCOMPARE(request.title, QStringLiteral("Velg plassering for Mine kanaler.ini"));
        QCOMPARE(request.fileName, QStringLiteral("Mine Kanaler.ini"));
        QCOMPARE(request.filter, QStringLiteral("Lydstraum (Mine Kanaler.ini)|Mine kanaler.ini|"));
        QCOMPARE(request.defaultExtension, QStringLiteral(".ini"));
    }

    void exportCancelledWritesNothing()
    {
        ChannelsFixture f;
        QVERIFY(f.write(f.listPath, list("1=One")));
        f.exporter->eksportkanalerClick();
        QCOMPARE(f.log.take(), QStringList{"dialog.save(Velg plassering for Mine kanaler.ini)"});
    }

    // Only the chosen folder counts: the copy is always "Mine Kanaler.ini", and it
    // replaces one that is there.
    void exportCopiesUnderTheListsName_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::newRow("the offered name") << "Mine Kanaler.ini";
        QTest::newRow("another name") << "backup.txt";
        QTest::newRow("no extension") << "kanaler";
    }
    void exportCopiesUnderTheListsName()
    {
        QFETCH(QString, typed);
        ChannelsFixture f;
        const QByteArray bytes = list("1=NRK \xD8st");
        QVERIFY(f.write(f.listPath, bytes));
        const QString folder = f.path("export");
        QVERIFY(f.write(folder + "/Mine Kanaler.ini", "old export"));
        f.dialogs.nextAnswer = folder + "/" + typed;
        f.exporter->eksportkanalerClick();
        QCOMPARE(f.filesIn(folder), QStringList{"Mine Kanaler.ini"});
        QCOMPARE(f.read(folder + "/Mine Kanaler.ini"), bytes);
        QCOMPARE(f.read(f.listPath), bytes);
    }

    void exportEndsQuietly_data()
    {
        QTest::addColumn<QString>("situation");
        QTest::newRow("no list") << "no list";
        QTest::newRow("into the list's own folder") << "own folder";
        QTest::newRow("copy fails") << "copy fails";
        QTest::newRow("folder gone") << "folder gone";
    }
    void exportEndsQuietly()
    {
        QFETCH(QString, situation);
        ChannelsFixture f;
        const QString folder = f.path("export");
        QVERIFY(f.write(folder + "/Mine Kanaler.ini", "old export"));
        if (situation != "no list") {
            QVERIFY(f.write(f.listPath, list("1=One")));
        }
        f.dialogs.nextAnswer = folder + "/Mine Kanaler.ini";
        if (situation == "own folder") {
            f.dialogs.nextAnswer = f.programFolder + "/other.ini";
        } else if (situation == "copy fails") {
            f.files.failCopy = true;
        } else if (situation == "folder gone") {
            f.dialogs.nextAnswer = f.path("gone/Mine Kanaler.ini");
        }
        f.exporter->eksportkanalerClick();
        QCOMPARE(f.read(folder + "/Mine Kanaler.ini"), QByteArray("old export"));
        QCOMPARE(f.filesIn(folder), QStringList{"Mine Kanaler.ini"});
        if (situation != "no list") {
            QCOMPARE(f.read(f.listPath), list("1=One"));
            QCOMPARE(f.filesIn(f.programFolder), QStringList{"Mine Kanaler.ini"});
        }
        QVERIFY(!f.log.take().join('\n').contains("box."));
    }
};

QTEST_GUILESS_MAIN(TestChannelMenu)
#include "tst_ChannelMenu.moc"
