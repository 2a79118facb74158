// The main window as main() wires it, on the offscreen platform with a real tray icon:
// start-up, the transport controls, close and termination, the tray icon and its clicks,
// always on top, the status timers, the channel menu, preset buttons and drops.
#include "ChannelListPopup.h"
#include "FileDropTarget.h"
#include "Fixture.h"
#include "PictureButton.h"
#include "UnixSignalWatcher.h"
#include "mnuFunk.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QTextDocument>
#include <QTimer>
#include <QWindow>

#include <csignal>

namespace {

using With = Fixture::With;
const QString kUrl = QStringLiteral("http://127.0.0.1:8000/nord.mp3");
const QByteArray kList = "[Navn]\r\n1=NRK P1 \xD8stlandssendingen\r\n2=Rock & Roll\r\n"
                         "[URL]\r\n1=http://127.0.0.1/p1\r\n2=http://127.0.0.1/rock\r\n";

// The settings of a run that saved `title` (a channel, or "Pause..." after `channel`).
QMap<QString, QString> saved(const QString &title, const QString &channel = "Radio Nord")
{
    return {{"LydstraumURL", kUrl}, {"Tittel2", title}, {"KanalTekst", title}, {"Siste", channel}};
}

QLabel *label(Fixture &f, const char *name)
{
    return f.window->findChild<QLabel *>(QLatin1String(name));
}
PictureButton *button(Fixture &f, const char *name)
{
    return f.window->findChild<PictureButton *>(QLatin1String(name));
}
bool shown(Fixture &f, const char *name)
{
    return button(f, name)->isVisibleTo(f.window.get());
}
QAction *item(Fixture &f, const char *name)
{
    f.window->functionsWindow()->hoved_mnufunk(); // the popup loads on first use
    return f.window->findChild<QAction *>(QLatin1String(name));
}
void sendToTray(Fixture &f)
{
    QTest::mouseClick(button(f, "PictureButton2"), Qt::LeftButton);
    QTRY_VERIFY(!f.window->isVisible() || !f.hasTrayHost);
}
// What the functions popup offers: "<name> <caption>[ (disabled)]" per item.
QStringList popupItems(Fixture &f)
{
    QStringList items;
    for (QAction *action : f.window->functionsWindow()->hoved_mnufunk()->actions())
        items.append(action->objectName() + QLatin1Char(' ') +
                     (action->isSeparator() ? QStringLiteral("-") : action->text()) +
                     (action->isEnabled() ? QString() : QStringLiteral(" (disabled)")));
    return items;
}
// A drop of `data` on Label4, as the desktop delivers it; returns once it is handled.
void drop(Fixture &f, QMimeData *data)
{
    QSignalSpy handled(f.controls->dropTarget(), &FileDropTarget::dropped);
    QLabel *target = label(f, "Label4");
    const QPoint middle = target->rect().center();
    QDragEnterEvent enter(middle, Qt::CopyAction | Qt::MoveAction, data, Qt::LeftButton,
                          Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    QDropEvent dropEvent(QPointF(middle), Qt::CopyAction | Qt::MoveAction, data, Qt::LeftButton,
                         Qt::NoModifier);
    QCoreApplication::sendEvent(target, &dropEvent);
    QVERIFY(handled.wait(5000));
}

} // namespace

class TestWindow : public QObject {
    Q_OBJECT

private slots:
    void firstStartIsIdle()
    {
        Fixture f(With::Window);
        QCOMPARE(label(f, "Label2")->text(), QStringLiteral("no channel selected"));
        QVERIFY(shown(f, "PictureButton6"));
        QVERIFY(!shown(f, "PictureButton7"));
        QVERIFY(f.window->tmrUpdate()->isActive());
        // With no URL the popup offers neither pause nor continue.
        QCOMPARE(popupItems(f),
                 QStringList({"musikkfil Playlist <..>", "linje -",
                              "fortsett_avs Continue (disabled)", "pause_avs Pause (disabled)"}));
    }

    // The continue item names the channel as it is: an "&" in it is no shortcut marker.
    void pausedStartOffersContinue()
    {
        Fixture f(With::Window, saved("Pause...", "Rock & Pop"));
        QCOMPARE(f.engine->url(), QString());
        QVERIFY(shown(f, "PictureButton7"));
        QCOMPARE(f.window->formIcon(), Tray::Icon::Idle);
        QCOMPARE(popupItems(f).at(2), QStringLiteral("fortsett_avs Continue (Rock && Pop)"));
    }

