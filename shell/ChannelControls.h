#pragma once

#include <QList>
#include <QObject>

class ChannelAdder;
class ChannelExport;
class ChannelListModel;
class ChannelListView;
class ChannelListWatcher;
class ChannelMenu;
class DropHandler;
class FileDropTarget;
class LocalMedia;
class Presets;
class QAction;
class QMenu;
class QWidget;
class QWidgetAction;
class frmMain;

/// The main window's channel controls, connected to the channel sources: the "My Channels"
/// submenu mnuFavs with its edit entry mnuNet and the list of channels below it, the export
/// item eksportkanaler, the functions popup's "Playlist <..>" item musikkfil, drops on the
/// now-playing text Label4, the presses and releases of the nine preset buttons (any mouse
/// button, released anywhere), and the main menu's "Add to My Channels" and "Find
/// stations…" items.
///
/// It finds the controls by their names, renders the menu the channel menu computed, and
/// forwards every event; the decisions stay in the channel classes. The channels are rows
/// of a list view inside the submenu rather than menu items: a menu lays out every item it
/// holds, which takes seconds for a list of thousands and spreads it over the screen in
/// columns, while the view draws only the rows in sight and scrolls in one column.
class ChannelControls : public QObject {
    Q_OBJECT

public:
    /// Connects the controls of `window` to the channel sources, which must
    /// outlive this object.
    ChannelControls(frmMain &window, ChannelMenu &menu, DropHandler &drops, LocalMedia &localMedia,
                    ChannelExport &exporter, Presets &presets);
    ~ChannelControls() override;

    /// Reads the list for mnuFavs, whose entries follow the edit entry, and from then on
    /// reads it again whenever the file changes on disk, off the event loop; run by the
    /// window's load.
    void buildChannelMenu();
    /// Lets the main menu's "Add to My Channels" add through `adder`, which must outlive
    /// this object.
    void attachAdder(ChannelAdder &adder);
    /// Chooses element `index` of mnuNet as a click on it does: the edit entry at 0, entry
    /// `index` after it; nothing past the end.
    void mnuNetClick(int index);
    /// The list of channels below the edit entry.
    ChannelListView *channelList() const { return m_list; }
    /// A short press of preset `preset` (the keys 1 to 9).
    void tunePreset(int preset);
    /// A long press of preset `preset` (Ctrl+1 to 9).
    void storePreset(int preset);

signals:
    /// "Find stations…" was chosen in the main menu.
    void findStationsRequested();
    /// The menu was read anew from the list.
    void channelMenuRebuilt();
    /// A preset has something to tell briefly in the status line ("Stored on 3").
    void notice(const QString &text);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void reread();
    void fitList();
    void showPresetTips();

    ChannelMenu &m_menu;
    Presets &m_presets;
    frmMain &m_window;
    QMenu *m_mnuFavs;
    QMenu *m_mainMenu;
    QAction *m_editEntry;
    QAction *m_addItem;
    ChannelListModel *m_model;
    ChannelListView *m_list;
    QWidgetAction *m_listAction;
    FileDropTarget *m_dropTarget;
    ChannelListWatcher *m_watcher = nullptr;
    bool m_reading = false;   // a reread runs on a worker thread
    bool m_readAgain = false; // the file changed again meanwhile: that read is stale
};
