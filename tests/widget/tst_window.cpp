// The main window as main() wires it, on the offscreen platform with a real tray icon: close
// and termination, the tray icon and its clicks, always on top and the channel list. Its
// transport buttons and items are e2e_radio's, on a real desktop.
#include "ChannelListPopup.h"
#include "DirectoryClient.h"
#include "Fixture.h"
#include "PictureButton.h"
#include "StationActions.h"
#include "StationSearchDialog.h"
#include "Translations.h"
#include "mnuFunk.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTextDocument>
#include <QTimer>
#include <QWindow>

#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

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
QAction *item(Fixture &f, const char *name)
{
    f.window->functionsWindow()->hoved_mnufunk(); // the popup loads on first use
    return f.window->findChild<QAction *>(QLatin1String(name));
}
QStringList texts(const QMenu *menu)
{
    QStringList all;
    for (const QAction *action : menu->actions())
        all +=
            action->menu() ? texts(action->menu()) << action->text() : QStringList{action->text()};
    return all;
}
void sendToTray(Fixture &f)
{
    QTest::mouseClick(button(f, "PictureButton2"), Qt::LeftButton);
    QTRY_VERIFY(!f.window->isVisible() || !f.hasTrayHost);
}

} // namespace

class TestWindow : public QObject {
    Q_OBJECT

private slots:

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