    void controlsRunTheTransport_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("title");
        QTest::newRow("pause button") << "Radio Nord"
                                      << "PictureButton6"
                                      << "Pause...";
        QTest::newRow("continue button") << "Pause..."
                                         << "PictureButton7"
                                         << "Radio Nord";
        QTest::newRow("pause item") << "Radio Nord"
                                    << "pause_avs"
                                    << "Pause...";
        QTest::newRow("continue item") << "Pause..."
                                       << "fortsett_avs"
                                       << "Radio Nord";
        QTest::newRow("stop item") << "Radio Nord"
                                   << "stopp"
                                   << "no channel selected";
    }
    void controlsRunTheTransport()
    {
        QFETCH(QString, start);
        QFETCH(QString, control);
        QFETCH(QString, title);
        Fixture f(With::Window, saved(start));
        if (auto *pictureButton = button(f, qPrintable(control)))
            QTest::mouseClick(pictureButton, Qt::LeftButton);
        else
            item(f, qPrintable(control))->trigger();
        QCOMPARE(label(f, "Label2")->text(), title);
        QCOMPARE(f.stored(u"Tittel2"), title);
        QCOMPARE(shown(f, "PictureButton7"), title == QStringLiteral("Pause..."));
    }

    // Icon, tip and window icon follow playback in the tray; only the idle title picks the
    // idle icon; the tip is cut to its limit.
    void toTray()
    {
        Fixture f(With::Window, saved("Pause..."));
        sendToTray(f);
        QVERIFY(f.qtTray->isShown());
        QCOMPARE(f.qtTray->icon(), Tray::Icon::Playing);
        const QString longTitle(200, u'a');
        f.transport->tune(longTitle, kUrl);
        QCOMPARE(f.qtTray->toolTip(), longTitle.left(QtTray::kTipLimit));
        f.transport->pause();
        QCOMPARE(f.qtTray->icon(), Tray::Icon::Idle);
        QCOMPARE(f.window->formIcon(), Tray::Icon::Idle);
    }

    // A channel name from a hostile list or stream reaches the tip and every label as the
    // text it is: no markup is rendered, no image or link is loaded.
    void hostileNameStaysPlainText()
    {
        const QString name =
            QStringLiteral("<b>Nord</b><img src=\"file:///etc/passwd\"><a href=x>y</a>");
        Fixture f(With::Window);
        f.transport->tune(name, kUrl);
        sendToTray(f);
        const QString tip = f.qtTray->toolTip();
        QVERIFY2(!Qt::mightBeRichText(tip), qPrintable(tip));
        QCOMPARE(QString(tip).remove(QChar(0x2060)), name.left(QtTray::kTipLimit));
        for (const char *held : {"Label1", "Label2", "Label4", "Label6"})
            QVERIFY2(label(f, held)->textFormat() == Qt::PlainText, held);
        QCOMPARE(label(f, "Label2")->text(), name);
    }

    // Left press: the functions popup, once it is clear no double-click follows. Right
    // press: the main menu. Left double-click: the window back, the icon gone, no popup.
    void clicks_data()
    {
        QTest::addColumn<QList<int>>("reasons");
        QTest::addColumn<bool>("functions");
        QTest::addColumn<bool>("mainMenu");
        QTest::addColumn<bool>("restored");
        using R = QSystemTrayIcon;
        QTest::newRow("left press") << QList<int>{R::Trigger} << true << false << false;
        QTest::newRow("right press") << QList<int>{R::Context} << false << true << false;
        QTest::newRow("double-click")
            << QList<int>{R::Trigger, R::DoubleClick} << false << false << true;
        QTest::newRow("middle") << QList<int>{R::MiddleClick} << false << false << false;
    }
    void clicks()
    {
        QFETCH(QList<int>, reasons);
        QFETCH(bool, functions);
        QFETCH(bool, mainMenu);
        QFETCH(bool, restored);
        Fixture f(With::Window, saved("Radio Nord"));
        sendToTray(f);
        for (int reason : reasons)
            f.qtTray->onActivated(static_cast<QSystemTrayIcon::ActivationReason>(reason));
        f.qtTray->releasePendingPress(); // the double-click time runs out
        QCOMPARE(f.window->functionsWindow()->hoved_mnufunk()->isVisible(), functions);
        QCOMPARE(f.window->mnuSystray()->isVisible(), mainMenu);
        QCOMPARE(f.window->isVisible(), restored);
        QCOMPARE(f.qtTray->isShown(), !restored);
        QVERIFY(!f.window->isMinimized());
    }

