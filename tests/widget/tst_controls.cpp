// The controls on the offscreen platform: the image button (its state table, the order of
// its events, its size following the pictures), the now-playing popup (its path below the
// screen, rising in steps, holding, one step down, closed; dismissing it; its window and
// texts) and the common dialogs (their length limits, and what a failed or cancelled
// dialog clears).
#include "CommonDialogError.h"
#include "CommonDialogFlags.h"
#include "Fakes.h"
#include "Picture.h"
#include "PictureButton.h"
#include "PointerProbe.h"
#include "PopupMotion.h"
#include "cAlert.h"
#include "cCommonDialog.h"
#include "frmGmail.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

// Answers the button's question "what is under the pointer?" as the test says.
class FakeProbe final : public PointerProbe {
public:
    QWidget *widgetUnderPointer() const override { return under; }
    QWidget *under = nullptr;
};

Picture solid(QSize size, QColor color)
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(color);
    return Picture::fromImage(image);
}

// Counts the resize events a widget receives.
class ResizeCounter : public QObject {
public:
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        count += event->type() == QEvent::Resize ? 1 : 0;
        return false;
    }
};

enum class Under { Button, Nothing, Cover };
enum class Start { Fresh, Hovering, Pressed };
enum class Event { Press, Move, Release, Poll };

// A shown window hosting one button whose three pictures are solid red, green and blue;
// every event the button raises is logged with the display state at that moment.
struct Host {
    Host()
    {
        window.resize(200, 120);
        cover.setGeometry(0, 0, 60, 60);
        button = new PictureButton(probe, &window);
        button->setPicture(normal);
        button->setPictureHover(hover);
        button->setPictureDown(down);
        button->move(10, 10);
        window.show();
        const auto logPointer = [this](const char *name) {
            return [this, name](qint16 &pressed, qint16 &, float &, float &) {
                log.append(QStringLiteral("%1(%2)@%3")
                               .arg(QLatin1String(name))
                               .arg(pressed)
                               .arg(button->displayState()));
            };
        };
        QObject::connect(button, &PictureButton::MouseDown, button, logPointer("MouseDown"));
        QObject::connect(button, &PictureButton::MouseMove, button, logPointer("MouseMove"));
        QObject::connect(button, &PictureButton::MouseUp, button, logPointer("MouseUp"));
        QObject::connect(button, &PictureButton::Click, button,
                         [this] { log.append(QStringLiteral("Click")); });
        QObject::connect(button, &PictureButton::DblClick, button,
                         [this] { log.append(QStringLiteral("DblClick")); });
        QObject::connect(button, &PictureButton::MouseEnter, button, [this] {
            log.append(QStringLiteral("MouseEnter@%1 poll=%2")
                           .arg(button->displayState())
                           .arg(pollRunning()));
        });
        QObject::connect(button, &PictureButton::MouseLeave, button, [this] {
            log.append(QStringLiteral("MouseLeave@%1").arg(button->displayState()));
        });
    }

    QTimer *timer1() const { return button->findChild<QTimer *>(QStringLiteral("Timer1")); }
    bool pollRunning() const { return timer1()->isActive(); }
    void pointer(Under under)
    {
        probe.under = under == Under::Button ? button : under == Under::Cover ? &cover : nullptr;
    }
    // Pointer events go straight to the button, as its window reports them.
    void send(QEvent::Type type, Qt::MouseButton which, Qt::MouseButtons held, QPoint at = {5, 5},
              Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QMouseEvent event(type, at, button->mapToGlobal(at), which, held, modifiers);
        QCoreApplication::sendEvent(button, &event);
    }
    void move(Qt::MouseButtons held, QPoint at = {5, 5})
    {
        send(QEvent::MouseMove, Qt::NoButton, held, at);
    }
    void press(Qt::MouseButton which, QPoint at = {5, 5})
    {
        send(QEvent::MouseButtonPress, which, which, at);
    }
    void release(Qt::MouseButton which, QPoint at = {5, 5})
    {
        send(QEvent::MouseButtonRelease, which, Qt::NoButton, at);
    }
    QRgb shownColor() const { return button->grab().toImage().pixel(2, 2); }

    FakeProbe probe;
    QWidget window;
    QWidget cover{&window};
    PictureButton *button = nullptr;
    Picture normal = solid({33, 22}, Qt::red);
    Picture hover = solid({33, 22}, Qt::green);
    Picture down = solid({33, 22}, Qt::blue);
    QStringList log;
};

