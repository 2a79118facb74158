#include "cAlert.h"

#include "frmGmail.h"

#include <QLabel>

void cAlert::Gmail() const
{
    // Owned by no one: the popup deletes itself when it closes.
    auto *popup = new frmGmail();
    popup->lblTitle()->setText(m_title);
    popup->lblText()->setText(m_message);
    popup->show();
}
