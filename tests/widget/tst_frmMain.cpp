#include "FormLifecycle.h"
#include "FormSettings.h"
#include "MemorySettingsStore.h"
#include "PictureButton.h"
#include "PlayerState.h"
#include "RecordingMediaPlayer.h"
#include "RecordingTray.h"
#include "Transport.h"
#include "UnixSignalWatcher.h"
#include "WiredWindow.h"
#include "frmMain.h"
#include "mnuFunk.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <csignal>

namespace {

const QString kUrl = QStringLiteral("http://127.0.0.1:8000/nord.mp3");

// The program as main() wires it, with a recording engine and tray and a store in memory.
struct Program : WiredWindow {
    explicit Program(const QString &title = {},
                     const QString &channel = QStringLiteral("Radio Nord"))
    {
        if (!title.isEmpty()) {
            for (const auto &[key, value] : {std::pair{"LydstraumURL", kUrl},
                                             {"Tittel2", title},
                                             {"KanalTekst", title},
                                             {"Siste", channel}}) {
                store.values.insert(QStringLiteral("Morvena Webradio/2.71/") + key, value);
            }
        }
        window.attach(transport, lifecycle);
        window.load();
        window.show();
    }
    QString stored(const char *key) const
    {
        return store.values.value(QStringLiteral("Morvena Webradio/2.71/") + key);
    }
    PictureButton *button(const char *name)
    {
        return window.findChild<PictureButton *>(QLatin1String(name));
    }
    bool shown(const char *name) { return button(name)->isVisibleTo(&window); }
    QString label(const char *name)
    {
        return window.findChild<QLabel *>(QLatin1String(name))->text();
    }
};

// What the functions popup offers: "<name> <caption> <enabled>" per item.
QStringList popupItems(frmMain &window)
{
    QStringList items;
    for (QAction *item : window.functionsWindow()->hoved_mnufunk()->actions()) {
        items.append(item->objectName() + QLatin1Char(' ') +
                     (item->isSeparator() ? QStringLiteral("-") : item->text()) +
                     (item->isEnabled() ? QString() : QStringLiteral(" (disabled)")));
    }
    return items;
}

} // namespace

/// The main window on the offscreen platform: start-up, the transport controls, activation
/// and unload. Layout and tray have tests of their own.
class TestFrmMain : public QObject {
    Q_OBJECT

private slots:
    void firstStartIsIdle()
    {
        Program p;
        QCOMPARE(p.label("Label2"), QStringLiteral("no channel selected"));
        QCOMPARE(p.label("Label4"), QStringLiteral("no channel selected"));
        QVERIFY(p.shown("PictureButton6"));
        QVERIFY(!p.shown("PictureButton7"));
        QVERIFY(!p.window.functionsWindow()->isLoaded());
        QVERIFY(p.window.tmrUpdate()->isActive());
        QCOMPARE(p.window.tmrUpdate()->interval(), 100);
        // The popup loads on first use and, with no URL, offers neither pause nor continue.
        QCOMPARE(popupItems(p.window),
                 QStringList({"musikkfil Playlist <..>", "linje -",
                              "fortsett_avs Continue (disabled)", "pause_avs Pause (disabled)"}));
    }

    // The continue item names the channel as it is: an "&" in it is no shortcut marker.
    void pausedStartOffersContinue_data()
    {
        QTest::addColumn<QString>("channel");
        QTest::addColumn<QString>("item");
        QTest::newRow("plain") << "Radio Nord"
                               << "Continue (Radio Nord)";
        QTest::newRow("ampersand") << "Rock & Pop"
                                   << "Continue (Rock && Pop)";
    }
    void pausedStartOffersContinue()
    {
        QFETCH(QString, channel);
        QFETCH(QString, item);
        Program p(QStringLiteral("Pause..."), channel);
        QCOMPARE(p.engine.url(), QString());
        QVERIFY(!p.shown("PictureButton6"));
        QVERIFY(p.shown("PictureButton7"));
        QCOMPARE(p.window.formIcon(), Tray::Icon::Idle);
        QCOMPARE(popupItems(p.window),
                 QStringList({"musikkfil Playlist <..>", "linje -", "fortsett_avs " + item,
                              "pause_avs Pause (disabled)"}));
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
        Program p(start);
        if (auto *button = p.window.findChild<PictureButton *>(control)) {
            QTest::mouseClick(button, Qt::LeftButton);
        } else {
            p.window.functionsWindow()->hoved_mnufunk(); // the popup loads on first use
            p.window.findChild<QAction *>(control)->trigger();
        }
        QCOMPARE(p.label("Label2"), title);
        QCOMPARE(p.stored("Tittel2"), title);
        QCOMPARE(p.shown("PictureButton7"), title == QStringLiteral("Pause..."));
        QCOMPARE(p.shown("PictureButton6"), title != QStringLiteral("Pause..."));
    }

    void activationCountsOncePerTakeOver()
    {
        Program p(QStringLiteral("Pause..."));
        QSignalSpy activations(&p.window, &frmMain::activated);
        p.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&p.window));
        QCOMPARE(activations.count(), 0); // the first display already counted
        // Another window of the program takes over, then the main window again.
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        p.window.functionsWindow()->fortsett_avs()->setText(QStringLiteral("stale"));
        p.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&p.window));
        QCOMPARE(activations.count(), 1);
        QCOMPARE(p.window.functionsWindow()->fortsett_avs()->text(),
                 QStringLiteral("Continue (Radio Nord)"));
    }

    void closeSavesExitDoesNot()
    {
        Program p(QStringLiteral("Radio Nord"));
        p.state.setLabel4(QStringLiteral("Artist - Song"));
        p.log.take();
        QTest::mouseClick(p.button("PictureButton3"), Qt::LeftButton);
        QCOMPARE(p.log.take(), QStringList({"tray.remove()"}));
        QCOMPARE(p.stored("KanalTekst"), QStringLiteral("Radio Nord"));
        p.window.close();
        QCOMPARE(p.stored("KanalTekst"), QStringLiteral("Artist - Song"));
    }

    void terminationSignalUnloads()
    {
        Program p(QStringLiteral("Radio Nord"));
        UnixSignalWatcher watcher({SIGTERM});
        connect(&watcher, &UnixSignalWatcher::received, &p.window, &QWidget::close);
        p.state.setLabel4(QStringLiteral("Artist - Song"));
        std::raise(SIGTERM);
        QTRY_COMPARE(p.stored("KanalTekst"), QStringLiteral("Artist - Song"));
        QVERIFY(!p.window.isVisible());
    }
};

QTEST_MAIN(TestFrmMain)
#include "tst_frmMain.moc"
