#include "mnuFunk.h"

#include <QMenu>

mnuFunk::mnuFunk(QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_menu(new QMenu(QStringLiteral("Menu"), this))
{
    setObjectName(QStringLiteral("mnuFunk"));
    m_menu->setObjectName(QStringLiteral("hoved_mnufunk"));
    m_musikkfil = m_menu->addAction(tr("Playlist <..>"));
    m_musikkfil->setObjectName(QStringLiteral("musikkfil"));
    m_menu->addSeparator()->setObjectName(QStringLiteral("linje"));
    m_fortsettAvs = m_menu->addAction(tr("Continue"));
    m_fortsettAvs->setObjectName(QStringLiteral("fortsett_avs"));
    m_pauseAvs = m_menu->addAction(tr("Pause"));
    m_pauseAvs->setObjectName(QStringLiteral("pause_avs"));
    connect(m_musikkfil, &QAction::triggered, this, &mnuFunk::musikkfilTriggered);
    connect(m_fortsettAvs, &QAction::triggered, this, &mnuFunk::fortsettAvsTriggered);
    connect(m_pauseAvs, &QAction::triggered, this, &mnuFunk::pauseAvsTriggered);
}

QMenu *mnuFunk::hoved_mnufunk()
{
    ensureLoaded();
    return m_menu;
}
QAction *mnuFunk::musikkfil()
{
    ensureLoaded();
    return m_musikkfil;
}
QAction *mnuFunk::fortsett_avs()
{
    ensureLoaded();
    return m_fortsettAvs;
}
QAction *mnuFunk::pause_avs()
{
    ensureLoaded();
    return m_pauseAvs;
}

// Marked loaded before the load step runs: the step sets items through the same
// accessors, and must not load the window a second time.
void mnuFunk::ensureLoaded()
{
    if (m_loaded) {
        return;
    }
    m_loaded = true;
    emit loading();
}
