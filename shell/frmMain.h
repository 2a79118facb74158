#pragma once

#include "Picture.h"
#include "PlayerView.h"
#include "QtPointerProbe.h"
#include "WindowStacking.h"

#include <QMetaObject>
#include <QWidget>

#include <array>
#include <functional>

class ImageList;
class PictureButton;
class PlayerState;
class QAction;
class QActionGroup;
class QCheckBox;
class QLabel;
class QMenu;
class QTimer;
class QToolButton;
class mnuFunk;

/// The main window: a frameless skinned panel that shows the player's state, turns clicks
/// into the player's operations, and carries the hidden functions popup window mnuFunk.
///
/// It decides nothing itself: the labels and hidden holders follow PlayerState, and the
/// operations change the rest through the PlayerView and WindowStacking calls it
/// implements.
class frmMain : public QWidget, public PlayerView, public WindowStacking {
    Q_OBJECT

public:
    /// The window's fixed size in pixels.
    static constexpr QSize kSize{315, 184};
    /// The status poll's interval.
    static constexpr int kTmrUpdateMs = 100;
    /// The announcement watcher's interval.
    static constexpr int kTimer5Ms = 3000;
    /// The number of preset buttons.
    static constexpr int kPresetCount = 9;
    /// How long a volume change or a store shows in the status line.
    static constexpr int kFlashMs = 1500;

    /// Builds the controls, showing `state`; nothing runs before load(). What the controls
    /// ask for is told by the signals below, which the program connects to its operations.
    explicit frmMain(PlayerState &state, QWidget *parent = nullptr);
    ~frmMain() override;

    /// The window's load: frameless, centred, its size; loading() (the saved state, which
    /// may start playing, and the channel menu); then the status poll.
    void load();
    /// How to tell whether the desktop has a notification area for the window to go to;
    /// without it, minimising leaves the window minimised on the desktop.
    void setTrayAvailable(std::function<bool()> available);
    /// Shows `text` in the status line for kFlashMs, then the status line again.
    void flashStatus(const QString &text);
    /// Back from the tray or from under other windows: normal state, in front, focused.
    void restoreFromTray();
    /// Shows whether recording is on: the Record item's check and the panel's mark.
    void setRecordingShown(bool on);
    /// Checks the Sleep item of `minutes` (0: Off; a time not offered: "Other time…").
    void setSleepShown(int minutes);

    /// The hidden window with the functions popup.
    mnuFunk *functionsWindow() const { return m_mnuFunk; }
    /// The main menu, opened by the menu button (and the tray).
    QMenu *mnuSystray() const { return m_mnuSystray; }
    /// "My Channels", the main menu's submenu of the channel list.
    QMenu *mnuFavs() const { return m_mnuFavs; }
    /// mnuNet's edit entry, "¦ Edit Channels".
    QAction *mnuNet() const { return m_mnuNet; }
    /// "Export Mine Kanaler.ini".
    QAction *eksportkanaler() const { return m_eksportkanaler; }
    /// "Find stations…".
    QAction *finnStasjonar() const { return m_finnStasjonar; }
    /// "Add to My Channels".
    QAction *leggTilKanal() const { return m_leggTilKanal; }
    /// The 100 ms status poll; its tick is where the status display reads the engine.
    QTimer *tmrUpdate() const { return m_tmrUpdate; }
    /// The 3 s announcement watcher.
    QTimer *Timer5() const { return m_timer5; }
    /// ImageList1: the idle and playing icons.
    const ImageList &ImageList1() const { return *m_imageList1; }
    /// The preset button of preset `number`, 1 to 9 (PictureButton8, 9, 12 to 18).
    PictureButton *presetButton(int number) const;
    /// Label4, the now-playing text, which also takes dropped files.
    QLabel *nowPlayingLabel() const { return m_label4; }

    // PlayerView: each call changes one control, as the operations ask.
    void setPictureButton6Visible(bool visible) override;
    void setPictureButton7Visible(bool visible) override;
    void setFortsettAvsCaption(const QString &caption) override;
    void setFortsettAvsEnabled(bool enabled) override;
    void setPauseAvsEnabled(bool enabled) override;
    void setVisToppEnabled(bool enabled) override;
    void setIkkeTopEnabled(bool enabled) override;
    void setJaInfoEnabled(bool enabled) override;
    void setInfoIkkeEnabled(bool enabled) override;
    void setTmrUpdateEnabled(bool enabled) override;
    void setTimer5Enabled(bool enabled) override;
    void setFormIcon(Tray::Icon icon) override;
    void minimizeWindow() override;
    void endProgram() override;

