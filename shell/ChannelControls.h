#pragma once

#include <QList>
#include <QObject>

class ChannelExport;
class ChannelMenu;
class DropHandler;
class FileDropTarget;
class LocalMedia;
class Presets;
class QAction;
class QMenu;
class QWidget;

/// The main window's channel controls, connected to the channel sources: the "My Channels"
/// submenu mnuFavs with its entries mnuNet, the export item eksportkanaler, the functions
/// popup's "Playlist <..>" item musikkfil, drops on the now-playing text Label4, and the
/// presses and releases of the nine preset buttons (any mouse button, released anywhere).
///
/// It finds the controls by their names, renders the menu the channel menu computed, and
/// forwards every event; the decisions stay in the channel classes. The entries' menu items
/// are made when the submenu is first shown: Qt adds an item to a menu in time that grows
/// with the menu, so a list of thousands would otherwise hold up every start.
class ChannelControls : public QObject {
    Q_OBJECT

public:
    /// Connects the controls of `window` (a frmMain) to the channel sources, which must
    /// outlive this object.
    ChannelControls(QWidget &window, ChannelMenu &menu, DropHandler &drops, LocalMedia &localMedia,
                    ChannelExport &exporter, Presets &presets);

    /// Reads the list for mnuFavs, whose entries follow the edit entry; run once by the
    /// window's load.
    void buildChannelMenu();
    /// Element `index` of mnuNet: the edit entry at 0, entry `index` after it; null past the
    /// end. Makes the entries' items if they are not made yet.
    QAction *mnuNet(int index);
    /// A short press of preset `preset` (the keys 1 to 9).
    void tunePreset(int preset);
    /// A long press of preset `preset` (Ctrl+1 to 9).
    void storePreset(int preset);
    /// The drop target on Label4.
    FileDropTarget *dropTarget() const { return m_dropTarget; }

signals:
    /// A preset has something to tell briefly in the status line ("Stored on 3").
    void notice(const QString &text);

private:
    void addEntries();
    void showPresetTips();
    void connectElement(QAction *element, int index);

    ChannelMenu &m_menu;
    Presets &m_presets;
    QWidget &m_window;
    QMenu *m_mnuFavs;
    QList<QAction *> m_mnuNet;
    FileDropTarget *m_dropTarget = nullptr;
    bool m_entriesAdded = true;
};
