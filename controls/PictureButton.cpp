#include "PictureButton.h"

#include "PointerProbe.h"
#include "PropertyBag.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

#include <utility>

namespace {

// A fresh button's size, and its holder's, before the first drawing sets them.
constexpr QSize kInitialSize{60, 57};
constexpr QSize kInitialHolderSize{109, 57};

const QString kPicture = QStringLiteral("Picture");
const QString kPictureHover = QStringLiteral("PictureHover");
const QString kPictureDown = QStringLiteral("PictureDown");

qint16 buttonBits(Qt::MouseButtons buttons)
{
    qint16 bits = 0;
    if (buttons & Qt::LeftButton) {
        bits |= PictureButton::kLeftButton;
    }
    if (buttons & Qt::RightButton) {
        bits |= PictureButton::kRightButton;
    }
    if (buttons & Qt::MiddleButton) {
        bits |= PictureButton::kMiddleButton;
    }
    return bits;
}

qint16 shiftBits(Qt::KeyboardModifiers modifiers)
{
    qint16 bits = 0;
    if (modifiers & Qt::ShiftModifier) {
        bits |= PictureButton::kShiftKey;
    }
    if (modifiers & Qt::ControlModifier) {
        bits |= PictureButton::kCtrlKey;
    }
    if (modifiers & Qt::AltModifier) {
        bits |= PictureButton::kAltKey;
    }
    return bits;
}

// Screen readers see a push button that can be pressed, not an anonymous surface.
class PictureButtonAccessible : public QAccessibleWidget {
public:
    explicit PictureButtonAccessible(QWidget *widget)
        : QAccessibleWidget(widget, QAccessible::Button)
    {}
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString &actionName) override
    {
        if (actionName == pressAction()) {
            static_cast<PictureButton *>(widget())->pressWithoutPointer();
        }
    }
};

QAccessibleInterface *accessibleFactory(const QString &key, QObject *object)
{
    if (key == QLatin1String("PictureButton") && object && object->isWidgetType()) {
        return new PictureButtonAccessible(static_cast<QWidget *>(object));
    }
    return nullptr;
}

} // namespace

PictureButton::PictureButton(PointerProbe &probe, QWidget *parent)
    : QWidget(parent)
    , m_probe(probe)
    , m_holderSize(kInitialHolderSize)
    , m_timer1(new QTimer(this))
{
    static const bool accessibleInstalled = [] {
        QAccessible::installFactory(accessibleFactory);
        return true;
    }();
    Q_UNUSED(accessibleInstalled);

    // Moves without a button held must reach the button, or it could never enter hover.
    setMouseTracking(true);
    // Tab reaches the buttons, a click does not take the focus: the keys the panel answers
    // go on working whichever control was clicked last.
    setFocusPolicy(Qt::TabFocus);
    resize(kInitialSize);
    m_timer1->setObjectName(QStringLiteral("Timer1"));
    m_timer1->setInterval(kLeavePollMs);
    connect(m_timer1, &QTimer::timeout, this, &PictureButton::pollLeave);
}

void PictureButton::setPicture(const Picture &picture)
{
    m_picture = picture;
    DrawState();
    emit propertyChanged(kPicture);
}

void PictureButton::setPictureHover(const Picture &picture)
{
    m_pictureHover = picture;
    DrawState();
    emit propertyChanged(kPictureHover);
}

void PictureButton::setPictureDown(const Picture &picture)
{
    m_pictureDown = picture;
    DrawState();
    emit propertyChanged(kPictureDown);
}

void PictureButton::initProperties()
{
    m_picture = Picture();
    m_pictureHover = Picture();
    m_pictureDown = Picture();
}

void PictureButton::readProperties(const PropertyBag &bag)
{
    m_picture = Picture::fromData(bag.readProperty(kPicture));
    m_pictureHover = Picture::fromData(bag.readProperty(kPictureHover));
    m_pictureDown = Picture::fromData(bag.readProperty(kPictureDown));
}

void PictureButton::writeProperties(PropertyBag &bag) const
{
    bag.writeProperty(kPicture, m_picture.data());
    bag.writeProperty(kPictureHover, m_pictureHover.data());
    bag.writeProperty(kPictureDown, m_pictureDown.data());
}

bool PictureButton::IsMouseOver() const
{
    return m_probe.widgetUnderPointer() == this;
}

void PictureButton::pollLeave()
{
    if (IsMouseOver()) {
        return;
    }
    m_timer1->stop();
    m_entered = false;
    // Raised before the state changes: the host still sees the old state.
    emit MouseLeave();
    setState(kNormal);
}

