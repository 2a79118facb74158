#include "ChannelControls.h"
#include "ChannelExport.h"
#include "ChannelMenu.h"
#include "ChannelsFixture.h"
#include "DropHandler.h"
#include "FileDropTarget.h"
#include "FormLifecycle.h"
#include "FormSettings.h"
#include "LocalMedia.h"
#include "MemorySettingsStore.h"
#include "PlayerState.h"
#include "RecordingMediaPlayer.h"
#include "RecordingTray.h"
#include "Transport.h"
#include "frmMain.h"
#include "mnuFunk.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>

namespace {

// The program as main() wires it, with the channel sources over a list in a temporary
// program folder, and recording fakes of the engine, the tray and the desktop.
struct Program {
    explicit Program(const QByteArray &list)
    {
        ChannelsFixture::write(listPath, list);
        window.attach(transport, lifecycle);
        window.attachChannels(controls);
        window.load();
        window.show();
    }
    QLabel *label(const char *name) { return window.findChild<QLabel *>(QLatin1String(name)); }
    QStringList menuTexts()
    {
        QStringList texts;
        for (QAction *item : window.findChild<QMenu *>("mnuFavs")->actions()) {
            texts.append(item->text());
        }
        return texts;
    }
    // A drop of `data` on Label4, as the desktop delivers it; returns once it is handled.
    void drop(QMimeData *data)
    {
        QSignalSpy handled(controls.dropTarget(), &FileDropTarget::dropped);
        QLabel *target = label("Label4");
        const QPoint middle = target->rect().center();
        QDragEnterEvent enter(middle, Qt::CopyAction | Qt::MoveAction, data, Qt::LeftButton,
                              Qt::NoModifier);
        QCoreApplication::sendEvent(target, &enter);
        QDropEvent dropEvent(QPointF(middle), Qt::CopyAction | Qt::MoveAction, data, Qt::LeftButton,
                             Qt::NoModifier);
        QCoreApplication::sendEvent(target, &dropEvent);
        QVERIFY(handled.wait(5000));
    }

    QTemporaryDir dir;
    QString listPath = dir.filePath(QStringLiteral("Mine Kanaler.ini"));
    CallLog log;
    MemorySettingsStore store;
    RecordingMediaPlayer engine{log};
    PlayerState state;
    FormSettings settings{store, state, engine};
    RecordingTray tray{log};
    frmMain window{state};
    Transport transport{engine, state, settings, window, tray};
    FormLifecycle lifecycle{engine, state, settings, window, tray};
    RecordingEditorLauncher editor{log};
    FakeFileDialogs dialogs{log};
    FaultyFileOperations files{log};
    RecordingRestarter restarter{log};
    RecordingWarningBox warnings{log};
    ChannelMenu menu{listPath, transport, editor};
    DropHandler drops{listPath, engine, state, settings, window, tray, files, restarter, warnings};
    LocalMedia localMedia{engine, state, window, tray, dialogs};
    ChannelExport exporter{listPath, dialogs, files};
    ChannelControls controls{window, menu, drops, localMedia, exporter};
};

const QByteArray kList = "[Navn]\r\n1=NRK P1 \xD8stlandssendingen\r\n2=Rock & Roll\r\n"
                         "[URL]\r\n1=http://127.0.0.1/p1\r\n2=http://127.0.0.1/rock\r\n";

} // namespace

/// The window's channel controls: the menu built at load, its entries tuning and editing,
/// the export and "Playlist <..>" items, and drops on the now-playing text.
class TestChannelControls : public QObject {
    Q_OBJECT

private slots:
    void menuShowsTheListAsWritten()
    {
        Program p(kList);
        // The entries' items are made when the submenu first shows.
        QCOMPARE(p.menuTexts(), QStringList{"\u00A6 Edit Channels"});
        auto *favs = p.window.findChild<QMenu *>("mnuFavs");
        favs->popup({});
        favs->hide();
        QCOMPARE(p.menuTexts(), QStringList({"\u00A6 Edit Channels",
                                             "NRK P1 \u00D8stlandssendingen", "Rock && Roll"}));
        QCOMPARE(p.controls.mnuNet(3), nullptr);
        // The load's last step still ran after the menu.
        QCOMPARE(p.label("Label4")->text(), QStringLiteral("no channel selected"));
    }

    void entriesTuneAndTheEditEntryEdits()
    {
        Program p(kList);
        p.log.take();
        p.controls.mnuNet(2)->trigger();
        QCOMPARE(p.label("Label2")->text(), QStringLiteral("Rock & Roll"));
        QCOMPARE(p.engine.url(), QStringLiteral("http://127.0.0.1/rock"));
        p.log.take();
        p.controls.mnuNet(0)->trigger();
        QCOMPARE(p.log.take(), QStringList{"editor(" + p.listPath + ")"});
    }

    void exportAndPlaylistItems()
    {
        Program p(kList);
        p.log.take();
        p.window.findChild<QAction *>("eksportkanaler")->trigger();
        QCOMPARE(p.log.take(), QStringList{"dialog.save(Velg plassering for Mine kanaler.ini)"});
        p.dialogs.nextAnswer = "/music/evening.m3u";
        p.window.functionsWindow()->musikkfil()->trigger();
        QCOMPARE(p.engine.url(), QStringLiteral("/music/evening.m3u"));
        QCOMPARE(p.label("Label2")->text(), QStringLiteral(" - "));
        QVERIFY(p.window.functionsWindow()->pause_avs()->isEnabled());
    }

    void droppedFilePlays()
    {
        Program p(kList);
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile("/music/a.mp3"), QUrl::fromLocalFile("/music/b.mp3")});
        p.drop(&data);
        QCOMPARE(p.engine.url(), QStringLiteral("/music/a.mp3"));
        QCOMPARE(p.label("Label4")->text(), QStringLiteral(" - "));
        QVERIFY(!p.log.take().join('\n').contains("message("));
    }

    void droppedTextIsTold()
    {
        Program p(kList);
        p.controls.mnuNet(1)->trigger();
        QMimeData data;
        data.setText("NRK P2");
        p.drop(&data);
        QCOMPARE(p.engine.url(), QStringLiteral("http://127.0.0.1/p1"));
        QCOMPARE(p.log.take().last(), QStringLiteral("message(Morvena Webradio 2.71)"));
    }

    void droppedListIsInstalledAndRestarts()
    {
        Program p(kList);
        const QString dropped = p.dir.filePath("in/Mine Kanaler.ini");
        QVERIFY(ChannelsFixture::write(dropped, "[Navn]\n1=New\n"));
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(dropped)});
        p.drop(&data);
        QCOMPARE(ChannelsFixture::read(p.listPath), QByteArray("[Navn]\n1=New\n"));
        QCOMPARE(p.log.take().last(), QStringLiteral("restart.close()"));
    }
};

QTEST_MAIN(TestChannelControls)
#include "tst_ChannelControls.moc"
