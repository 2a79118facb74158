#include "PlayerState.h"

namespace {

// Set-if-changed: a holder announces only real changes, so a rewrite of the same value
// costs the window nothing.
template<typename T, typename Signal>
void assign(PlayerState *state, T &member, const T &value, Signal changed)
{
    if (member == value) {
        return;
    }
    member = value;
    emit(state->*changed)(value);
}

} // namespace

PlayerState::PlayerState(QObject *parent)
    : QObject(parent)
{}

void PlayerState::update(const std::function<void(PlayerSnapshot &)> &edit)
{
    PlayerSnapshot next = m_now;
    edit(next);
    if (next == m_now) {
        return;
    }
    if (next.line != m_now.line) {
        next.lineSerial = m_now.lineSerial + 1;
    }
    m_now = std::move(next);
    emit changed(m_now);
}

QString PlayerState::Label5() const
{
    if (!m_now.onAirKnown) {
        return {};
    }
    return tr(m_now.onAir ? kOnAir.data() : kNoStream.data());
}

quint32 PlayerState::Label5ForeColor() const
{
    if (!m_now.onAirKnown) {
        return 0;
    }
    return m_now.onAir ? kOnAirColor : kNoStreamColor;
}

void PlayerState::setLabel1(const QString &text)
{
    assign(this, m_label1, text, &PlayerState::Label1Changed);
}
void PlayerState::setChkFarge(int value)
{
    assign(this, m_chkFarge, value, &PlayerState::chkFargeChanged);
}
void PlayerState::setChkInfo(int value)
{
    assign(this, m_chkInfo, value, &PlayerState::chkInfoChanged);
}
