// The channel sources: the "My Channels" menu from the list and where the list lives, its
// export, the preset buttons, and drops on the now-playing text (a list installed without
// risk to the old one, anything else played).
#include "ChannelListLocation.h"
#include "Fixture.h"

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

void fillPresets(Fixture &f)
{
    for (int preset = 1; preset <= Presets::kCount; ++preset) {
        f.memory.values.insert(Fixture::key(Presets::nameKey(preset)),
                               "Name " + QString::number(preset));
        f.memory.values.insert(Fixture::key(Presets::urlKey(preset)),
                               "http://127.0.0.1/" + QString::number(preset));
    }
}

} // namespace

class TestChannels : public QObject {
    Q_OBJECT

private slots:
    void builds_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("captions");
        QTest::newRow("stops at the gap")
            << list("1=One\r\n2=Two\r\n4=Four") << QStringList{kEdit, "One", "Two"};
        QTest::newRow("stops at a blank entry")
            << list("1=One\r\n2=Two\r\n3=  \r\n4=Four") << QStringList{kEdit, "One", "Two"};
        QTest::newRow("ampersand kept as read")
            << list("1=Rock & Roll") << QStringList{kEdit, "Rock & Roll"};
        QTest::newRow("Windows-1252 list")
            << list("1=NRK P1 \xD8stlandssendingen\r\n2=Bl\xE5nn")
            << QStringList{kEdit, "NRK P1 \u00D8stlandssendingen", "Bl\u00E5nn"};
        QTest::newRow("no list section") << QByteArray("[URL]\n1=http://h/") << QStringList{kEdit};
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

    // Only element 0, or the exact text, is the edit entry: it opens the list and changes
    // nothing else; another case or a plain "|" tunes.
    void editEntryOpensTheList()
    {
        Fixture f;
        QVERIFY(f.write(f.listPath, list("1=One\r\n2=\xC2\xA6 Edit Channels\r\n3=\xA6 edit "
                                         "channels\r\n4=| Edit Channels")));
        f.menu->BuildChannelMenu();
        f.transport->tune("One", "http://h/1");
        f.transport->pause();
        f.log.take();
        for (const int element : {0, 2}) {
            f.menu->mnuNetClick(element);
            QCOMPARE(f.log.take(), QStringList{"editor(" + f.listPath + ")"});
            QCOMPARE(f.state->Label2(), QStringLiteral("Pause..."));
        }
        for (const int element : {3, 4}) {
            f.menu->mnuNetClick(element);
            QVERIFY(!f.log.take().join('\n').contains("editor("));
        }
        f.menu->mnuNetClick(5); // no such element
        QVERIFY(f.log.take().isEmpty());
    }

    // Beside a portable program the list is seeded from the starter once and never
    // replaced; a folder the program cannot write sends it to the user's folder.
    void listLocation()
    {
        Fixture f;
        const QString seeded = ChannelListLocation::resolve(f.programFolder, f.path("u"), f.files);
        QCOMPARE(seeded, f.listPath);
        QCOMPARE(f.read(seeded), f.read(ChannelListLocation::kStarterList));
        QVERIFY(!QFileInfo::exists(f.path("u")));
        QVERIFY(f.write(f.listPath, list("1=Mine")));
        QCOMPARE(ChannelListLocation::resolve(f.programFolder, f.path("u"), f.files), f.listPath);
        QCOMPARE(f.read(f.listPath), list("1=Mine"));

        const QString system = f.path("usr/bin");
        const QString user = f.path("data/Morvena Webradio");
        const QString path = ChannelListLocation::resolve(system, user, f.files);
        QCOMPARE(path, user + "/Mine Kanaler.ini");
        QVERIFY(f.write(path, list("1=Edited")));
        QCOMPARE(ChannelListLocation::resolve(system, user, f.files), path);
        QCOMPARE(f.read(path), list("1=Edited"));
    }