    // The held-back press is let through by the tray's own timer.
    void pressIsLetThroughByItself()
    {
        Fixture f(With::Window);
        sendToTray(f);
        QSignalSpy pressed(f.qtTray.get(), &QtTray::leftPressed);
        f.qtTray->onActivated(QSystemTrayIcon::Trigger);
        QVERIFY(pressed.wait());
        QVERIFY(f.window->functionsWindow()->hoved_mnufunk()->isVisible());
    }

    // Minimised by the desktop, the window hides itself; the tray gives it back restored.
    // With no notification area it only minimises, where the desktop keeps it.
    void minimising()
    {
        Fixture f(With::Window, saved("Radio Nord"));
        f.window->showMinimized();
        QTRY_VERIFY(!f.window->isVisible());
        f.qtTray->add(Tray::Icon::Playing, QStringLiteral("Radio Nord"));
        f.qtTray->onActivated(QSystemTrayIcon::DoubleClick);
        QVERIFY(f.window->isVisible());
        QVERIFY(!f.window->isMinimized());
        f.hasTrayHost = false;
        QTest::mouseClick(button(f, "PictureButton2"), Qt::LeftButton);
        QTRY_VERIFY(f.window->isMinimized());
        QVERIFY(f.window->isVisible());
    }

    // "Always" from the tray menu shows the hidden window without re-creating its native
    // window; the icon stays. "Normal" takes the hint off the same window. About, while on
    // top, brings the window back to show its box.
    void alwaysOnTopFromTheTray()
    {
        Fixture f(With::Window, saved("Radio Nord"));
        const QWindow *native = f.window->windowHandle();
        sendToTray(f);
        item(f, "vis_topp")->trigger();
        QVERIFY(f.window->isVisible());
        QVERIFY(f.qtTray->isShown());
        QCOMPARE(f.window->windowHandle(), native);
        QVERIFY(native->flags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(f.window->windowFlags().testFlag(Qt::FramelessWindowHint));
        QCOMPARE(f.stored(u"ToppEllerIkke"), QStringLiteral("1"));
        item(f, "ikke_top")->trigger();
        QCOMPARE(f.window->windowHandle(), native);
        QVERIFY(!native->flags().testFlag(Qt::WindowStaysOnTopHint));
        item(f, "vis_topp")->trigger();
        sendToTray(f);
        f.log.take();
        item(f, "hjelp_nettr")->trigger();
        QCOMPARE(f.log.take(), QStringList({"box.information(About..)"}));
        QVERIFY(f.window->isVisible());
    }

    // A saved "Always" is on the window from its first show.
    void savedAlwaysOnTop()
    {
        Fixture f(With::Window, {{"ToppEllerIkke", "1"}});
        QVERIFY(f.window->windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(f.window->windowFlags().testFlag(Qt::FramelessWindowHint));
        QVERIFY(!item(f, "vis_topp")->isEnabled());
    }

    // tmrUpdate polls the stream into the labels, Timer5 announces with information view on.
    void timersDriveTheStatus()
    {
        Fixture f(With::Window, {{"VisInfo", "1"}});
        QTRY_COMPARE(label(f, "Label5")->text(), QStringLiteral("no stream"));
        f.engine->items = {{"Bitrate", "128000"}, {"Author", "Artist"}, {"Title", "<b>Song</b>"}};
        f.engine->bandWidthValue = 128000;
        f.engine->bufferingProgressValue = 100;
        f.engine->bufferingCountValue = 1;
        QTRY_COMPARE(label(f, "Label3")->text(), QStringLiteral("128 kbps (16,00 kB/s) - 100%"));
        QCOMPARE(label(f, "Label4")->text(), QStringLiteral("Artist - <b>Song</b>"));
        QCOMPARE(label(f, "Label5")->text(), QStringLiteral("channel is on-air"));
        f.log.take();
        f.window->Timer5()->start(10); // the same tick, sooner
        QTRY_COMPARE(f.state->Label1(), QStringLiteral("Artist - <b>Song</b>"));
        QVERIFY(f.log.take().contains("announce(no channel selected, ARTIST - <B>SONG</B>)"));
    }

    // The list's entries tune, the edit entry edits,
    // and the export and "Playlist <..>" items reach their dialogs.
    void channelMenu()
    {
        Fixture f(With::Window);
        QVERIFY(f.write(f.listPath, kList));
        f.restart(); // the list is read at load
        QStringList texts{f.window->findChild<QAction *>("mnuNet")->text()};
        const QAbstractItemModel *rows = f.controls->channelList()->model();
        for (int row = 0; row < rows->rowCount(); ++row)
            texts.append(rows->index(row, 0).data().toString());
        QCOMPARE(texts, QStringList({"\u00A6 Edit Channels", "NRK P1 \u00D8stlandssendingen",
                                     "Rock & Roll"}));
        f.controls->mnuNetClick(2);
        QCOMPARE(label(f, "Label2")->text(), QStringLiteral("Rock & Roll"));
        QCOMPARE(f.engine->url(), QStringLiteral("http://127.0.0.1/rock"));
        f.log.take();
        f.controls->mnuNetClick(0);
        item(f, "eksportkanaler")->trigger();
        f.dialogs.nextAnswer = "/music/evening.m3u";
        f.window->functionsWindow()->musikkfil()->trigger();
        const QStringList log = f.log.take();
        QVERIFY(log.contains("editor(" + f.listPath + ")"));
        QCOMPARE(log.filter("dialog.").size(), 2);
        QCOMPARE(f.engine->url(), QStringLiteral("/music/evening.m3u"));
    }

    // Every preset button stands for its own preset, whichever mouse button presses it and
    // wherever it is released; the clock decides between storing and tuning.
    void presetButtons_data()
    {
        QTest::addColumn<int>("preset");
        QTest::addColumn<Qt::MouseButton>("mouse");
        QTest::addColumn<bool>("releasedOutside");
        QTest::newRow("preset 1 (PictureButton8)") << 1 << Qt::LeftButton << false;
        QTest::newRow("N2 (PictureButton18)") << 9 << Qt::LeftButton << false;
        QTest::newRow("right, released outside") << 9 << Qt::RightButton << true;
    }
    void presetButtons()
    {
        QFETCH(int, preset);
        QFETCH(Qt::MouseButton, mouse);
        QFETCH(bool, releasedOutside);
        Fixture f(With::Window);
        PictureButton *presetButton = f.window->presetButton(preset);
        const QPoint inside = presetButton->rect().center();
        const QPoint release = releasedOutside ? QPoint(-40, presetButton->height() * 3) : inside;
        f.transport->tune("P1", "http://127.0.0.1/p1");
        f.clock.time = QDateTime(QDate(2024, 3, 9), QTime(10, 0, 0, 900));
        QTest::mousePress(presetButton, mouse, {}, inside);
        f.clock.time = QDateTime(QDate(2024, 3, 9), QTime(10, 0, 2, 0));
        QTest::mouseRelease(presetButton, mouse, {}, release);
        QCOMPARE(f.stored(Presets::urlKey(preset)), QStringLiteral("http://127.0.0.1/p1"));
        f.transport->tune("Other", "http://127.0.0.1/other");
        QTest::mousePress(presetButton, mouse, {}, inside);
        QTest::mouseRelease(presetButton, mouse, {}, release);
        QCOMPARE(f.engine->url(), QStringLiteral("http://127.0.0.1/p1"));
    }

    // Files dropped on the now-playing text play the first; text is told; a list installs.
    void drops()
    {
        Fixture f(With::Window);
        QMimeData files;
        files.setUrls({QUrl::fromLocalFile("/music/a.mp3"), QUrl::fromLocalFile("/music/b.mp3")});
        drop(f, &files);
        QCOMPARE(f.engine->url(), QStringLiteral("/music/a.mp3"));
        QMimeData text;
        text.setText("NRK P2");
        drop(f, &text);
        QCOMPARE(f.log.take().last(), QStringLiteral("box.warning(Morvena Webradio 2.71)"));
        const QString dropped = f.path("in/Mine Kanaler.ini");
        QVERIFY(Fixture::write(dropped, "[Navn]\n1=New\n"));
        QMimeData list;
        list.setUrls({QUrl::fromLocalFile(dropped)});
        drop(f, &list);
        QCOMPARE(Fixture::read(f.listPath), QByteArray("[Navn]\n1=New\n"));
        QCOMPARE(f.log.take().last(), QStringLiteral("restart.close()"));
    }

    // Closing the window saves; the exit button does not; SIGTERM closes it. Last: the exit
    // button ends the application's event loop.
    void closeSavesExitDoesNot()
    {
        Fixture f(With::Window, saved("Radio Nord"));
        f.state->setLabel4(QStringLiteral("Artist - Song"));
        QTest::mouseClick(button(f, "PictureButton3"), Qt::LeftButton);
        QCOMPARE(f.stored(u"KanalTekst"), QStringLiteral("Radio Nord"));
        UnixSignalWatcher watcher({SIGTERM});
        connect(&watcher, &UnixSignalWatcher::received, f.window.get(), &QWidget::close);
        std::raise(SIGTERM);
        QTRY_COMPARE(f.stored(u"KanalTekst"), QStringLiteral("Artist - Song"));
        QVERIFY(!f.window->isVisible());
    }
};

QTEST_MAIN(TestWindow)
#include "tst_window.moc"
