// The channel sources: the "My Channels" menu from the list, adding to the list and
// following its changes, the preset buttons, and drops on the now-playing text (a list
// installed without risk to the old one, anything else played).
#include "ChannelListWatcher.h"
#include "ChannelListWriter.h"
#include "Fixture.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
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
        QTest::newRow("Windows-1252 list")
            << list("1=NRK P1 \xD8stlandssendingen\r\n2=Bl\xE5nn")
            << QStringList{kEdit, "NRK P1 \u00D8stlandssendingen", "Bl\u00E5nn"};
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
    // quoted name and a section the program does not read stays so.
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

    // Replaced by a rename, as many editors save: the watch follows the new file.
    void watcherFollowsARename()
    {
        Fixture f;
        QVERIFY(f.write(f.listPath, kOldList));
        ChannelListWatcher watcher(f.listPath);
        QSignalSpy changed(&watcher, &ChannelListWatcher::changed);
        for (int round = 1; round <= 2; ++round) {
            QVERIFY(f.write(f.path("edit.tmp"), kNewList));
            QVERIFY(QFile::remove(f.listPath));
            QVERIFY(QFile::rename(f.path("edit.tmp"), f.listPath));
            QTRY_COMPARE_WITH_TIMEOUT(changed.size(), round, 5000);
        }
    }
};

QTEST_GUILESS_MAIN(TestChannels)
#include "tst_channels.moc"
