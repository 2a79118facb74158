#include "SvgImage.h"
#include "cAlert.h"
#include "frmGmail.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace {

using Phase = PopupMotion::Phase;

const QRect kScreen(0, 0, 1280, 800);
const QPoint kStart(918, 800);
const QPoint kRisen(918, 708);

// Test intervals far beyond any test's run, so only the ticks a test calls move a popup.
constexpr int kNever = 24 * 60 * 60 * 1000;

QList<frmGmail *> openPopups()
{
    QList<frmGmail *> popups;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *popup = qobject_cast<frmGmail *>(widget); popup && popup->isVisible()) {
            popups.append(popup);
        }
    }
    return popups;
}

// Lets the popups that closed delete themselves.
void deleteClosed()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// A shown popup on kScreen that moves only when the test ticks it.
QPointer<frmGmail> showManual()
{
    auto *popup = new frmGmail([] { return kScreen; }, kNever, kNever);
    popup->show();
    return popup;
}

// Records every position a window is moved to, and when.
class MoveRecorder : public QObject {
public:
    MoveRecorder() { m_clock.start(); }
    QList<QPoint> positions;
    QList<qint64> times;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Move) {
            positions.append(static_cast<QWidget *>(watched)->pos());
            times.append(m_clock.elapsed());
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QElapsedTimer m_clock;
};

} // namespace

/// The notification popup on the offscreen platform: its window, texts, motion, clicks
/// and several popups at once.
class TestFrmGmail : public QObject {
    Q_OBJECT

private slots:
    void cleanup()
    {
        for (frmGmail *popup : openPopups()) {
            delete popup;
        }
        deleteClosed();
    }

    // A tool window that never takes the focus, keeps off the taskbar, and shows its
    // white face, black band, line, logo and two labels where the layout puts them.
    void window()
    {
        QPointer<frmGmail> popup = showManual();
        const Qt::WindowFlags flags = popup->windowFlags();
        QCOMPARE(flags & Qt::WindowType_Mask, Qt::Tool);
        for (Qt::WindowType flag : {Qt::FramelessWindowHint, Qt::WindowStaysOnTopHint,
                                    Qt::X11BypassWindowManagerHint, Qt::WindowDoesNotAcceptFocus}) {
            QVERIFY2(flags.testFlag(flag), qPrintable(QString::number(flag, 16)));
        }
        QVERIFY(popup->testAttribute(Qt::WA_ShowWithoutActivating));
        QVERIFY(popup->testAttribute(Qt::WA_DeleteOnClose));
        QCOMPARE(popup->windowOpacity(), 230.0 / 255.0);
        QCOMPARE(popup->size(), QSize(362, 90));

        QCOMPARE(popup->lblTitle()->geometry(), QRect(64, 2, 290, 30));
        QCOMPARE(popup->lblText()->geometry(), QRect(64, 42, 292, 35));
        auto *logo = popup->findChild<SvgImage *>(QStringLiteral("Image1"));
        QVERIFY(logo && logo->isValid()); // the artwork was found in the resources
        QCOMPARE(logo->geometry(), QRect(275, 28, 80, 14));
        const QImage face = popup->grab().toImage();
        QCOMPARE(face.pixelColor(0, 0), QColor(Qt::black));
        QCOMPARE(face.pixelColor(56, 89), QColor(Qt::black));
        QCOMPARE(face.pixelColor(57, 10), QColor(Qt::white));
        QCOMPARE(face.pixelColor(200, 34), QColor(Qt::black));
        QCOMPARE(face.pixelColor(200, 33), QColor(Qt::white));

        // The named faces or their condensed and Tahoma-like stand-ins, stretch untouched.
        const QFont title = popup->lblTitle()->font();
        const QFont text = popup->lblText()->font();
        QVERIFY2(QStringList({"Gill Sans MT Ext Condensed Bold", "Yanone Kaffeesatz"})
                     .contains(QFontInfo(title).family()),
                 qPrintable(QFontInfo(title).family()));
        QVERIFY2(QStringList({"Tahoma", "Liberation Sans"}).contains(QFontInfo(text).family()),
                 qPrintable(QFontInfo(text).family()));
        QCOMPARE(title.pointSizeF(), 20.25);
        QCOMPARE(text.pointSizeF(), 8.25);
        QVERIFY(text.bold());
        QCOMPARE(title.stretch(), int(QFont::AnyStretch));
    }

    void gmailShowsTextsAsGivenBelowThePrimaryScreen()
    {
        cAlert alert;
        QCOMPARE(alert.Title(), QString());
        QCOMPARE(alert.Message(), QString());
        alert.setTitle(QStringLiteral("Radio Nord"));
        alert.setMessage(QStringLiteral("Artist - Song, not upper-cased here"));
        alert.Gmail();
        const QList<frmGmail *> popups = openPopups();
        QCOMPARE(popups.size(), 1);
        QCOMPARE(popups[0]->lblTitle()->text(), QStringLiteral("Radio Nord"));
        QCOMPARE(popups[0]->lblText()->text(),
                 QStringLiteral("Artist - Song, not upper-cased here"));
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QCOMPARE(popups[0]->pos(), QPoint(screen.right() + 1 - 362, screen.bottom() + 1));
        QVERIFY(popups[0]->Timer1()->isActive());
        QCOMPARE(popups[0]->Timer1()->interval(), 15);
        QCOMPARE(popups[0]->Timer2()->interval(), 6000);
        QCOMPARE(popups[0]->Timer3()->interval(), 15);
    }

