#pragma once

#include "Tray.h"

#include <QObject>
#include <QSystemTrayIcon>

#include <functional>

class ImageList;
class QTimer;

/// The tray icon on the desktop's notification area (QSystemTrayIcon), and the three ways
/// back into the program from it: a left press, a right press and a left double-click.
///
/// The desktop reports a double-click as a single click followed by a double-click, so a
/// left press is held back for the double-click time and dropped when a double-click
/// follows: the functions popup must not open under the restored window.
class QtTray : public QObject, public Tray {
    Q_OBJECT

public:
    /// The most characters the tip shows; longer tips are cut.
    static constexpr int kTipLimit = 63;

    /// An icon with the images of `images` (which must outlive it); `available` tells
    /// whether the desktop has a notification area now, by default by asking Qt.
    explicit QtTray(const ImageList &images, std::function<bool()> available = {},
                    QObject *parent = nullptr);

    /// The tip as the tray shows it: at most kTipLimit characters of `tip`, with
    /// `nowPlaying` on a line of its own when it says more than `tip`; never taken for rich
    /// text.
    static QString tipText(const QString &tip, const QString &nowPlaying = {},
                           const QString &marks = {});

    /// True when the desktop has a notification area to show the icon in.
    bool isAvailable() const;
    /// True from add() until remove().
    bool isShown() const;
    /// The image the icon shows.
    Icon icon() const { return m_icon; }
    /// The tip the icon shows.
    QString toolTip() const;
    /// The icon's place on the screen; empty when it is not shown.
    QRect geometry() const;

    /// Shows the icon with `icon` and `tip`.
    void add(Icon icon, const QString &tip) override;
    /// Changes image and tip while the icon is shown; does nothing otherwise.
    void update(Icon icon, const QString &tip) override;
    /// Takes the icon away.
    void remove() override;
    /// The now-playing text the tip shows under the tip's own text, so that the tray tells
    /// what the player is doing (a title, "Reconnecting in 4 s…", why a station failed).
    void setNowPlaying(const QString &text);

    /// What the player does on its own besides ("Recording", "Sleep in 25 min"): the tip's
    /// last line, kept when the tip is cut.
    void setMarks(const QString &marks);

    /// Turns the desktop's report of a click on the icon into one of the three signals.
    void onActivated(QSystemTrayIcon::ActivationReason reason);
    /// Lets a held-back left press through once the double-click time has passed without a
    /// second click; the timer calls it, tests may call it directly.
    void releasePendingPress();
    /// True while a left press is held back.
    bool hasPendingPress() const;

signals:
    /// A left press on the icon that was not the start of a double-click.
    void leftPressed();
    /// A right press on the icon.
    void rightPressed();
    /// A left double-click on the icon.
    void leftDoubleClicked();
    /// The mouse wheel turned over the icon by `angleDelta` eighths of a degree (X11).
    void wheelTurned(int angleDelta);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void show(Icon icon, const QString &tip);

    const ImageList &m_images;
    std::function<bool()> m_available;
    QSystemTrayIcon *m_trayIcon;
    QTimer *m_pendingPress;
    Icon m_icon = Icon::Idle;
    QString m_tip;
    QString m_nowPlaying;
    QString m_marks;
    bool m_pressPending = false;
};