    // Minimised by the desktop, the window hides itself; the tray gives it back restored.
    // With no notification area it only minimises, where the desktop keeps it. The status
    // poll runs only while the window is in view.
    void minimising()
    {
        Fixture f(With::Window, saved("Radio Nord"));
        f.window->showMinimized();
        QTRY_VERIFY(!f.window->isVisible());
        // The channel plays on, but nobody sees the status line: no poll, and the line is
        // not touched while the figures change for three of its intervals.
        QVERIFY(!f.window->tmrUpdate()->isActive());
        const QString line = label(f, "Label3")->text();
        f.engine->items.insert(QStringLiteral("Bitrate"), QStringLiteral("128000"));
        f.engine->bandWidthValue = 128000;
        f.engine->bufferingProgressValue = 100;
        QTest::qWait(3 * f.window->tmrUpdate()->interval());
        QCOMPARE(label(f, "Label3")->text(), line);
        f.qtTray->add(Tray::Icon::Playing, QStringLiteral("Radio Nord"));
        f.qtTray->onActivated(QSystemTrayIcon::DoubleClick);
        QVERIFY(f.window->isVisible());
        QVERIFY(!f.window->isMinimized());
        QVERIFY(f.window->tmrUpdate()->isActive());
        // Back in view, the line is brought up to date at once.
        QVERIFY(label(f, "Label3")->text() != line);
        f.hasTrayHost = false;
        QTest::mouseClick(button(f, "PictureButton2"), Qt::LeftButton);
        QTRY_VERIFY(f.window->isMinimized());
        QVERIFY(f.window->isVisible());
        QVERIFY(!f.window->tmrUpdate()->isActive());
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

    // A list replaced while the program runs, by an editor's rename or by "Add to My
    // Channels", is what the menu shows: the watch follows each new file, and the status
    // line says where the added channel went. (The longest list on a real desktop is
    // e2e_channels'.)
    void listFollowsTheFile()
    {
        Fixture f(With::Window);
        QVERIFY(f.write(f.listPath, "[Navn]\r\n1=Old\r\n[URL]\r\n1=http://127.0.0.1/old\r\n"));
        f.restart();
        ChannelListView *view = f.controls->channelList();
        QVERIFY(f.write(f.path("edit.tmp"), kList));
        QVERIFY(QFile::remove(f.listPath));
        QVERIFY(QFile::rename(f.path("edit.tmp"), f.listPath));
        QTRY_COMPARE_WITH_TIMEOUT(view->model()->rowCount(), 2, 5000);
        f.transport->tune(QStringLiteral("Live"), QStringLiteral("http://127.0.0.1/live"));
        emit f.window->mnuSystray()->aboutToShow();
        f.window->findChild<QAction *>(QStringLiteral("legg_til_kanal"))->trigger();
        QTRY_COMPARE_WITH_TIMEOUT(view->model()->rowCount(), 3, 5000);
        QCOMPARE(view->model()->index(2, 0).data().toString(), QStringLiteral("Live"));
        QCOMPARE(label(f, "Label3")->text(), QStringLiteral("Added to My Channels as channel 3."));
    }

    // A reread waits on the file beside the event loop, not in it. The list here is a pipe
    // whose writer holds its text back until the window's timers have run while the list
    // was being read (or 5 s have passed).
    void rereadLeavesTheLoopRunning()
    {
        Fixture f(With::Window);
        QVERIFY(f.write(f.listPath, "[Navn]\r\n1=Old\r\n[URL]\r\n1=http://127.0.0.1/old\r\n"));
        f.restart();
        QVERIFY(QFile::remove(f.listPath));
        const QByteArray pipePath = QFile::encodeName(f.listPath);
        QCOMPARE(::mkfifo(pipePath.constData(), 0600), 0);
        std::atomic<bool> reading = false;
        std::atomic<bool> loopRan = false;
        std::thread writer([&] {
            const int pipe = ::open(pipePath.constData(), O_WRONLY); // until a reader opens
            reading = true;
            for (int wait = 0; wait < 500 && !loopRan; ++wait) {
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
            if (pipe >= 0) {
                [[maybe_unused]] const auto written =
                    ::write(pipe, kList.constData(), kList.size());
                ::close(pipe);
            }
        });
        QTimer tick;
        connect(&tick, &QTimer::timeout, this, [&] { loopRan = loopRan || reading; });
        tick.start(10);
        QTRY_COMPARE_WITH_TIMEOUT(f.controls->channelList()->model()->rowCount(), 2, 15000);
        if (!reading) {
            // No reader came: let the writer's open return.
            ::close(::open(pipePath.constData(), O_RDONLY | O_NONBLOCK));
        }
        writer.join();
        QVERIFY(loopRan);
    }

    // The desktop's language: the menus, the tray's popup, the station search and the words
    // for a state speak it; the settings file keeps its own words in every language.
    void speaksTheLanguage_data()
    {
        QTest::addColumn<QString>("expected");
        QTest::newRow("nb_NO")
            << "Mine kanaler|Alltid øverst|30 minutter|Sovetimer|Spilleliste <..>|"
               "Fortsett|Finn stasjoner|Søk|ingen kanal valgt|ingen strøm";
        QTest::newRow("en_GB") << "My Channels|Always on top|30 minutes|Sleep|Playlist <..>|"
                                  "Continue|Find stations|Search|no channel selected|no stream";
    }
    void speaksTheLanguage()
    {
        QFETCH(QString, expected);
        const QString language = QTest::currentDataTag();
        QCOMPARE(Translations::install(QLocale(language)), language.left(2).remove("en"));
        Fixture f(With::Window, saved("Pause..."));
        QCOMPARE(label(f, "Label2")->text(), QStringLiteral("Pause...")); // read as the pause
        f.transport->stop();
        DirectoryClient::Settings nowhere;
        nowhere.fixedBase = QUrl("http://127.0.0.1:9");
        DirectoryClient directory(nowhere);
        StationActions actions(*f.transport, *f.adder, *f.presets, directory);
        StationSearchDialog search(directory, actions);
        QStringList shown = texts(f.window->mnuSystray()) +
                            texts(f.window->functionsWindow()->hoved_mnufunk()) +
                            QStringList{search.windowTitle(), label(f, "Label2")->text(),
                                        label(f, "Label5")->text()};
        for (const QPushButton *button : search.findChildren<QPushButton *>())
            shown += button->text();
        for (const QString &text : expected.split('|'))
            QVERIFY2(shown.contains(text), qPrintable(text + " in " + shown.join('|')));
        QCOMPARE(f.stored(u"Tittel2"), QStringLiteral("no channel selected"));
        QCOMPARE(f.stored(u"KanalTekst"), QStringLiteral("no channel selected"));
    }

    // Closing the window saves; the exit button does not (SIGTERM's close is e2e_radio's).
    // Last: the exit button ends the application's event loop.
    void closeSavesExitDoesNot()
    {
        Fixture f(With::Window, saved("Radio Nord"));
        f.state->update([](PlayerSnapshot &now) { now.song = {"Artist", "Song", {}}; });
        QTest::mouseClick(button(f, "PictureButton3"), Qt::LeftButton);
        QCOMPARE(f.stored(u"KanalTekst"), QStringLiteral("Radio Nord"));
        f.window->close();
        QCOMPARE(f.stored(u"KanalTekst"), QStringLiteral("Artist - Song"));
        QVERIFY(!f.window->isVisible());
    }
};

QTEST_MAIN(TestWindow)
#include "tst_window.moc"
