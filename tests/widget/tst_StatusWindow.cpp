#include "AlertAnnouncer.h"
#include "FormLifecycle.h"
#include "FormSettings.h"
#include "MemorySettingsStore.h"
#include "PlayerState.h"
#include "RecordingAnnouncer.h"
#include "RecordingMediaPlayer.h"
#include "RecordingTray.h"
#include "StatusDisplay.h"
#include "Transport.h"
#include "frmGmail.h"
#include "frmMain.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QTimer>

namespace {

const QColor kNoStreamColor(255, 224, 192);
const QColor kOnAirColor(Qt::white);

// The program as main() wires it, with a scripted engine, a recording announcer and a
// store in memory; `info` is the saved information-view option.
struct Program {
    explicit Program(bool info = false)
    {
        if (info) {
            store.values.insert(QStringLiteral("Morvena Webradio/2.71/VisInfo"),
                                QStringLiteral("1"));
        }
        window.attach(transport, lifecycle);
        window.attachStatusDisplay(status);
        window.load();
        window.show();
    }
    QLabel *label(const char *name) { return window.findChild<QLabel *>(QLatin1String(name)); }
    QColor color(const char *name) { return label(name)->palette().color(QPalette::WindowText); }
    void goLive()
    {
        engine.items = {{QStringLiteral("Bitrate"), QStringLiteral("128000")},
                        {QStringLiteral("Author"), QStringLiteral("Artist")},
                        {QStringLiteral("Title"), QStringLiteral("<b>Song</b>")}};
        engine.bandWidthValue = 128000;
        engine.bufferingProgressValue = 100;
        engine.bufferingCountValue = 1;
    }

    CallLog log;
    MemorySettingsStore store;
    RecordingMediaPlayer engine{log};
    PlayerState state;
    FormSettings settings{store, state, engine};
    RecordingTray tray{log};
    RecordingAnnouncer announcer{log};
    StatusDisplay status{engine, state, announcer,
                         QLocale(QLocale::English, QLocale::UnitedStates)};
    frmMain window{state};
    Transport transport{engine, state, settings, window, tray};
    FormLifecycle lifecycle{engine, state, settings, window, tray};
};

} // namespace

/// The main window with the status display: the timers drive the poll and the watcher, and
/// the on-air indicator shows its colours.
class TestStatusWindow : public QObject {
    Q_OBJECT

private slots:
    void cleanup()
    {
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (qobject_cast<frmGmail *>(widget)) {
                delete widget;
            }
        }
    }

    void tmrUpdateShowsTheStream()
    {
        Program p;
        // Until the first poll the indicator keeps the button face's colour.
        QCOMPARE(p.color("Label5"), p.window.palette().color(QPalette::Button));
        QTRY_COMPARE(p.label("Label5")->text(), QStringLiteral("no stream"));
        QCOMPARE(p.color("Label5"), kNoStreamColor);

        p.goLive();
        QTRY_COMPARE(p.label("Label3")->text(), QStringLiteral("128 kbps (16.00 kB/s) - 100%"));
        QCOMPARE(p.label("Label4")->text(), QStringLiteral("Artist - <b>Song</b>"));
        QCOMPARE(p.label("Label4")->textFormat(), Qt::PlainText);
        QCOMPARE(p.label("Label5")->text(), QStringLiteral("channel is on-air"));
        QCOMPARE(p.color("Label5"), kOnAirColor);
    }

    void timer5Announces()
    {
        Program p(true);
        QVERIFY(p.window.Timer5()->isActive());
        QCOMPARE(p.window.Timer5()->interval(), 3000);
        p.log.take();
        p.window.Timer5()->start(10); // the same tick, sooner
        QTRY_COMPARE(p.state.Label1(), QStringLiteral("no channel selected"));
        QCOMPARE(p.log.take(), QStringList({"announce(no channel selected, NO CHANNEL SELECTED)"}));
    }

    void alertAnnouncerShowsAPopup()
    {
        AlertAnnouncer announcer;
        announcer.announce(QStringLiteral("Radio <i>Nord</i>"), QStringLiteral("ARTIST - SONG"));
        QList<frmGmail *> popups;
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (auto *popup = qobject_cast<frmGmail *>(widget)) {
                popups.append(popup);
            }
        }
        QCOMPARE(popups.size(), 1);
        QVERIFY(popups[0]->isVisible());
        QCOMPARE(popups[0]->lblTitle()->text(), QStringLiteral("Radio <i>Nord</i>"));
        QCOMPARE(popups[0]->lblText()->text(), QStringLiteral("ARTIST - SONG"));
    }
};

QTEST_MAIN(TestStatusWindow)
#include "tst_StatusWindow.moc"
