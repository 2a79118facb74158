#include "PopupMotion.h"

#include <QTest>

namespace {

using Phase = PopupMotion::Phase;

const QRect kScreen(0, 0, 1280, 800);
const QSize kPopup(362, 90);

// Rises until the rise ends, at most `limit` ticks; returns the number of ticks taken.
int riseToTop(PopupMotion &motion, int limit = 1000)
{
    int ticks = 0;
    while (motion.phase() == Phase::Rising && ticks < limit) {
        motion.rise();
        ++ticks;
    }
    return ticks;
}

} // namespace

/// The popup's path: start below the screen, rise in steps, hold, one step down, closed.
class TestPopupMotion : public QObject {
    Q_OBJECT

private slots:
    void startsBelowTheScreensRightEdge_data()
    {
        QTest::addColumn<QRect>("screen");
        QTest::addColumn<QPoint>("start");
        QTest::newRow("1280x800") << kScreen << QPoint(918, 800);
        QTest::newRow("offscreen 800x600") << QRect(0, 0, 800, 600) << QPoint(438, 600);
        // A primary screen right of and below another one in the virtual desktop.
        QTest::newRow("offset screen") << QRect(1920, 100, 1024, 768) << QPoint(2582, 868);
    }
    void startsBelowTheScreensRightEdge()
    {
        QFETCH(QRect, screen);
        QFETCH(QPoint, start);
        PopupMotion motion(screen, kPopup);
        QCOMPARE(motion.start(), start);
        QCOMPARE(motion.position(), start);
        QCOMPARE(motion.phase(), Phase::Rising);
    }

    // The rise ends on the first step that brings the bottom edge strictly above the
    // screen's: for 90 pixels, 46 steps of 2, the bottom edge 2 pixels above the screen's.
    void riseEndsAboveTheBottomEdge_data()
    {
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("steps");
        QTest::newRow("90 px") << 90 << 46;
        QTest::newRow("91 px") << 91 << 46;
        QTest::newRow("89 px") << 89 << 45;
        QTest::newRow("2 px") << 2 << 2;
    }
    void riseEndsAboveTheBottomEdge()
    {
        QFETCH(int, height);
        QFETCH(int, steps);
        PopupMotion motion(kScreen, QSize(362, height));
        QCOMPARE(riseToTop(motion), steps);
        QCOMPARE(motion.phase(), Phase::Holding);
        QCOMPARE(motion.position(), QPoint(918, 800 - 2 * steps));
        QVERIFY(motion.position().y() + height < 800);
        QVERIFY(motion.position().y() + height >= 800 - PopupMotion::kStep);
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
        QCOMPARE(motion.position(), QPoint(918, 708));
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
        for (int i = 0; i < ticks; ++i) {
            motion.rise();
        }
        motion.dismiss();
        QCOMPARE(motion.phase(), Phase::Closing);
        motion.rise(); // a late rise tick does not move it any more
        motion.closeStep();
        QCOMPARE(motion.phase(), Phase::Closed);
        QCOMPARE(motion.position().y(), closedAt);
        motion.dismiss();
        QCOMPARE(motion.phase(), Phase::Closed);
    }
};

QTEST_GUILESS_MAIN(TestPopupMotion)
#include "tst_PopupMotion.moc"
