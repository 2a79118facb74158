#pragma once

#include "Picture.h"

#include <QWidget>

class PointerProbe;
class PropertyBag;
class QTimer;

/// An image push button: shows one of three pictures, one at rest, one while the pointer
/// is over it and one while the left button is held on it, and takes the size of the
/// picture it shows.
///
/// It re-raises the pointer events of its window (first, before its own handling) and adds
/// MouseEnter and MouseLeave. Leaving is found by a poll that asks the pointer probe
/// whether the widget right under the pointer is still this button, so a window that
/// slides over a motionless pointer ends the hover state too.
class PictureButton : public QWidget {
    Q_OBJECT

public:
    /// The display state: which picture is drawn. Values other than these draw as kNormal.
    using State = qint16;
    /// Resting picture.
    static constexpr State kNormal = 0;
    /// Pointer over the button.
    static constexpr State kHover = 1;
    /// Left button held on the button.
    static constexpr State kDown = 2;
    /// The leave poll's interval. The poll was meant to run as fast as the desktop's timers
    /// allow, which on the desktops it was first written for was about 15.6 ms; 15 ms keeps
    /// that response and spares the processor a 1 ms timer.
    static constexpr int kLeavePollMs = 15;
    /// The `Button` bits of the pointer events.
    enum ButtonBit : qint16 { kLeftButton = 1, kRightButton = 2, kMiddleButton = 4 };
    /// The `Shift` bits of the pointer events.
    enum ShiftBit : qint16 { kShiftKey = 1, kCtrlKey = 2, kAltKey = 4 };

    /// A button with three empty pictures that asks `probe` where the pointer is; `probe`
    /// must outlive it.
    explicit PictureButton(PointerProbe &probe, QWidget *parent = nullptr);

    /// The resting picture.
    Picture picture() const { return m_picture; }
    /// Sets the resting picture, redraws and reports "Picture" through propertyChanged().
    void setPicture(const Picture &picture);
    /// Sets the hover picture, redraws and reports "PictureHover" through propertyChanged().
    void setPictureHover(const Picture &picture);
    /// Sets the pressed picture, redraws and reports "PictureDown" through propertyChanged().
    void setPictureDown(const Picture &picture);

    /// A new button placed on a host: all three pictures empty.
    void initProperties();
    /// Takes the three pictures from the host's stored layout data. Draws nothing: the first
    /// resize that follows draws the button.
    void readProperties(const PropertyBag &bag);
    /// Stores the three pictures in the host's layout data; an empty picture stores nothing.
    void writeProperties(PropertyBag &bag) const;

    /// The display state.
    State displayState() const { return m_state; }
    /// True from the entering move until the leave poll finds the pointer outside.
    bool isEntered() const { return m_entered; }
    /// True when the widget right under the pointer is this button.
    bool IsMouseOver() const;
    /// One tick of the leave poll Timer1; the timer calls it, tests may call it directly.
    void pollLeave();
    /// A press without the pointer: raises Click, then PressedWithoutPointer.
    void pressWithoutPointer();

signals:
    /// The button was clicked with the left button.
    void Click();
    /// The button was pressed without the pointer (Enter while it has the focus, or an
    /// assistive tool's "press" action), right after the Click that raises too: for the
    /// buttons that act on press and release instead of on Click.
    void PressedWithoutPointer();
    /// The button was double-clicked with the left button.
    void DblClick();
    /// The pointer moved; `Button` holds the buttons held as a mask. Raised before the
    /// button's own handling, which reads `Button` afterwards.
    void MouseMove(qint16 &Button, qint16 &Shift, float &x, float &y);
    /// A button was released; `Button` is that button.
    void MouseUp(qint16 &Button, qint16 &Shift, float &x, float &y);
    /// A button was pressed; `Button` is that button. The button's own handling reads
    /// `Button` after the handlers return, so a handler may change what it does.
    void MouseDown(qint16 &Button, qint16 &Shift, float &x, float &y);
    /// The pointer came over the button with no button held; the leave poll runs.
    void MouseEnter();
    /// The leave poll found the pointer outside; the old picture still shows.
    void MouseLeave();
    /// The property of that name ("Picture", "PictureHover", "PictureDown") was set.
    void propertyChanged(const QString &name);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    const Picture &pictureFor(State state) const;
    void setState(State state);
    void DrawState();

    PointerProbe &m_probe;
    Picture m_picture;
    Picture m_pictureHover;
    Picture m_pictureDown;
    Picture m_drawn;
    State m_state = kNormal;
    bool m_entered = false;
    bool m_leftPressed = false;
    // The last Click opened a popup menu, which had the pointer until it closed.
    bool m_clickOpenedPopup = false;
    // Picture1 of the original control: a hidden holder that takes the natural size of the
    // picture put into it and keeps its last size when handed an empty one.
    QSize m_holderSize;
    QTimer *m_timer1;
};
