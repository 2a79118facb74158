#pragma once

#include <QWidget>

class QAction;
class QMenu;

/// The hidden window that carries the functions popup hoved_mnufunk: "Playlist <..>",
/// a separator, "Continue" and "Pause". It is never shown itself.
///
/// The window loads on the first reference to its popup or one of its items: loading()
/// is emitted once, before the caller gets the item, so the load step's settings come
/// first and the caller's follow.
class mnuFunk : public QWidget {
    Q_OBJECT

public:
    /// Builds the popup; loads nothing yet.
    explicit mnuFunk(QWidget *parent = nullptr);

    /// The popup menu (caption "Menu"); loads the window.
    QMenu *hoved_mnufunk();
    /// "Playlist <..>"; loads the window.
    QAction *musikkfil();
    /// "Continue"; loads the window.
    QAction *fortsett_avs();
    /// "Pause"; loads the window.
    QAction *pause_avs();

signals:
    /// The window is loading: its load step runs now.
    void loading();
    /// "Playlist <..>" was chosen.
    void musikkfilTriggered();
    /// "Continue" was chosen.
    void fortsettAvsTriggered();
    /// "Pause" was chosen.
    void pauseAvsTriggered();

private:
    void ensureLoaded();

    bool m_loaded = false;
    QMenu *m_menu;
    QAction *m_musikkfil;
    QAction *m_fortsettAvs;
    QAction *m_pauseAvs;
};
