#pragma once

#include "PlayerView.h"

#include <QMetaObject>
#include <QWidget>

class ChannelControls;
class FormLifecycle;
class PlayerState;
class QAction;
class QLabel;
class QMenu;
class QTimer;
class QToolButton;
class StatusDisplay;
class Transport;
class mnuFunk;

/// The main window: shows the player's state, turns clicks into the player's operations,
/// and carries the hidden functions popup window mnuFunk.
///
/// It decides nothing itself: the labels follow PlayerState, and the operations change the
/// rest through the PlayerView calls it implements.
class frmMain : public QWidget, public PlayerView {
    Q_OBJECT

public:
    /// The window's fixed size in pixels.
    static constexpr QSize kSize{315, 184};
    /// The status poll's interval.
    static constexpr int kTmrUpdateMs = 100;
    /// The announcement watcher's interval.
    static constexpr int kTimer5Ms = 3000;

    /// Builds the controls, showing `state`; nothing runs before attach() and load().
    explicit frmMain(PlayerState &state, QWidget *parent = nullptr);
    ~frmMain() override;

    /// Hands the window the operations its controls and events run.
    void attach(Transport &transport, FormLifecycle &lifecycle);
    /// Lets tmrUpdate's ticks poll the stream and Timer5's ticks watch for new titles.
    void attachStatusDisplay(StatusDisplay &display);
    /// Hands the window its channel controls, whose menu its load builds.
    void attachChannels(ChannelControls &channels);
    /// The window's load: size, the saved state (which may start playing), the status poll.
    void load();

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

signals:
    /// The window became the program's active window and the activation steps ran.
    void activated();

protected:
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    QLabel *addLabel(const char *name, const QRect &rect, const QFont &font, const QColor &color);
    QToolButton *addButton(const char *name, const QString &text, const QRect &rect);
    QAction *addItem(QMenu *menu, const char *name, const QString &caption);
    void buildMainMenu();
    void runActivation();
    void showLabel5ForeColor(quint32 argb);

    PlayerState &m_state;
    Transport *m_transport = nullptr;
    FormLifecycle *m_lifecycle = nullptr;
    ChannelControls *m_channels = nullptr;
    mnuFunk *m_mnuFunk;
    QMenu *m_mnuSystray;
    QTimer *m_tmrUpdate;
    QTimer *m_timer5;
    QLabel *m_label2 = nullptr;
    QLabel *m_label3 = nullptr;
    QLabel *m_label4 = nullptr;
    QLabel *m_label5 = nullptr;
    QToolButton *m_pictureButton6 = nullptr;
    QToolButton *m_pictureButton7 = nullptr;
    QAction *m_visTopp = nullptr;
    QAction *m_ikkeTop = nullptr;
    QAction *m_jaInfo = nullptr;
    QAction *m_infoIkke = nullptr;
    Tray::Icon m_formIcon = Tray::Icon::Idle;
    bool m_activationPending = true;
    bool m_unloaded = false;
    QMetaObject::Connection m_focusWatch;
};
