#include "InfoItems.h"

#include "Announcer.h"
#include "MessageBox.h"
#include "PlayerState.h"

#include <QStringList>

InfoItems::InfoItems(PlayerState &state, MessageBox &messageBox, Announcer &announcer)
    : m_state(state)
    , m_messageBox(messageBox)
    , m_announcer(announcer)
{}

QString InfoItems::aboutText()
{
    return QStringList({
                           QStringLiteral("Morvena Webradio"),
                           tr("Copyright \u00a9 2026 Morvena Webradio contributors"),
                           QString(),
                           tr("Made by the Morvena Webradio project; see its README for the "
                              "source code."),
                           QString(),
                           tr("Morvena Webradio is created with Qt and libmpv."),
                       })
        .join(QLatin1Char('\n'));
}

void InfoItems::hjelp_nettr()
{
    // Setting the box, not the window, keeps its change reaction the one place that moves
    // the window on and off the top; it also shows a window that sat hidden in the tray.
    if (m_state.chkFarge() == 1) {
        m_state.setChkFarge(0);
        m_messageBox.information(tr(kAboutTitle.data()), aboutText());
        m_state.setChkFarge(1);
    } else {
        m_messageBox.information(tr(kAboutTitle.data()), aboutText());
    }
}

void InfoItems::hva_spn()
{
    m_announcer.announce(m_state.Label2(), m_state.Label4().toUpper());
}
