#include "ChannelControls.h"
#include "ChannelExport.h"
#include "ChannelListPopup.h"
#include "ChannelMenu.h"
#include "ChannelsFixture.h"
#include "DropHandler.h"
#include "FileDropTarget.h"
#include "FormLifecycle.h"
#include "FormSettings.h"
#include "LocalMedia.h"
#include "MemorySettingsStore.h"
#include "PictureButton.h"
#include "PlayerState.h"
#include "RecordingMediaPlayer.h"
#include "RecordingTray.h"
#include "Transport.h"
#include "WiredWindow.h"
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
struct Program : WiredWindow {
    explicit Program(const QByteArray &list)
        : WiredWindow(true)
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
        QStringList texts{window.findChild<QAction *>("mnuNet")->text()};
        const QAbstractItemModel *rows = controls.channelList()->model();
        for (int row = 0; row < rows->rowCount(); ++row) {
            texts.append(rows->index(row, 0).data().toString());
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
    RecordingEditorLauncher editor{log};
    FakeFileDialogs dialogs{log};
    FaultyFileOperations files{log};
    RecordingRestarter restarter{log};
    RecordingMessageBox messages{log};
    ChannelMenu menu{listPath, transport, editor};
    DropHandler drops{listPath, engine, state, settings, window, tray, files, restarter, messages};
    LocalMedia localMedia{engine, state, window, tray, dialogs};
    ChannelExport exporter{listPath, dialogs, files};
    FakeClock clock;
    RecordingBeeper beeper{log};
    Presets presets{store, state, engine, transport, clock, beeper};
    ChannelControls controls{window, menu, drops, localMedia, exporter, presets};
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
        QCOMPARE(p.menuTexts(), QStringList({"\u00A6 Edit Channels",
                                             "NRK P1 \u00D8stlandssendingen", "Rock & Roll"}));
        // The load's last step still ran after the menu.
        QCOMPARE(p.label("Label4")->text(), QStringLiteral("no channel selected"));
    }

    void entriesTuneAndTheEditEntryEdits()
    {
        Program p(kList);
        p.log.take();
        p.controls.mnuNetClick(2);
        QCOMPARE(p.label("Label2")->text(), QStringLiteral("Rock & Roll"));
        QCOMPARE(p.engine.url(), QStringLiteral("http://127.0.0.1/rock"));
        p.log.take();
        p.controls.mnuNetClick(0);
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
        QVERIFY(!p.log.take().join('\n').contains("box."));
    }

    void droppedTextIsTold()
    {
        Program p(kList);
        p.controls.mnuNetClick(1);
        QMimeData data;
        data.setText("NRK P2");
        p.drop(&data);
        QCOMPARE(p.engine.url(), QStringLiteral("http://127.0.0.1/p1"));
        QCOMPARE(p.log.take().last(), QStringLiteral("box.warning(Morvena Webradio 2.71)"));
    }

    // Every preset button stands for its own preset, whichever mouse button presses it and
    // wherever it is released; the clock decides between storing and tuning.
    void presetButtons_data()
    {
        QTest::addColumn<int>("preset");
        QTest::addColumn<Qt::MouseButton>("mouse");
        QTest::addColumn<bool>("releasedOutside");
        const QList<int> buttons{8, 9, 12, 13, 14, 15, 16, 17, 18};
        for (int preset = 1; preset <= 9; ++preset) {
            QTest::addRow("PictureButton%d, left", buttons.at(preset - 1))
                << preset << Qt::LeftButton << false;
        }
        QTest::newRow("right button") << 3 << Qt::RightButton << false;
        QTest::newRow("released outside") << 5 << Qt::LeftButton << true;
        QTest::newRow("right, released outside") << 9 << Qt::RightButton << true;
    }
    void presetButtons()
    {
        QFETCH(int, preset);
        QFETCH(Qt::MouseButton, mouse);
        QFETCH(bool, releasedOutside);
        Program p(kList);
        PictureButton *button = p.window.presetButton(preset);
        QVERIFY(button);
        const QPoint inside = button->rect().center();
        const QPoint release = releasedOutside ? QPoint(-40, button->height() * 3) : inside;
        p.controls.mnuNetClick(1);
        p.log.take();

        p.clock.time = QDateTime(QDate(2024, 3, 9), QTime(10, 0, 0, 900));
        QTest::mousePress(button, mouse, {}, inside);
        p.clock.time = QDateTime(QDate(2024, 3, 9), QTime(10, 0, 2, 0));
        QTest::mouseRelease(button, mouse, {}, release);
        QCOMPARE(
            p.log.take(),
            QStringList(
                {"store.Knapp" + QString::number(preset) + "_Navn=NRK P1 \u00D8stlandssendingen",
                 "store.Knapp" + QString::number(preset) + "_URL=http://127.0.0.1/p1", "beep()"}));

        p.controls.mnuNetClick(2);
        QTest::mousePress(button, mouse, {}, inside);
        QTest::mouseRelease(button, mouse, {}, release);
        QCOMPARE(p.label("Label2")->text(), QStringLiteral("NRK P1 \u00D8stlandssendingen"));
        QCOMPARE(p.engine.url(), QStringLiteral("http://127.0.0.1/p1"));
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
