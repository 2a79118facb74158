#pragma once

#include "PopupMotion.h"

#include <QRect>
#include <QWidget>

#include <functional>

class QLabel;
class QTimer;

/// The notification popup: a small white window that rises out of the bottom edge of the
/// screen at its right-hand corner, stays a while and closes itself; a click closes it
/// early. Each one runs on its own and deletes itself when closed.
///
/// It never takes the keyboard focus and has no taskbar entry. Its motion is PopupMotion's;
/// the window only moves to where that says, one tick of its timers at a time.
class frmGmail : public QWidget {
    Q_OBJECT

public:
    /// Where the popup reads the screen it rises on, once, when it is created.
    using ScreenSource = std::function<QRect()>;

    /// The window's size in pixels (5430 × 1350 twips).
    static constexpr QSize kSize{362, 90};
    /// The constant opacity, 230 of 255.
    static constexpr qreal kOpacity = 230.0 / 255.0;
    /// The interval of the rise and close steps. The original platform ran "1 ms" timers at
    /// its ~15.6 ms timer granularity; 15 ms keeps that look (a rise of about 0.7 s) without
    /// spinning a core on a real 1 ms timer.
    static constexpr int kStepMs = 15;
    /// How long the risen popup stays before it closes.
    static constexpr int kHoldMs = 6000;

    /// Loads a popup below the whole primary screen's bottom edge, texts empty, not shown.
    frmGmail();
    /// Loads a popup below the screen that `screen` tells, stepping every `stepMs` and
    /// holding `holdMs`; tests use it to stand in for the screen and the clock.
    frmGmail(const ScreenSource &screen, int stepMs, int holdMs);

    /// The primary screen's work area: the screen without the desktop's panels and tray,
    /// which a popup must not cover; empty without a screen.
    static QRect primaryWorkArea();

    /// The title line.
    QLabel *lblTitle() const { return m_lblTitle; }
    /// The body text.
    QLabel *lblText() const { return m_lblText; }
    /// The rise step timer.
    QTimer *Timer1() const { return m_timer1; }
    /// The hold timer.
    QTimer *Timer2() const { return m_timer2; }
    /// The close step timer.
    QTimer *Timer3() const { return m_timer3; }
    /// What the popup is doing now.
    PopupMotion::Phase phase() const { return m_motion.phase(); }
    /// Where the popup started.
    QPoint startPosition() const { return m_motion.start(); }

    /// Timer1's tick: one step up; at the top the hold begins.
    void riseTick();
    /// Timer2's tick: the hold is over; the close step follows.
    void holdTick();
    /// Timer3's tick: one step down, then the window closes and deletes itself.
    void closeTick();
    /// A click: the rise or hold ends where the window stands and it closes at the next
    /// step.
    void dismiss();

protected:
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    PopupMotion m_motion;
    QTimer *m_timer1;
    QTimer *m_timer2;
    QTimer *m_timer3;
    QLabel *m_lblTitle = nullptr;
    QLabel *m_lblText = nullptr;
    bool m_pressed = false;
};
