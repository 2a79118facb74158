#include "Announcer.h"
#include "InfoItems.h"
#include "PlayerFixture.h"
#include "RecordingAnnouncer.h"
#include "RecordingMessageBox.h"
#include "RecordingStacking.h"
#include "WindowOptions.h"

#include <QTest>

namespace {

// The program's objects with the window options and the information items.
struct Info {
    Info()
    {
        f.lifecycle->loadForm();
        f.lifecycle->finishLoad();
        f.log.take();
    }
    PlayerFixture f;
    RecordingStacking stacking{f.log};
    RecordingMessageBox box{f.log};
    RecordingAnnouncer announcer{f.log};
    WindowOptions options{*f.state, *f.settings, *f.view, stacking};
    InfoItems info{*f.state, box, announcer};
};

} // namespace

/// "About.." and "What's On?": the About box's text and its dance around always on top, and
/// what the announcement on demand shows.
class TestInfoItems : public QObject {
    Q_OBJECT

private slots:
    void aboutText()
    {
        const QStringList lines = InfoItems::aboutText().split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), 6);
        QCOMPARE(lines.at(0), QStringLiteral("Morvena Webradio"));
        QVERIFY(lines.at(1).contains(QStringLiteral("Copyright")));
        QVERIFY(lines.at(1).contains(QStringLiteral("Morvena Webradio contributors")));
        QVERIFY(lines.at(2).isEmpty());
        QVERIFY(!lines.at(3).isEmpty());
        QVERIFY(lines.at(4).isEmpty());
        QCOMPARE(lines.at(5), QStringLiteral("Morvena Webradio is created with Qt and libmpv."));
        QCOMPARE(InfoItems::kAboutTitle, QLatin1String("About.."));
    }

    // The window leaves the top while the box is open and goes back when it is closed; the
    // option's items and the store are not touched.
    void aboutWhileOnTop()
    {
        Info i;
        i.options.vis_topp();
        i.f.log.take();
        i.info.hjelp_nettr();
        QCOMPARE(i.f.log.take(),
                 QStringList({"chkFarge=0", "stack.topmost(false)", "box.information(About..)",
                              "chkFarge=1", "stack.topmost(true)"}));
        QCOMPARE(i.box.lastText, InfoItems::aboutText());
    }

    void aboutNotOnTop()
    {
        Info i;
        i.info.hjelp_nettr();
        QCOMPARE(i.f.log.take(), QStringList({"box.information(About..)"}));
    }

    void whatsOn_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("announced");
        QTest::newRow("nothing tuned") << "idle"
                                       << "announce(no channel selected, NO CHANNEL SELECTED)";
        QTest::newRow("paused") << "paused"
                                << "announce(Pause..., PAUSE...)";
        QTest::newRow("playing") << "playing"
                                 << "announce(Radio Nord, ÆRLIG SANG - ÅSA)";
    }
    // Shown on demand with the information view off, and not remembered as announced.
    void whatsOn()
    {
        QFETCH(QString, start);
        QFETCH(QString, announced);
        Info i;
        if (start != QLatin1String("idle")) {
            i.f.transport->tune(QStringLiteral("Radio Nord"), QStringLiteral("http://nord/"));
            i.f.state->setLabel4(QStringLiteral("Ærlig sang - Åsa"));
        }
        if (start == QLatin1String("paused")) {
            i.f.transport->pause();
        }
        i.f.state->setLabel1(QStringLiteral("earlier"));
        i.f.log.take();
        QCOMPARE(i.f.state->chkInfo(), 0);
        i.info.hva_spn();
        QCOMPARE(i.f.log.take(), QStringList({announced}));
        QCOMPARE(i.f.state->Label1(), QStringLiteral("earlier"));
    }
};

QTEST_GUILESS_MAIN(TestInfoItems)
#include "tst_InfoItems.moc"