    // Only the chosen folder counts: the copy is always "Mine Kanaler.ini" and replaces one
    // that is there; a failure leaves everything as it was, without a message.
    void exportCopiesUnderTheListsName_data()
    {
        QTest::addColumn<QString>("situation");
        QTest::newRow("another name typed") << "typed";
        QTest::newRow("no list") << "no list";
        QTest::newRow("into the list's own folder") << "own folder";
        QTest::newRow("copy fails") << "copy fails";
    }
    void exportCopiesUnderTheListsName()
    {
        QFETCH(QString, situation);
        Fixture f;
        const QString folder = f.path("export");
        QVERIFY(f.write(folder + "/Mine Kanaler.ini", "old export"));
        if (situation != "no list")
            QVERIFY(f.write(f.listPath, kNewList));
        f.dialogs.nextAnswer = folder + "/backup.txt";
        if (situation == "own folder")
            f.dialogs.nextAnswer = f.programFolder + "/other.ini";
        f.files.failCopy = situation == "copy fails";
        f.exporter->eksportkanalerClick();
        QCOMPARE(f.filesIn(folder), QStringList{"Mine Kanaler.ini"});
        QCOMPARE(f.read(folder + "/Mine Kanaler.ini"),
                 situation == "typed" ? kNewList : QByteArray("old export"));
        if (situation != "no list")
            QCOMPARE(f.filesIn(f.programFolder), QStringList{"Mine Kanaler.ini"});
        QVERIFY(!f.log.take().join('\n').contains("box."));
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
        QTest::newRow("2 s exactly") << at("10:00:00.000") << at("10:00:02.000") << true;
        QTest::newRow("same second") << at("10:00:00.100") << at("10:00:00.800") << false;
        QTest::newRow("over midnight") << at("23:59:59.500") << at("00:00:01.000", 1) << true;
        QTest::newRow("minutes") << at("10:00:00.000") << at("10:03:00.000") << true;
        QTest::newRow("clock set back") << at("10:00:05.000") << at("10:00:01.000") << false;
        QTest::newRow("clock set back a day")
            << at("10:00:00.000", 1) << at("10:00:30.000") << false;
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

    // A long press stores what the title and engine hold (here: paused); a short press
    // brings it back. Only the release is timed against the last press, on any preset.
    void longThenShortPressComesBack()
    {
        Fixture f;
        f.transport->tune("Radio Nord", "http://127.0.0.1/nord");
        f.transport->pause();
        hold(f, 3, at("10:00:00.000"), at("10:00:03.000"));
        QCOMPARE(f.stored(u"Knapp3_Navn"), QStringLiteral("Pause..."));
        QCOMPARE(f.stored(u"Knapp3_URL"), QStringLiteral("http://127.0.0.1/nord"));
        f.transport->tune("Radio Syd", "http://127.0.0.1/syd");
        f.clock.time = at("10:01:00.000");
        f.presets->mouseDown();
        hold(f, 3, at("10:01:05.000"), at("10:01:06.000"));
        QCOMPARE(f.engine->url(), QStringLiteral("http://127.0.0.1/nord"));
    }

    // Every preset reads and writes its own two keys and no other.
    void eachPresetKeepsToItsKeys()
    {
        for (int preset = 1; preset <= Presets::kCount; ++preset) {
            Fixture f;
            fillPresets(f);
            hold(f, preset, at("10:00:00.000"), at("10:00:00.000"));
            QCOMPARE(f.engine->url(), "http://127.0.0.1/" + QString::number(preset));
            f.transport->tune("New", "http://127.0.0.1/new");
            auto expected = f.memory.values;
            hold(f, preset, at("10:00:00.000"), at("10:00:04.000"));
            expected.insert(Fixture::key(Presets::nameKey(preset)), "New");
            expected.insert(Fixture::key(Presets::urlKey(preset)), "http://127.0.0.1/new");
            QCOMPARE(f.memory.values, expected);
        }
    }

    // A release without a press must not overwrite a preset.
    void releaseWithoutPressTunes()
    {
        Fixture f;
        fillPresets(f);
        f.clock.time = at("10:00:00.000");
        f.presets->mouseUp(4);
        QVERIFY(!f.log.take().contains("beep()"));
        QCOMPARE(f.engine->url(), QStringLiteral("http://127.0.0.1/4"));
    }

    // Text or a link holds no file: the engine keeps its channel and a message says why.
    void textKeepsPlayingAndSaysWhy()
    {
        Fixture f;
        f.transport->tune("Radio Nord", "http://127.0.0.1/nord");
        f.drops->Label4Drop({});
        QCOMPARE(f.engine->url(), QStringLiteral("http://127.0.0.1/nord"));
        QVERIFY(f.messages.lastText.contains("not a file"));
    }

    // Moved, not copied: the old list is replaced, the dropped file is gone, nothing else is
    // left beside the list, and the program saves before it restarts.
    void listFromAnotherFolderIsInstalled()
    {
        Fixture f;
        QVERIFY(f.write(f.listPath, kOldList));
        const QString dropped = f.path("downloads/Mine Kanaler.ini.txt");
        QVERIFY(f.write(dropped, kNewList));
        f.transport->tune("Radio Nord", "http://127.0.0.1/nord");
        f.log.take();
        f.drops->Label4Drop({dropped});
        QCOMPARE(f.log.take(), QStringList({"files.copy(" + dropped + " -> " + f.listPath + ")",
                                            "files.remove(" + dropped + ")", "restart.start()",
                                            "tray.remove()"}) +
                                   Fixture::saveLines("http://127.0.0.1/nord", "Radio Nord",
                                                      Playback::kConnecting, "Radio Nord") +
                                   QStringList{"restart.close()"});
        QCOMPARE(f.read(f.listPath), kNewList);
        QVERIFY(!QFileInfo::exists(dropped));
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
                                                  *f.state, *f.settings, *f.view, *f.tray, f.files,
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

    // The list is in place; the user learns the dropped file is still there, and the
    // restart goes on to show the new list.
    void failedDeleteStillRestarts()
    {
        Fixture f;
        QVERIFY(f.write(f.listPath, kOldList));
        const QString dropped = f.path("Mine Kanaler.ini");
        QVERIFY(f.write(dropped, kNewList));
        f.files.failRemove = true;
        f.drops->Label4Drop({dropped});
        QCOMPARE(f.log.take().last(), QStringLiteral("restart.close()"));
        QVERIFY(f.messages.lastText.contains("could not be removed"));
        QCOMPARE(f.read(f.listPath), kNewList);
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
};

QTEST_GUILESS_MAIN(TestChannels)
#include "tst_channels.moc"
