#include "Announcer.h"
#include "FormLifecycle.h"
#include "FormSettings.h"
#include "InfoItems.h"
#include "MemorySettingsStore.h"
#include "PictureButton.h"
#include "PlayerState.h"
#include "QtTray.h"
#include "RecordingMediaPlayer.h"
#include "RecordingMessageBox.h"
#include "Transport.h"
#include "WindowOptions.h"
#include "frmMain.h"
#include "mnuFunk.h"

#include <QLabel>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTextDocument>
#include <QWindow>

namespace {

const QString kUrl = QStringLiteral("http://127.0.0.1:8000/nord.mp3");
const QString kIdle = QStringLiteral("no channel selected");
const QString kPause = QStringLiteral("Pause...");

class SilentAnnouncer final : public Announcer {
public:
    void announce(const QString &, const QString &) override {}
};

// The whole shell as main() wires it, over a store in memory and a recording engine; the
// tray believes the desktop has a notification area unless told otherwise.
struct Shell {
    explicit Shell(const QString &title = {}, bool trayHost = true,
                   const QMap<QString, QString> &saved = {}, bool shown = true)
        : tray(window.ImageList1(), [this] { return hasTrayHost; })
        , hasTrayHost(trayHost)
    {
        store.values = saved;
        if (!title.isEmpty()) {
            for (const auto &[key, value] : {std::pair{"LydstraumURL", kUrl},
                                             {"Tittel2", title},
                                             {"KanalTekst", title},
                                             {"Siste", QStringLiteral("Radio Nord")}}) {
                store.values.insert(QStringLiteral("Morvena Webradio/2.71/") + key, value);
            }
        }
        window.attach(transport, lifecycle);
        window.attachShell(options, info, tray);
        window.load();
        if (shown) {
            window.show();
        }
    }
    ~Shell()
    {
        window.mnuSystray()->hide();
        window.functionsWindow()->hoved_mnufunk()->hide();
    }
    void click(const char *button)
    {
        QTest::mouseClick(window.findChild<PictureButton *>(QLatin1String(button)), Qt::LeftButton);
    }
    void toTray()
    {
        click("PictureButton2");
        QTRY_VERIFY(!window.isVisible() || !hasTrayHost);
    }
    // What the tray and the window show: "<shown|none> <icon> <tip> / window <icon>".
    QString trayState() const
    {
        const auto name = [](Tray::Icon icon) {
            return icon == Tray::Icon::Idle ? QStringLiteral("Idle") : QStringLiteral("Playing");
        };
        return QStringLiteral("%1 %2 %3 / window %4")
            .arg(tray.isShown() ? QStringLiteral("shown") : QStringLiteral("none"),
                 name(tray.icon()), tray.toolTip(), name(window.formIcon()));
    }

    CallLog log;
    MemorySettingsStore store;
    RecordingMediaPlayer engine{log};
    PlayerState state;
    FormSettings settings{store, state, engine};
    frmMain window{state};
    QtTray tray;
    bool hasTrayHost;
    RecordingMessageBox messageBox{log};
    SilentAnnouncer announcer;
    Transport transport{engine, state, settings, window, tray};
    FormLifecycle lifecycle{engine, state, settings, window, tray};
    WindowOptions options{state, settings, window, window};
    InfoItems info{state, messageBox, announcer};
};

} // namespace