    // Stream titles are text: markup shows as written, and a picture reference loads
    // nothing.
    void markupShowsLiterally()
    {
        cAlert alert;
        alert.setTitle(QStringLiteral("<b>Live</b>"));
        alert.setMessage(QStringLiteral("<img src=\"/etc/hostname\"> <i>NOW</i>"));
        alert.Gmail();
        frmGmail *popup = openPopups().value(0);
        QVERIFY(popup);
        for (QLabel *label : {popup->lblTitle(), popup->lblText()}) {
            QCOMPARE(label->textFormat(), Qt::PlainText);
        }
        QCOMPARE(popup->lblTitle()->text(), QStringLiteral("<b>Live</b>"));
        // Rendered literally the title is the whole tag text wide, not just "Live".
        QLabel probe;
        probe.setFont(popup->lblTitle()->font());
        probe.setText(QStringLiteral("Live"));
        const int word = probe.sizeHint().width();
        probe.setText(QStringLiteral("<b>Live</b>"));
        QVERIFY(probe.sizeHint().width() < 2 * word); // rich text, as Qt would guess it
        probe.setTextFormat(Qt::PlainText);
        QVERIFY(probe.sizeHint().width() > 2 * word);
        QVERIFY(popup->lblTitle()->sizeHint().width() > 2 * word);
    }

    // A whole run on the popup's own timers, with short intervals: 46 steps up, the hold,
    // one step down, deleted.
    void timersDriveTheWholeRun()
    {
        constexpr int kHoldMs = 50;
        auto *popup = new frmGmail([] { return kScreen; }, 1, kHoldMs);
        MoveRecorder moves;
        popup->installEventFilter(&moves);
        QSignalSpy destroyed(popup, &QObject::destroyed);
        popup->show();
        QTRY_COMPARE_WITH_TIMEOUT(destroyed.size(), 1, 10000);
        QList<QPoint> expected;
        for (int step = 1; step <= 46; ++step) {
            expected.append(QPoint(918, 800 - 2 * step));
        }
        expected.append(QPoint(918, 710));
        // Offscreen, the first move event may report the start position itself.
        if (!moves.positions.isEmpty() && moves.positions.first() == kStart) {
            moves.positions.removeFirst();
            moves.times.removeFirst();
        }
        QCOMPARE(moves.positions, expected);
        // Held at the top (a coarse timer may fire a few percent early).
        QVERIFY(moves.times[46] - moves.times[45] >= kHoldMs * 9 / 10);
    }

    // The end of the rise is fixed when the popup loads, whatever the screen does later.
    void screenIsReadOnceAtLoad()
    {
        int reads = 0;
        auto *popup = new frmGmail(
            [&reads] { return ++reads == 1 ? kScreen : QRect(0, 0, 640, 480); }, kNever, kNever);
        QPointer<frmGmail> guard(popup);
        popup->show();
        for (int i = 0; i < 46; ++i) {
            popup->riseTick();
        }
        QCOMPARE(popup->phase(), Phase::Holding);
        QCOMPARE(popup->pos(), kRisen);
        QCOMPARE(reads, 1);
    }

    // A click on the surface, the band or either label closes the popup at the next step
    // from where it stands; the logo takes its own clicks.
    void clickDismisses_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QPoint>("at");
        QTest::newRow("surface") << QString() << QPoint(200, 80);
        QTest::newRow("band") << QString() << QPoint(20, 45);
        QTest::newRow("line") << QString() << QPoint(150, 34);
        QTest::newRow("title") << "lblTitle" << QPoint(10, 10);
        QTest::newRow("text") << "lblText" << QPoint(10, 10);
    }
    void clickDismisses()
    {
        QFETCH(QString, target);
        QFETCH(QPoint, at);
        QPointer<frmGmail> popup = showManual();
        for (int i = 0; i < 10; ++i) {
            popup->riseTick();
        }
        QWidget *widget = target.isEmpty() ? popup.data() : popup->findChild<QWidget *>(target);
        QTest::mouseClick(widget, Qt::LeftButton, {}, at);
        QCOMPARE(popup->phase(), Phase::Closing);
        QVERIFY(!popup->Timer1()->isActive());
        QVERIFY(!popup->Timer2()->isActive());
        QVERIFY(popup->Timer3()->isActive());
        QCOMPARE(popup->pos(), QPoint(918, 780));
        popup->closeTick();
        QCOMPARE(popup->pos(), QPoint(918, 782));
        deleteClosed();
        QVERIFY(popup.isNull());
    }

    void logoIgnoresClicks()
    {
        QPointer<frmGmail> popup = showManual();
        popup->riseTick();
        QTest::mouseClick(popup->findChild<QWidget *>(QStringLiteral("Image1")), Qt::LeftButton);
        QCOMPARE(popup->phase(), Phase::Rising);
        QVERIFY(popup->Timer1()->isActive());
    }

    // Two announcements within the hold run side by side; the first one opened closes first.
    void firstOpenedClosesFirst()
    {
        QStringList closed;
        const auto open = [&closed](const QString &name) {
            auto *popup = new frmGmail([] { return kScreen; }, 1, 30);
            QObject::connect(popup, &QObject::destroyed, popup,
                             [&closed, name] { closed.append(name); });
            popup->show();
        };
        open(QStringLiteral("first"));
        open(QStringLiteral("second"));
        QTRY_COMPARE_WITH_TIMEOUT(closed.size(), 2, 10000);
        QCOMPARE(closed, QStringList({"first", "second"}));
    }
};

QTEST_MAIN(TestFrmGmail)
#include "tst_frmGmail.moc"
