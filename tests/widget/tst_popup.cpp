// The now-playing popup: its path (below the screen, rise in steps, hold, one step down,
// closed), dismissing it, its window and texts.
#include "PopupMotion.h"
#include "cAlert.h"
#include "frmGmail.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace {

using Phase = PopupMotion::Phase;

const QRect kScreen(0, 0, 1280, 800);
const QSize kPopup(362, 90);
// Intervals far beyond any test's run, so only the ticks a test calls move a popup.
constexpr int kNever = 24 * 60 * 60 * 1000;

// Rises until the rise ends, at most `limit` ticks; returns the number of ticks taken.
int riseToTop(PopupMotion &motion, int limit = 1000)
{
    int ticks = 0;
    for (; motion.phase() == Phase::Rising && ticks < limit; ++ticks)
        motion.rise();
    return ticks;
}

QList<frmGmail *> openPopups()
{
    QList<frmGmail *> popups;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *popup = qobject_cast<frmGmail *>(widget); popup && popup->isVisible())
            popups.append(popup);
    }
    return popups;
}

} // namespace

class TestPopup : public QObject {
    Q_OBJECT

private slots:
    void cleanup()
    {
        qDeleteAll(openPopups());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // The rise ends on the first step that brings the bottom edge strictly above the
    // screen's: for 90 pixels, 46 steps of 2.
    void riseEndsAboveTheBottomEdge_data()
    {
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("steps");
        QTest::newRow("90 px") << 90 << 46;
        QTest::newRow("89 px") << 89 << 45;
    }
    void riseEndsAboveTheBottomEdge()
    {
        QFETCH(int, height);
        QFETCH(int, steps);
        PopupMotion motion(kScreen, QSize(362, height));
        QCOMPARE(riseToTop(motion), steps);
        QCOMPARE(motion.phase(), Phase::Holding);
        QCOMPARE(motion.position(), QPoint(918, 800 - 2 * steps));
    }

    void holdThenOneStepDownAndClosed()
    {
        PopupMotion motion(kScreen, kPopup);
        motion.closeStep(); // no close step before the hold is over
        QCOMPARE(motion.position(), QPoint(918, 800));
        riseToTop(motion);
        motion.rise(); // no more rising once risen
        QCOMPARE(motion.position(), QPoint(918, 708));
        motion.holdElapsed();
        QCOMPARE(motion.phase(), Phase::Closing);
        motion.closeStep();
        QCOMPARE(motion.phase(), Phase::Closed);
        QCOMPARE(motion.position(), QPoint(918, 710));
        motion.closeStep();
        QCOMPARE(motion.position(), QPoint(918, 710));
    }

    void dismiss_data()
    {
        QTest::addColumn<int>("ticks");
        QTest::addColumn<int>("closedAt");
        QTest::newRow("before the first step") << 0 << 802;
        QTest::newRow("during the rise") << 10 << 782;
        QTest::newRow("while holding") << 46 << 710;
    }
    void dismiss()
    {
        QFETCH(int, ticks);
        QFETCH(int, closedAt);
        PopupMotion motion(kScreen, kPopup);
        for (int i = 0; i < ticks; ++i)
            motion.rise();
        motion.dismiss();
        QCOMPARE(motion.phase(), Phase::Closing);
        motion.rise(); // a late rise tick does not move it any more
        motion.closeStep();
        QCOMPARE(motion.phase(), Phase::Closed);
        QCOMPARE(motion.position().y(), closedAt);
        motion.dismiss();
        QCOMPARE(motion.phase(), Phase::Closed);
    }

    // A window that never takes the focus, shows the texts as given (markup as written,
    // loading nothing) below the primary screen's right edge.
    void showsTextsAsGivenWithoutTakingTheFocus()
    {
        cAlert alert;
        alert.setTitle(QStringLiteral("<b>Live</b>"));
        alert.setMessage(QStringLiteral("<img src=\"/etc/hostname\"> <i>NOW</i>"));
        alert.Gmail();
        const QList<frmGmail *> popups = openPopups();
        QCOMPARE(popups.size(), 1);
        frmGmail *popup = popups[0];
        QVERIFY(popup->windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus));
        QVERIFY(popup->testAttribute(Qt::WA_ShowWithoutActivating));
        for (QLabel *label : {popup->lblTitle(), popup->lblText()})
            QCOMPARE(label->textFormat(), Qt::PlainText);
        QCOMPARE(popup->lblTitle()->text(), QStringLiteral("<b>Live</b>"));
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QCOMPARE(popup->pos(), QPoint(screen.right() + 1 - 362, screen.bottom() + 1));
        QVERIFY(popup->Timer1()->isActive());
    }

    // A click on the surface or a label closes the popup at the next step from where it
    // stands; the logo takes its own clicks.
    void clickDismisses_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QPoint>("at");
        QTest::newRow("surface") << QString() << QPoint(200, 80);
        QTest::newRow("logo") << "Image1" << QPoint(5, 5);
    }
    void clickDismisses()
    {
        QFETCH(QString, target);
        QFETCH(QPoint, at);
        QPointer<frmGmail> popup = new frmGmail([] { return kScreen; }, kNever, kNever);
        popup->show();
        for (int i = 0; i < 10; ++i)
            popup->riseTick();
        QWidget *widget = target.isEmpty() ? popup.data() : popup->findChild<QWidget *>(target);
        QTest::mouseClick(widget, Qt::LeftButton, {}, at);
        if (target == QLatin1String("Image1")) {
            QCOMPARE(popup->phase(), Phase::Rising);
            return;
        }
        QCOMPARE(popup->phase(), Phase::Closing);
        QVERIFY(!popup->Timer2()->isActive());
        popup->closeTick();
        QCOMPARE(popup->pos(), QPoint(918, 782));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(popup.isNull());
    }
};

QTEST_MAIN(TestPopup)
#include "tst_popup.moc"
