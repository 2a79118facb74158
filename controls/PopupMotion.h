#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

/// Where a notification popup stands and what it does next: it starts just below the
/// screen's bottom edge, flush with its right edge, rises one step per tick until its
/// bottom edge stands one step above the screen's bottom, holds, then moves down one step
/// and is closed. A click ends the rise or the hold at once.
///
/// The screen is read once, at the start: a screen that changes later does not move the
/// end of the rise.
class PopupMotion {
public:
    /// What the popup is doing.
    enum class Phase { Rising, Holding, Closing, Closed };

    /// One step, in pixels: 30 twips.
    static constexpr int kStep = 2;

    /// A popup of size `window` at the start below `screen` (the whole screen, not its work
    /// area), rising.
    PopupMotion(const QRect &screen, const QSize &window);

    /// The popup's top-left corner now.
    QPoint position() const { return m_position; }
    /// Where the popup started: below the screen's bottom edge.
    QPoint start() const { return m_start; }
    /// What the popup is doing.
    Phase phase() const { return m_phase; }

    /// One tick of the rise: one step up; the rise ends (Holding) once the bottom edge is
    /// above the screen's. Does nothing in any other phase.
    void rise();
    /// The hold has run out: the popup closes at the next step.
    void holdElapsed();
    /// A click: the rise or the hold ends where the popup stands, and it closes at the next
    /// step.
    void dismiss();
    /// The closing tick: one step down, then the popup is closed. Does nothing unless
    /// Closing.
    void closeStep();

private:
    QPoint m_start;
    QPoint m_position;
    int m_height;
    Phase m_phase = Phase::Rising;
};