const Picture &PictureButton::pictureFor(State state) const
{
    switch (state) {
    case kHover:
        return m_pictureHover;
    case kDown:
        return m_pictureDown;
    default:
        return m_picture;
    }
}

void PictureButton::setState(State state)
{
    m_state = state;
    DrawState();
}

// Draws the picture of the current state at its natural size and makes the button that
// size. The resize it may cause comes back through resizeEvent(), which then finds the
// size right and the picture drawn, so nothing draws again.
void PictureButton::DrawState()
{
    const Picture &chosen = pictureFor(m_state);
    m_drawn = chosen;
    update();
    if (!chosen.isNull()) {
        m_holderSize = chosen.size();
    }
    if (size() != m_holderSize) {
        resize(m_holderSize);
    }
}

void PictureButton::paintEvent(QPaintEvent * /*event*/)
{
    if (m_drawn.isNull()) {
        return;
    }
    QPainter painter(this);
    painter.drawPixmap(QPoint(0, 0), m_drawn.pixmap(m_drawn.size(), devicePixelRatioF()));
    if (hasFocus()) {
        // The artwork has no focused picture: a dotted frame shows where the keyboard is.
        painter.setPen(QPen(Qt::white, 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void PictureButton::pressWithoutPointer()
{
    emit Click();
    emit PressedWithoutPointer();
}

void PictureButton::keyPressEvent(QKeyEvent *event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        !event->isAutoRepeat()) {
        pressWithoutPointer();
        return;
    }
    // Every other key is the window's (Space pauses there, whichever button has the focus).
    QWidget::keyPressEvent(event);
}

void PictureButton::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    update();
}

void PictureButton::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    update();
}

// A host's resize is undone: the button always has its picture's size.
void PictureButton::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (size() == m_holderSize && m_drawn == pictureFor(m_state)) {
        return;
    }
    DrawState();
}

void PictureButton::mousePressEvent(QMouseEvent *event)
{
    qint16 button = buttonBits(event->button());
    qint16 shift = shiftBits(event->modifiers());
    auto x = static_cast<float>(event->position().x());
    auto y = static_cast<float>(event->position().y());
    m_leftPressed = event->button() == Qt::LeftButton;
    emit MouseDown(button, shift, x, y);
    if (button == kLeftButton) {
        setState(kDown);
    }
}

void PictureButton::mouseMoveEvent(QMouseEvent *event)
{
    qint16 button = buttonBits(event->buttons());
    qint16 shift = shiftBits(event->modifiers());
    auto x = static_cast<float>(event->position().x());
    auto y = static_cast<float>(event->position().y());
    emit MouseMove(button, shift, x, y);
    // The right or the middle button held: the look stays as it is.
    if (button >= kRightButton) {
        return;
    }
    if (!IsMouseOver()) {
        m_entered = false;
        setState(kNormal);
    } else if (button == 0 && !m_entered) {
        // The poll starts before MouseEnter, and the hover picture follows it.
        m_timer1->start();
        m_entered = true;
        emit MouseEnter();
        setState(kHover);
    } else if (button == kLeftButton) {
        // Held down: not "entered", so the next move without a button enters again.
        setState(kDown);
        m_entered = false;
    }
}

void PictureButton::mouseReleaseEvent(QMouseEvent *event)
{
    qint16 button = buttonBits(event->button());
    qint16 shift = shiftBits(event->modifiers());
    auto x = static_cast<float>(event->position().x());
    auto y = static_cast<float>(event->position().y());
    const bool click = m_leftPressed && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    if (event->button() == Qt::LeftButton) {
        m_leftPressed = false;
    }
    emit MouseUp(button, shift, x, y);
    setState(IsMouseOver() ? kHover : kNormal);
    m_clickOpenedPopup = false;
    if (click) {
        emit Click();
        m_clickOpenedPopup = QApplication::activePopupWidget() != nullptr;
    }
}

// The release that ends a double click is no second Click: a double click on a button
// that hides itself on the first click must not click what appears in its place.
void PictureButton::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        return;
    }
    // A click that opened a popup menu ends the sequence: a press soon after the menu
    // closed (an item picked from the keyboard) is a new press, not a double click.
    if (std::exchange(m_clickOpenedPopup, false)) {
        if (!m_leftPressed) {
            mousePressEvent(event);
        }
        return;
    }
    m_leftPressed = false;
    emit DblClick();
}
