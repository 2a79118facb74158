#include "PlayerState.h"

namespace {

// Set-if-changed: a holder announces only real changes, so a rewrite of the same text
// (the status poll rewrites its lines ten times a second) costs the window nothing.
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

void PlayerState::setLabel1(const QString &text)
{
    assign(this, m_label1, text, &PlayerState::Label1Changed);
}
void PlayerState::setLabel2(const QString &text)
{
    assign(this, m_label2, text, &PlayerState::Label2Changed);
}
void PlayerState::setLabel3(const QString &text)
{
    assign(this, m_label3, text, &PlayerState::Label3Changed);
}
void PlayerState::setLabel4(const QString &text)
{
    assign(this, m_label4, text, &PlayerState::Label4Changed);
}
void PlayerState::setLabel5(const QString &text)
{
    assign(this, m_label5, text, &PlayerState::Label5Changed);
}
void PlayerState::setLabel5ForeColor(quint32 argb)
{
    assign(this, m_label5ForeColor, argb, &PlayerState::Label5ForeColorChanged);
}
void PlayerState::setLabel6(const QString &text)
{
    assign(this, m_label6, text, &PlayerState::Label6Changed);
}
void PlayerState::setChkFarge(int value)
{
    assign(this, m_chkFarge, value, &PlayerState::chkFargeChanged);
}
void PlayerState::setChkInfo(int value)
{
    assign(this, m_chkInfo, value, &PlayerState::chkInfoChanged);
}