/// The window as a window: the tray icon and its clicks, minimising, always on top and the
/// About box around it, on the offscreen platform with a real QtTray.
class TestWindowShell : public QObject {
    Q_OBJECT

private slots:
    void toTray_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("expected");
        QTest::newRow("idle") << QString() << "shown Idle no channel selected / window Idle";
        QTest::newRow("playing") << "Radio Nord"
                                 << "shown Playing Radio Nord / window Playing";
        // Only the idle title picks the idle icon.
        QTest::newRow("paused") << kPause << "shown Playing Pause... / window Playing";
    }
    void toTray()
    {
        QFETCH(QString, title);
        QFETCH(QString, expected);
        Shell s(title);
        QCOMPARE(s.trayState().section(QLatin1Char(' '), 0, 0), QStringLiteral("none"));
        s.toTray();
        QCOMPARE(s.trayState(), expected);
        QVERIFY(!s.window.isVisible());
    }

    // While in the tray every change of playback updates icon, tip and window icon.
    void updatesWhileInTheTray()
    {
        Shell s(QStringLiteral("Radio Nord"));
        s.toTray();
        s.transport.tune(QStringLiteral("Radio Syd"), kUrl);
        QCOMPARE(s.trayState(), QStringLiteral("shown Playing Radio Syd / window Playing"));
        s.window.functionsWindow()->pause_avs()->trigger();
        QCOMPARE(s.trayState(), QStringLiteral("shown Idle Pause... / window Idle"));
        s.window.functionsWindow()->fortsett_avs()->trigger();
        QCOMPARE(s.trayState(), QStringLiteral("shown Playing Radio Syd / window Playing"));
        s.transport.pause();
        s.transport.tune(QStringLiteral("Radio Syd"), kUrl);
        s.transport.pause();
        s.tray.update(Tray::Icon::Playing, QStringLiteral("stale"));
        s.lifecycle.activate();
        QCOMPARE(s.trayState(), QStringLiteral("shown Idle Pause... / window Idle"));
        s.window.findChild<QAction *>(QStringLiteral("stopp"))->trigger();
        QCOMPARE(s.trayState(), QStringLiteral("shown Idle no channel selected / window Idle"));
        QVERIFY(!s.window.isVisible());
    }

    // Without the icon an update changes only the window's own icon.
    void updatesWithoutTheIcon()
    {
        Shell s;
        s.transport.tune(QStringLiteral("Radio Nord"), kUrl);
        QCOMPARE(s.trayState(), QStringLiteral("none Idle  / window Playing"));
        s.transport.pause();
        QCOMPARE(s.trayState(), QStringLiteral("none Idle  / window Idle"));
    }

    void tipIsCut_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("shown");
        QTest::newRow("62") << 62 << 62;
        QTest::newRow("63") << 63 << 63;
        QTest::newRow("64") << 64 << 63;
        QTest::newRow("200") << 200 << 63;
    }
    void tipIsCut()
    {
        QFETCH(int, length);
        QFETCH(int, shown);
        QString title;
        for (int i = 0; i < length; ++i) {
            title.append(QChar(u'a' + i % 26));
        }
        Shell s;
        s.transport.tune(title, kUrl);
        s.toTray();
        QCOMPARE(s.tray.toolTip(), title.left(shown));
        QCOMPARE(s.window.findChild<QLabel *>(QStringLiteral("Label2"))->text(), title);
    }

    // A channel name from a hostile list or stream reaches the tip and every label as the
    // text it is: no markup is rendered, no image or link is loaded.
    void hostileNameStaysPlainText()
    {
        const QString name =
            QStringLiteral("<b>Nord</b><img src=\"file:///etc/passwd\"><a href=x>y</a>");
        Shell s;
        s.transport.tune(name, kUrl);
        s.toTray();
        const QString tip = s.tray.toolTip();
        QVERIFY2(!Qt::mightBeRichText(tip), qPrintable(tip));
        QCOMPARE(QString(tip).remove(QChar(0x2060)), name.left(QtTray::kTipLimit));
        for (const char *label : {"Label1", "Label2", "Label6"}) {
            const auto *shown = s.window.findChild<QLabel *>(QLatin1String(label));
            QVERIFY2(shown, label);
            QVERIFY2(shown->textFormat() == Qt::PlainText, label);
        }
        QCOMPARE(s.window.findChild<QLabel *>(QStringLiteral("Label2"))->text(), name);
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
        Shell s(QStringLiteral("Radio Nord"));
        s.toTray();
        for (int reason : reasons) {
            s.tray.onActivated(static_cast<QSystemTrayIcon::ActivationReason>(reason));
        }
        // The double-click time runs out.
        s.tray.releasePendingPress();
        QCOMPARE(s.window.functionsWindow()->hoved_mnufunk()->isVisible(), functions);
        QCOMPARE(s.window.mnuSystray()->isVisible(), mainMenu);
        QCOMPARE(s.window.isVisible(), restored);
        QCOMPARE(s.tray.isShown(), !restored);
        if (restored) {
            QVERIFY(!s.window.isMinimized());
        }
    }

    // The held-back press is let through by the tray's own timer.
    void pressIsLetThroughByItself()
    {
        Shell s;
        s.toTray();
        QSignalSpy pressed(&s.tray, &QtTray::leftPressed);
        s.tray.onActivated(QSystemTrayIcon::Trigger);
        QVERIFY(s.tray.hasPendingPress());
        QVERIFY(pressed.wait());
        QVERIFY(!s.tray.hasPendingPress());
        QVERIFY(s.window.functionsWindow()->hoved_mnufunk()->isVisible());
    }

    // Sent to the tray again after coming back, the window gets a fresh icon.
    void backAndAgain()
    {
        Shell s(QStringLiteral("Radio Nord"));
        s.toTray();
        s.tray.onActivated(QSystemTrayIcon::DoubleClick);
        QVERIFY(s.window.isVisible());
        QVERIFY(!s.tray.isShown());
        s.toTray();
        QVERIFY(s.tray.isShown());
        QVERIFY(!s.window.isVisible());
        QCOMPARE(s.tray.toolTip(), QStringLiteral("Radio Nord"));
    }

    // Minimised by the desktop, the window hides itself; the tray gives it back restored.
    void minimisingHides()
    {
        Shell s(QStringLiteral("Radio Nord"));
        s.window.showMinimized();
        QTRY_VERIFY(!s.window.isVisible());
        s.tray.add(Tray::Icon::Playing, QStringLiteral("Radio Nord"));
        s.tray.onActivated(QSystemTrayIcon::DoubleClick);
        QVERIFY(s.window.isVisible());
        QVERIFY(!s.window.isMinimized());
    }

    // With no notification area the window only minimises, where the desktop keeps it.
    void noTrayHostMinimisesOnly()
    {
        Shell s(QString(), false);
        s.click("PictureButton2");
        QTRY_VERIFY(s.window.isMinimized());
        QVERIFY(s.window.isVisible());
    }

    // "Always" from the tray menu shows the hidden window, without re-creating it; the icon
    // stays. "Normal" takes the hint off the same window.
    void alwaysOnTopFromTheTray()
    {
        Shell s(QStringLiteral("Radio Nord"));
        const QWindow *native = s.window.windowHandle();
        s.toTray();
        s.window.findChild<QAction *>(QStringLiteral("vis_topp"))->trigger();
        QVERIFY(s.window.isVisible());
        QVERIFY(!s.window.isMinimized());
        QVERIFY(s.tray.isShown());
        QCOMPARE(s.window.windowHandle(), native);
        QVERIFY(native->flags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(s.window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(s.window.windowFlags().testFlag(Qt::FramelessWindowHint));
        QCOMPARE(s.store.values.value(QStringLiteral("Morvena Webradio/2.71/ToppEllerIkke")),
                 QStringLiteral("1"));
        s.window.findChild<QAction *>(QStringLiteral("ikke_top"))->trigger();
        QCOMPARE(s.window.windowHandle(), native);
        QVERIFY(!native->flags().testFlag(Qt::WindowStaysOnTopHint));
    }

    // A saved "Always" is on the window from its first show.
    void savedAlwaysOnTop()
    {
        QMap<QString, QString> saved;
        {
            Shell first(QStringLiteral("Radio Nord"));
            first.window.findChild<QAction *>(QStringLiteral("vis_topp"))->trigger();
            saved = first.store.values;
        }
        Shell second(QString(), true, saved, false);
        QVERIFY(second.window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(!second.window.isVisible());
        second.window.show();
        QVERIFY(second.window.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(second.window.windowFlags().testFlag(Qt::FramelessWindowHint));
        QVERIFY(!second.window.findChild<QAction *>(QStringLiteral("vis_topp"))->isEnabled());
    }

    // About from the tray menu with always on top: the window comes back to show the box.
    void aboutFromTheTrayWhileOnTop()
    {
        Shell s(QStringLiteral("Radio Nord"));
        s.window.findChild<QAction *>(QStringLiteral("vis_topp"))->trigger();
        s.toTray();
        s.log.take();
        s.window.findChild<QAction *>(QStringLiteral("hjelp_nettr"))->trigger();
        QCOMPARE(s.log.take(), QStringList({"box.information(About..)"}));
        QVERIFY(s.window.isVisible());
        QVERIFY(s.window.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(s.state.chkFarge(), 1);
    }
};

QTEST_MAIN(TestWindowShell)
#include "tst_windowShell.moc"
