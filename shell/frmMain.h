#pragma once

#include "Picture.h"
#include "PlayerView.h"
#include "QtPointerProbe.h"
#include "WindowStacking.h"

#include <QMetaObject>
#include <QWidget>

#include <array>

class ChannelControls;
class Volume;
class FormLifecycle;
class ImageList;
class InfoItems;
class PictureButton;
class PlayerState;
class QAction;
class QCheckBox;
class QLabel;
class QMenu;
class QTimer;
class QToolButton;
class StatusDisplay;
class QtTray;
class Transport;
class WindowOptions;
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

    /// Builds the controls, showing `state`; nothing runs before attach() and load().
    explicit frmMain(PlayerState &state, QWidget *parent = nullptr);
    ~frmMain() override;

    /// Hands the window the operations its controls and events run.
    void attach(Transport &transport, FormLifecycle &lifecycle);
    /// Lets tmrUpdate's ticks poll the stream and Timer5's ticks watch for new titles.
    void attachStatusDisplay(StatusDisplay &display);
    /// Hands the window the window options, the information items and the tray icon whose
    /// clicks it answers; all must outlive the window.
    void attachShell(WindowOptions &options, InfoItems &info, QtTray &tray);
    /// The window's load: frameless, centred, its size, the saved state (which may start
    /// playing), the status poll.
    /// Hands the window its channel controls, whose menu its load builds.
    void attachChannels(ChannelControls &channels);
    /// Lets the wheel and the + and - keys change `volume`, and shows its changes briefly.
    void attachVolume(Volume &volume);
    /// The window's load: size, the saved state (which may start playing), the status poll.
    void load();
    /// Shows `text` in the status line for kFlashMs, then the status line again.
    void flashStatus(const QString &text);
    /// Back from the tray or from under other windows: normal state, in front, focused.
    void restoreFromTray();

    /// The hidden window with the functions popup.
    mnuFunk *functionsWindow() const { return m_mnuFunk; }
    /// The main menu, opened by the menu button (and the tray).
    QMenu *mnuSystray() const { return m_mnuSystray; }
    /// The 100 ms status poll; its tick is where the status display reads the engine.
    QTimer *tmrUpdate() const { return m_tmrUpdate; }
    /// The 3 s announcement watcher.
    QTimer *Timer5() const { return m_timer5; }
    /// The image the window icon shows now.
    Tray::Icon formIcon() const { return m_formIcon; }
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

signals:
    /// The window became the program's active window and the activation steps ran.
    void activated();

protected:
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
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
    void skinMenus();
    void runActivation();
    void showLabel5ForeColor(quint32 argb);
    void openFunctionsPopup();
    void openMainMenuFromTray();
    void showStatusLine(const QString &text);

    PlayerState &m_state;
    Transport *m_transport = nullptr;
    FormLifecycle *m_lifecycle = nullptr;
    QtTray *m_tray = nullptr;
    QtPointerProbe m_probe;
    Picture m_background;
    ImageList *m_imageList1 = nullptr;
    ChannelControls *m_channels = nullptr;
    Volume *m_volume = nullptr;
    mnuFunk *m_mnuFunk;
    QMenu *m_mnuSystray;
    QTimer *m_tmrUpdate;
    QTimer *m_timer5;
    QTimer *m_flash;
    QLabel *m_label2 = nullptr;
    QLabel *m_label3 = nullptr;
    QLabel *m_label4 = nullptr;
    QLabel *m_label5 = nullptr;
    QCheckBox *m_chkFarge = nullptr;
    QCheckBox *m_chkInfo = nullptr;
    PictureButton *m_pictureButton1 = nullptr;
    PictureButton *m_pictureButton2 = nullptr;
    PictureButton *m_pictureButton3 = nullptr;
    PictureButton *m_pictureButton6 = nullptr;
    PictureButton *m_pictureButton7 = nullptr;
    std::array<PictureButton *, kPresetCount> m_presets{};
    QAction *m_visTopp = nullptr;
    QAction *m_ikkeTop = nullptr;
    QAction *m_jaInfo = nullptr;
    QAction *m_infoIkke = nullptr;
    Tray::Icon m_formIcon = Tray::Icon::Idle;
    bool m_activationPending = true;
    bool m_unloaded = false;
    bool m_manualDrag = false;
    QPoint m_dragOffset;
    QMetaObject::Connection m_focusWatch;
};