using Phase = PopupMotion::Phase;
using namespace CommonDialogFlags;

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

QString padded(const QString &text, qsizetype size = 260)
{
    return text + QString(size - text.size(), QChar(u'\0'));
}

bool throwsKind(const std::function<void()> &run, CommonDialogError::Kind kind)
{
    try {
        run();
    } catch (const CommonDialogError &error) {
        return error.kind() == kind;
    }
    return false;
}

// A common dialog over a backend whose dialogs answer at once.
struct Dialogs {
    FakeCommonDialogBackend backend;
    cCommonDialog dialog{backend};

    /// Fails a font dialog so that APIReturn reads 3 and ExtendedError `code`.
    void leaveFailure(qint32 code)
    {
        const qint32 result = backend.result;
        backend.result = 3;
        backend.errorCode = code;
        DialogFont font;
        dialog.VBChooseFont(font);
        backend.result = result;
    }
};

} // namespace

/// The button's pointer probe is a fake and its leave poll, like the popup's steps, is
/// ticked by hand, so nothing waits.
class TestControls : public QObject {
    Q_OBJECT

private slots:
    void cleanup()
    {
        qDeleteAll(openPopups());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // The rise ends on the first step that brings the bottom edge strictly above the
    // screen's: for 90 pixels, 46 steps of 2 (45 for 89). Then a hold, one step down, closed.
    void riseHoldOneStepDownAndClosed()
    {
        PopupMotion odd(kScreen, QSize(362, 89));
        QCOMPARE(riseToTop(odd), 45);
        PopupMotion motion(kScreen, kPopup);
        motion.closeStep(); // no close step before the hold is over
        QCOMPARE(motion.position(), QPoint(918, 800));
        QCOMPARE(riseToTop(motion), 46);
        QCOMPARE(motion.phase(), Phase::Holding);
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

    // The texts are shown as given: markup as written, loading nothing.
    void showsTextsAsGiven()
    {
        cAlert alert;
        alert.setTitle(QStringLiteral("<b>Live</b>"));
        alert.setMessage(QStringLiteral("<img src=\"/etc/hostname\"> <i>NOW</i>"));
        alert.Gmail();
        const QList<frmGmail *> popups = openPopups();
        QCOMPARE(popups.size(), 1);
        frmGmail *popup = popups[0];
        for (QLabel *label : {popup->lblTitle(), popup->lblText()})
            QCOMPARE(label->textFormat(), Qt::PlainText);
        QCOMPARE(popup->lblTitle()->text(), QStringLiteral("<b>Live</b>"));
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

    void stateTable_data()
    {
        QTest::addColumn<Start>("start");
        QTest::addColumn<Event>("event");
        QTest::addColumn<int>("buttons");
        QTest::addColumn<Under>("under");
        QTest::addColumn<int>("state");
        QTest::addColumn<bool>("entered");
        QTest::addColumn<bool>("poll");
        QTest::addColumn<QStringList>("events");

        const int none = Qt::NoButton;
        const int left = Qt::LeftButton;
        const int right = Qt::RightButton;
        const auto row = [](const char *name) -> QTestData & {
            return QTest::newRow(name);
        };
        // Press: the event first, then the pressed picture for the left button only.
        row("press left") << Start::Fresh << Event::Press << left << Under::Button << 2 << false
                          << false << QStringList{"MouseDown(1)@0"};
        row("press right") << Start::Fresh << Event::Press << right << Under::Button << 0 << false
                           << false << QStringList{"MouseDown(2)@0"};
        // Move.
        row("enter without a button")
            << Start::Fresh << Event::Move << none << Under::Button << 1 << true << true
            << QStringList{"MouseMove(0)@0", "MouseEnter@0 poll=1"};
        row("enter with the left button held")
            << Start::Fresh << Event::Move << left << Under::Button << 2 << false << false
            << QStringList{"MouseMove(1)@0"};
        row("move outside") << Start::Hovering << Event::Move << none << Under::Nothing << 0
                            << false << true << QStringList{"MouseMove(0)@1"};
        row("drag outside while pressed") << Start::Pressed << Event::Move << left << Under::Nothing
                                          << 0 << false << true << QStringList{"MouseMove(1)@2"};
        row("move under a covering window")
            << Start::Hovering << Event::Move << none << Under::Cover << 0 << false << true
            << QStringList{"MouseMove(0)@1"};
        // Release: hover or rest by where the pointer is, whatever the button.
        row("release left inside") << Start::Pressed << Event::Release << left << Under::Button << 1
                                   << true << true << QStringList{"MouseUp(1)@2", "Click"};
        row("release left outside") << Start::Pressed << Event::Release << left << Under::Nothing
                                    << 0 << true << true << QStringList{"MouseUp(1)@2"};
        // The leave poll.
        row("poll, pointer gone") << Start::Hovering << Event::Poll << none << Under::Nothing << 0
                                  << false << false << QStringList{"MouseLeave@1"};
        row("poll while pressed") << Start::Pressed << Event::Poll << none << Under::Nothing << 0
                                  << false << false << QStringList{"MouseLeave@2"};
    }
    void stateTable()
    {
        QFETCH(Start, start);
        QFETCH(Event, event);
        QFETCH(int, buttons);
        QFETCH(Under, under);
        QFETCH(int, state);
        QFETCH(bool, entered);
        QFETCH(bool, poll);
        QFETCH(QStringList, events);

        Host h;
        if (start != Start::Fresh) {
            h.pointer(Under::Button);
            h.move(Qt::NoButton);
        }
        if (start == Start::Pressed)
            h.press(Qt::LeftButton);
        h.log.clear();
        h.pointer(under);
        const auto mouse = static_cast<Qt::MouseButton>(buttons);
        // A release outside happens outside the button's rectangle too.
        const QPoint at = under == Under::Button ? QPoint(5, 5) : QPoint(80, 80);
        switch (event) {
        case Event::Press:
            h.press(mouse, at);
            break;
        case Event::Move:
            h.move(Qt::MouseButtons(buttons), at);
            break;
        case Event::Release:
            h.release(mouse, at);
            break;
        case Event::Poll:
            h.button->pollLeave();
            break;
        }
        QCOMPARE(h.log, events);
        QCOMPARE(h.button->displayState(), state);
        QCOMPARE(h.button->isEntered(), entered);
        QCOMPARE(h.pollRunning(), poll);
        const QRgb expected[] = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255)};
        QCOMPARE(h.shownColor(), expected[state]);
    }

    // The second press of a double click arrives as a press followed by a double-click
    // notice; its release is no second Click. But a click that opened a popup menu ends the
    // click sequence: when an item was picked from the keyboard quickly, the next press
    // comes within the double-click time but must click again (and open the menu again),
    // not double-click.
    void doubleClick_data()
    {
        QTest::addColumn<bool>("popup");
        QTest::newRow("plain") << false;
        QTest::newRow("after a popup") << true;
    }
    void doubleClick()
    {
        QFETCH(bool, popup);
        Host h;
        QMenu menu;
        menu.addAction(QStringLiteral("Item"));
        if (popup)
            QObject::connect(h.button, &PictureButton::Click, &menu,
                             [&] { menu.popup(h.button->mapToGlobal(QPoint(5, 5))); });
        h.pointer(Under::Button);
        h.press(Qt::LeftButton);
        h.release(Qt::LeftButton);
        QCOMPARE(menu.isVisible(), popup);
        menu.hide();
        h.press(Qt::LeftButton);
        h.send(QEvent::MouseButtonDblClick, Qt::LeftButton, Qt::LeftButton);
        h.release(Qt::LeftButton);
        if (popup) {
            QCOMPARE(h.log.filter(QRegularExpression("^(MouseDown|Click|DblClick)")),
                     QStringList({"MouseDown(1)@0", "Click", "MouseDown(1)@1", "Click"}));
            QVERIFY(menu.isVisible());
            menu.hide();
        } else {
            QCOMPARE(h.log.count(QStringLiteral("Click")), 1);
            QCOMPARE(h.log.count(QStringLiteral("DblClick")), 1);
            QCOMPARE(h.log.indexOf(QStringLiteral("DblClick")), h.log.size() - 2);
            QCOMPARE(h.button->displayState(), PictureButton::kHover);
        }
    }

    // The size is the shown picture's; a host's resize is undone by one more resize, not by
    // an endless round of them.
    void sizeFollowsThePicture()
    {
        Host h;
        ResizeCounter counter;
        h.button->installEventFilter(&counter);
        h.button->setGeometry(10, 10, 80, 50);
        QCOMPARE(h.button->size(), QSize(33, 22));
        QCOMPARE(counter.count, 2);
        QCOMPARE(h.shownColor(), qRgb(255, 0, 0));
        h.button->setPictureHover(solid({30, 15}, Qt::green));
        h.pointer(Under::Button);
        h.move(Qt::NoButton);
        QCOMPARE(h.button->size(), QSize(30, 15));
        h.pointer(Under::Nothing);
        h.button->pollLeave();
        QCOMPARE(h.button->size(), QSize(33, 22));
    }

    void fileDialogFails_data()
    {
        QTest::addColumn<bool>("isSave");
        QTest::addColumn<qint32>("result");
        QTest::addColumn<qint32>("expectedFilterIndex");
        QTest::addColumn<qint32>("expectedError");
        QTest::newRow("open cancelled") << false << 0 << -1 << 0;
        QTest::newRow("open failed with a code") << false << 2 << -1 << FNERR_BUFFERTOOSMALL;
        QTest::newRow("save failed with a code") << true << 0xFFFF << 0 << FNERR_BUFFERTOOSMALL;
    }
    void fileDialogFails()
    {
        Dialogs d;
        QFETCH(bool, isSave);
        QFETCH(qint32, result);
        QFETCH(qint32, expectedFilterIndex);
        QFETCH(qint32, expectedError);
        d.leaveFailure(0x1111); // reset before the dialog: a cancel leaves 0
        d.backend.result = result;
        d.backend.errorCode = FNERR_BUFFERTOOSMALL;
        QString name = QStringLiteral("old.txt");
        OpenFileArgs open;
        open.FileTitle = QStringLiteral("title");
        open.flags = OFN_EXPLORER;
        open.ReadOnly = true;
        SaveFileArgs save;
        save.FileTitle = open.FileTitle;
        save.flags = open.flags;

        QVERIFY(!(isSave ? d.dialog.VBGetSaveFileName(name, save)
                         : d.dialog.VBGetOpenFileName(name, open)));
        QVERIFY(name.isEmpty());
        const bool cleared = isSave
                                 ? save.FileTitle.isEmpty() && save.Filter.isEmpty() && !save.flags
                                 : open.FileTitle.isEmpty() && open.Filter.isEmpty() && !open.flags;
        QVERIFY(cleared);
        QCOMPARE(isSave ? save.FilterIndex : open.FilterIndex, expectedFilterIndex);
        QVERIFY(open.ReadOnly);
        QCOMPARE(d.dialog.APIReturn(), result);
        QCOMPARE(d.dialog.ExtendedError(), expectedError);
    }
    void nameLength_data()
    {
        QTest::addColumn<bool>("isSave");
        QTest::addColumn<int>("nameLength");
        QTest::addColumn<int>("titleLength");
        QTest::addColumn<bool>("fits");
        QTest::newRow("open: 260-character name") << false << 260 << 0 << true;
        QTest::newRow("open: 261-character name") << false << 261 << 0 << false;
        QTest::newRow("save: 260-character title") << true << 3 << 260 << true;
        QTest::newRow("save: 261-character name") << true << 261 << 0 << false;
    }
    void nameLength()
    {
        Dialogs d;
        QFETCH(bool, isSave);
        QFETCH(int, nameLength);
        QFETCH(int, titleLength);
        QFETCH(bool, fits);
        d.leaveFailure(0x1111);
        const QString original(nameLength, u'n');
        QString name = original;
        OpenFileArgs open;
        SaveFileArgs save;
        open.FileTitle = save.FileTitle = QString(titleLength, u't');
        const auto run = [&] {
            isSave ? d.dialog.VBGetSaveFileName(name, save)
                   : d.dialog.VBGetOpenFileName(name, open);
        };

        if (fits) {
            run();
            QCOMPARE(d.backend.fileRequest.file, padded(original));
            QCOMPARE(d.backend.fileRequest.fileTitle, padded(QString(titleLength, u't')));
            return;
        }
        QVERIFY(throwsKind(run, CommonDialogError::Kind::InvalidArgument));
        QCOMPARE(d.backend.dialogs, 1); // the failed font dialog only
        QCOMPARE(name, original);
        QVERIFY(d.dialog.APIReturn() == 0 && d.dialog.ExtendedError() == 0);
    }
};

QTEST_MAIN(TestControls)
#include "tst_controls.moc"