    // WindowStacking: the change reaction of chkFarge.
    void setTopmost(bool on) override;

public slots:
    /// Brings the window back and in front, from the tray too: another start of the
    /// program asked for it.
    void raiseFromDesktop();
    /// A left press on the tray icon: the functions popup, the window staying where it is.
    void openFunctionsPopup();
    /// A right press on the tray icon: the window in front (if shown), then the main menu.
    void openMainMenuFromTray();

signals:
    /// The load's own steps: restore the saved state, then build the channel menu.
    void loading();
    /// The window became the program's active window: the activation steps run now.
    void activating();
    /// The window became the program's active window and the activation steps ran.
    void activated();
    /// A close request from the desktop or the session: save and end (asked once).
    void unloading();
    /// The to-tray button (PictureButton2) or Escape.
    void toTrayRequested();
    /// The exit button (PictureButton3).
    void exitRequested();
    /// The status poll resumed as the window came back into view: its line is stale.
    void statusPollResumed();
    /// The pause button (PictureButton6), or Space while it shows.
    void pauseButtonClicked();
    /// The continue button (PictureButton7), fortsett_avs, or Space while it shows.
    void continueRequested();
    /// The functions popup's pause_avs.
    void pauseRequested();
    /// stopp, or the S key.
    void stopRequested();
    /// The functions popup is about to open (its own load).
    void functionsPopupLoading();
    /// vis_topp ("Always").
    void visToppTriggered();
    /// ikke_top ("Normal").
    void ikkeTopTriggered();
    /// ja_info ("Yes").
    void jaInfoTriggered();
    /// info_ikke ("No").
    void infoIkkeTriggered();
    /// hjelp_nettr ("About..").
    void aboutRequested();
    /// hva_spn ("What's On?").
    void whatsOnRequested();
    /// Keys 1 to 9 (`store` false) and Ctrl+1 to 9 (`store` true).
    void presetKey(int preset, bool store);
    /// + and - : `steps` of volume up (positive) or down.
    void volumeStepRequested(int steps);
    /// The wheel over the panel, in eighths of a degree.
    void wheelTurned(int angleDelta);
    /// The window came back from the tray: the tray icon goes.
    void restoredFromTray();
    /// "Song History…" or the H key.
    void historyRequested();
    /// "Starred Songs…".
    void starredRequested();
    /// "Star This Song" or the * key: star the song playing now.
    void starRequested();
    /// Record (menu or R): recording on or off.
    void recordToggled();
    /// Sleep (menu): pause after `minutes` (0: off; -1: ask for a time, the Z key's choice).
    void sleepRequested(int minutes);

protected:
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    void addHiddenHolders();
    void addPictureButtons();
    QAction *addItem(QMenu *menu, const char *name, const QString &caption);
    void buildMainMenu();
    void addHistoryItems();
    void buildRecordSleepItems();
    void skinMenus();
    void runActivation();
    void render();
    void showStatusLine(const QString &text);
    void runStatusPoll();

    PlayerState &m_state;
    std::function<bool()> m_trayAvailable = [] {
        return false;
    };
    QtPointerProbe m_probe;
    Picture m_background;
    ImageList *m_imageList1 = nullptr;
    mnuFunk *m_mnuFunk;
    QMenu *m_mnuSystray;
    QTimer *m_tmrUpdate;
    QTimer *m_timer5;
    QTimer *m_flash;
    QLabel *m_label2 = nullptr;
    QLabel *m_label3 = nullptr;
    QLabel *m_label4 = nullptr;
    QLabel *m_label5 = nullptr;
    QLabel *m_label6 = nullptr; // the saved title, never shown
    quint32 m_label5Color = 0;
    QAction *m_opptak = nullptr;       // Record
    QActionGroup *m_sove = nullptr;    // Sleep's choices
    QLabel *m_recordingMark = nullptr; // on the panel while recording
    QCheckBox *m_chkFarge = nullptr;
    QCheckBox *m_chkInfo = nullptr;
    PictureButton *m_pictureButton1 = nullptr;
    PictureButton *m_pictureButton2 = nullptr;
    PictureButton *m_pictureButton3 = nullptr;
    PictureButton *m_pictureButton6 = nullptr;
    PictureButton *m_pictureButton7 = nullptr;
    std::array<PictureButton *, kPresetCount> m_presets{};
    QMenu *m_mnuFavs = nullptr;
    QAction *m_mnuNet = nullptr;
    QAction *m_eksportkanaler = nullptr;
    QAction *m_finnStasjonar = nullptr;
    QAction *m_leggTilKanal = nullptr;
    QAction *m_visTopp = nullptr;
    QAction *m_ikkeTop = nullptr;
    QAction *m_jaInfo = nullptr;
    QAction *m_infoIkke = nullptr;
    bool m_pollWanted = false; // the transport's wish; the poll runs only while in view
    bool m_activationPending = true;
    bool m_unloaded = false;
    bool m_pressed = false;    // the left button went down on the panel and is held
    bool m_manualDrag = false; // the window follows the pointer itself
    QPoint m_pressPoint;
    QPoint m_dragOffset;
    QMetaObject::Connection m_focusWatch;
};
