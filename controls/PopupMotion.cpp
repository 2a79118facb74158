#include "PopupMotion.h"

PopupMotion::PopupMotion(const QRect &screen, const QSize &window)
    : m_start(screen.x() + screen.width() - window.width(), screen.y() + screen.height())
    , m_position(m_start)
    , m_height(window.height())
{}

void PopupMotion::rise()
{
    if (m_phase != Phase::Rising) {
        return;
    }
    m_position.ry() -= kStep;
    // Strictly above: a 90-pixel popup takes 46 steps and ends with its bottom edge one step
    // above the screen's bottom, not flush with it.
    if (m_start.y() - m_height > m_position.y()) {
        m_phase = Phase::Holding;
    }
}

void PopupMotion::holdElapsed()
{
    if (m_phase == Phase::Holding) {
        m_phase = Phase::Closing;
    }
}

void PopupMotion::dismiss()
{
    if (m_phase == Phase::Rising || m_phase == Phase::Holding) {
        m_phase = Phase::Closing;
    }
}

void PopupMotion::closeStep()
{
    if (m_phase != Phase::Closing) {
        return;
    }
    m_position.ry() += kStep;
    m_phase = Phase::Closed;
}
