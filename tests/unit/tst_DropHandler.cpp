#include "ChannelsFixture.h"

#include <QDir>
#include <QTest>

namespace {

const QByteArray kOldList = "[Navn]\r\n1=Old\r\n[URL]\r\n1=http://127.0.0.1/old\r\n";
const QByteArray kNewList = "[Navn]\r\n1=New \xD8st\r\n[URL]\r\n1=http://127.0.0.1/new\r\n";
const QString kNothing = QStringLiteral(" - ");

// The steps of playing a dropped item, after the engine's own: labels, controls, tray,
// save. The engine and the status line come before.
QStringList playedSteps(const QString &text, const QString &url, const QString &kept)
{
    return QStringList({"Label2=" + text, "Label4=" + text, "view.fortsett_avs.caption(Continue)",
                        "view.fortsett_avs.enabled(false)", "view.pause_avs.enabled(true)",
                        "view.PictureButton7(false)", "view.PictureButton6(true)",
                        "tray.remove()"}) +
           PlayerFixture::saveLines(url, text, text, kept);
}

const QStringList kRestart = {"restart.start()", "tray.remove()"};

} // namespace

/// Drops on the now-playing text (a list installed without risk to the old one, anything
/// else played), "Playlist <..>" and the file operations underneath.
class TestDropHandler : public QObject {
    Q_OBJECT

private slots:
    void channelListName_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("isList");
        QTest::newRow("the list") << "/home/u/Mine Kanaler.ini" << true;
        QTest::newRow("other extension") << "/home/u/Mine Kanaler.txt" << true;
        QTest::newRow("several extensions") << "/home/u/Mine Kanaler.ini.bak" << true;
        QTest::newRow("no extension") << "/home/u/Mine Kanaler" << true;
        QTest::newRow("lower case") << "/home/u/mine kanaler.ini" << false;
        QTest::newRow("longer stem") << "/home/u/Mine Kanaler 2.ini" << false;
        QTest::newRow("dot inside") << "/home/u/Mine.Kanaler.ini" << false;
        QTest::newRow("folder of that name") << "/home/u/Mine Kanaler.d/list.ini" << false;
        QTest::newRow("trailing separator") << "/home/u/Mine Kanaler/" << true;
        QTest::newRow("nothing") << "" << false;
    }
    void channelListName()
    {
        QFETCH(QString, path);
        QFETCH(bool, isList);
        QCOMPARE(DropHandler::isChannelList(path), isList);
    }

    void onlyLocalFilesAreDropped()
    {
        const QList<QUrl> urls{QUrl("https://example.invalid/live.mp3"),
                               QUrl::fromLocalFile("/music/a b.mp3"), QUrl("file:///music/c.ogg")};
        QCOMPARE(DropHandler::localFiles(urls), QStringList({"/music/a b.mp3", "/music/c.ogg"}));
        QCOMPARE(DropHandler::localFiles({}), QStringList());
    }

    void audioFilePlaysAtOnce()
    {
        ChannelsFixture f;
        f.transport->tune("Radio Nord", "http://127.0.0.1/nord");
        f.state->setLabel3("128 kbps (16,00kB/s) - 100%");
        f.engine->items = {{"Author", "Artist"}, {"Title", "Song"}};
        f.log.take();
        const QString song = f.path("music/song.mp3");
        f.drops->Label4Drop({song});
        QCOMPARE(f.log.take(),
                 QStringList({"Label3=0 kbps (0,00kB/s) - 0%", "engine.setUrl(" + song + ")",
                              "engine.setVolume(100)"}) +
                     playedSteps("Artist - Song", song, "Radio Nord"));
    }

    void threeFilesPlayTheFirst()
    {
        ChannelsFixture f;
        f.drops->Label4Drop({f.path("a.mp3"), f.path("Mine Kanaler.ini"), f.path("c.mp3")});
        QCOMPARE(f.engine->url(), f.path("a.mp3"));
        QCOMPARE(f.state->Label2(), kNothing);
        QVERIFY(!f.log.take().join('\n').contains("restart"));
    }

    void lowerCaseListNamePlays()
    {
        ChannelsFixture f;
        QVERIFY(f.write(f.listPath, kOldList));
        const QString dropped = f.path("downloads/mine kanaler.ini");
        QVERIFY(f.write(dropped, kNewList));
        f.drops->Label4Drop({dropped});
        QCOMPARE(f.engine->url(), dropped);
        QCOMPARE(f.read(f.listPath), kOldList);
        QCOMPARE(f.read(dropped), kNewList);
        QVERIFY(!f.log.take().join('\n').contains("box."));
    }

    // Text or a link holds no file: the engine keeps its channel, the rest of the steps run,
    // and a message says why nothing new plays.
    void textKeepsPlayingAndSaysWhy()
    {
        ChannelsFixture f;
        f.transport->tune("Radio Nord", "http://127.0.0.1/nord");
        f.state->setLabel3("128 kbps (16,00kB/s) - 100%");
        f.log.take();
        f.drops->Label4Drop({});
        QCOMPARE(f.log.take(),
                 QStringList({"Label3=0 kbps (0,00kB/s) - 0%", "engine.setVolume(100)"}) +
                     playedSteps(kNothing, "http://127.0.0.1/nord", "Radio Nord") +
                     QStringList{"box.warning(Morvena Webradio 2.71)"});
        QCOMPARE(f.engine->url(), QStringLiteral("http://127.0.0.1/nord"));
        QVERIFY(f.messages.lastText.contains("not a file"));
    }

    void folderIsPlayedAndTold()
    {
        ChannelsFixture f;
        const QString album = f.path("Album");
        QVERIFY(QDir().mkpath(album));
        f.drops->Label4Drop({album + "/"});
        const QStringList steps = f.log.take();
        QCOMPARE(steps.at(1), "engine.setUrl(" + album + "/)");
        QCOMPARE(steps.last(), QStringLiteral("box.warning(Morvena Webradio 2.71)"));
        QVERIFY(f.messages.lastText.contains("\u201CAlbum\u201D is a folder"));
    }

    void fileWithoutExtensionIsPlayedAndTold()
    {
        ChannelsFixture f;
        const QString file = f.path("recording");
        QVERIFY(f.write(file, "ID3"));
        f.drops->Label4Drop({file});
        QCOMPARE(f.engine->url(), file);
        QVERIFY(f.messages.lastText.contains("\u201Crecording\u201D has no file extension"));
    }

    // Moved, not copied: the old list is replaced, the dropped file is gone, nothing else is
    // left beside the list, and the program restarts after saving.
    void listFromAnotherFolderIsInstalled_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("Mine Kanaler.ini") << "Mine Kanaler.ini";
        QTest::newRow("Mine Kanaler.ini.txt") << "Mine Kanaler.ini.txt";
    }
    void listFromAnotherFolderIsInstalled()
    {
        QFETCH(QString, name);
        ChannelsFixture f;
        QVERIFY(f.write(f.listPath, kOldList));
        const QString dropped = f.path("downloads/" + name);
        QVERIFY(f.write(dropped, kNewList));
        f.transport->tune("Radio Nord", "http://127.0.0.1/nord");
        f.log.take();
        f.drops->Label4Drop({dropped});
        QCOMPARE(f.log.take(), QStringList({"files.copy(" + dropped + " -> " + f.listPath + ")",
                                            "files.remove(" + dropped + ")"}) +
                                   kRestart +
                                   PlayerFixture::saveLines("http://127.0.0.1/nord", "Radio Nord",
                                                            "", "Radio Nord") +
                                   QStringList{"restart.close()"});
        QCOMPARE(f.read(f.listPath), kNewList);
        QVERIFY(!QFileInfo::exists(dropped));
        QCOMPARE(f.filesIn(f.programFolder), QStringList{"Mine Kanaler.ini"});
        f.menu->BuildChannelMenu();
        QCOMPARE(f.menu->captions().value(1), QStringLiteral("New \u00D8st"));
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
        ChannelsFixture f;
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
        QCOMPARE(steps.last(), QStringLiteral("box.warning(Morvena Webradio 2.71)"));
        QVERIFY(f.messages.lastText.contains("not installed"));
        QVERIFY(f.messages.lastText.contains("unchanged"));
        QCOMPARE(f.read(f.listPath), kOldList);
        QVERIFY(QFileInfo::exists(dropped));
        QCOMPARE(f.filesIn(f.programFolder), QStringList{"Mine Kanaler.ini"});
    }

    // The list is in place; the user learns the dropped file is still there, and the
    // restart goes on to show the new list.
    void failedDeleteStillRestarts()
    {
        ChannelsFixture f;
        QVERIFY(f.write(f.listPath, kOldList));
        const QString dropped = f.path("Mine Kanaler.ini");
        QVERIFY(f.write(dropped, kNewList));
        f.files.failRemove = true;
        f.drops->Label4Drop({dropped});
        const QStringList steps = f.log.take();
        QCOMPARE(steps.mid(1, 3),
                 QStringList({"files.remove(" + dropped + ")", "box.warning(Morvena Webradio 2.71)",
                              "restart.start()"}));
        QCOMPARE(steps.last(), QStringLiteral("restart.close()"));
        QVERIFY(f.messages.lastText.contains("could not be removed"));
        QCOMPARE(f.read(f.listPath), kNewList);
    }

    // Dropping the installed list on the player must not delete it; the restart shows its
    // current entries.
    void theInstalledListDroppedOnItselfStays()
    {
        ChannelsFixture f;
        QVERIFY(f.write(f.listPath, kOldList));
        f.drops->Label4Drop({f.programFolder + "/../program/Mine Kanaler.ini"});
        const QStringList steps = f.log.take();
        QCOMPARE(steps.mid(0, 2), kRestart);
        QCOMPARE(steps.last(), QStringLiteral("restart.close()"));
        QVERIFY(!steps.join('\n').contains("files."));
        QCOMPARE(f.read(f.listPath), kOldList);
    }

    void openRequest()
    {
        const FileDialogs::Request request = LocalMedia::openRequest();
        QCOMPARE(request.title, QStringLiteral("Open playlist with audio"));
        QCOMPARE(request.filter,
                 QStringLiteral("Audio|*.mp3;*.ogg;*.wma;*.m3u;*.wpl;*.asx;*.wax|"));
        QCOMPARE(request.filterIndex, 1);
        // The old form's option value: hide read-only, file must exist, explorer, long names.
        QCOMPARE(request.options.toInt(), 2625540);
    }

    void openCancelledChangesNothing()
    {
        ChannelsFixture f;
        f.transport->tune("Radio Nord", "http://127.0.0.1/nord");
        f.log.take();
        f.localMedia->musikkfilClick();
        QCOMPARE(f.log.take(), QStringList{"dialog.open(Open playlist with audio)"});
        QCOMPARE(f.engine->url(), QStringLiteral("http://127.0.0.1/nord"));
    }

    // Like tuning without the volume, the status poll, the saved title and the save.
    void openedPlaylistPlays()
    {
        ChannelsFixture f;
        const QString playlist = f.path("lists/evening.m3u");
        f.dialogs.nextAnswer = playlist;
        f.localMedia->musikkfilClick();
        QCOMPARE(
            f.log.take(),
            QStringList({"dialog.open(Open playlist with audio)", "Label3=0 kbps (0,00kB/s) - 0%",
                         "engine.stop()", "engine.close()", "engine.setUrl(" + playlist + ")",
                         "Label2= - ", "Label4= - ", "tray.update(Playing,  - )",
                         "view.icon(Playing)", "view.pause_avs.enabled(true)",
                         "view.fortsett_avs.enabled(false)", "view.fortsett_avs.caption(Continue)",
                         "view.PictureButton7(false)", "view.PictureButton6(true)"}));
    }

    void copyOverReplacesWholeOrNotAtAll()
    {
        ChannelsFixture f;
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
        QVERIFY(!QFileInfo::exists(source));
        QVERIFY(!files.remove(source).error.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestDropHandler)
#include "tst_DropHandler.moc"
