#include "QtTray.h"

#include "ImageList.h"

#include <QApplication>
#include <QTimer>
#include <QWheelEvent>

QtTray::QtTray(const ImageList &images, std::function<bool()> available, QObject *parent)
    : QObject(parent)
    , m_images(images)
    , m_available(available ? std::move(available)
                            : std::function<bool()>(&QSystemTrayIcon::isSystemTrayAvailable))
    , m_trayIcon(new QSystemTrayIcon(this))
    , m_pendingPress(new QTimer(this))
{
    m_trayIcon->setObjectName(QStringLiteral("trayIcon"));
    m_pendingPress->setObjectName(QStringLiteral("pendingPress"));
    m_pendingPress->setSingleShot(true);
    m_pendingPress->setInterval(QApplication::doubleClickInterval());
    connect(m_pendingPress, &QTimer::timeout, this, &QtTray::releasePendingPress);
    // Queued: a double-click removes the icon, and the icon's window must not be deleted
    // while it is still delivering the click.
    connect(m_trayIcon, &QSystemTrayIcon::activated, this, &QtTray::onActivated,
            Qt::QueuedConnection);
    // QSystemTrayIcon has no wheel signal, but its X11 icon window hands its wheel events
    // on to the QSystemTrayIcon object itself, where a filter sees them.
    m_trayIcon->installEventFilter(this);
}

bool QtTray::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_trayIcon && event->type() == QEvent::Wheel) {
        emit wheelTurned(static_cast<QWheelEvent *>(event)->angleDelta().y());
        return true;
    }
    return QObject::eventFilter(watched, event);
}

QString QtTray::tipText(const QString &tip, const QString &nowPlaying, const QString &marks)
{
    QString full = tip;
    if (!nowPlaying.isEmpty() && nowPlaying != tip)
        full += QLatin1Char('\n') + nowPlaying;
    // The tip is shown by a label that takes anything looking like a tag for rich text,
    // and channel names come from files and streams we don't control: a word joiner after
    // every "<" keeps it plain text without changing what the user reads.
    QString shown = marks.isEmpty()
                        ? full.left(kTipLimit)
                        : full.left(kTipLimit - marks.size() - 1) + QLatin1Char('\n') + marks;
    shown.replace(QLatin1Char('<'), QStringLiteral("<\u2060"));
    return shown;
}

bool QtTray::isAvailable() const
{
    return m_available();
}

bool QtTray::isShown() const
{
    return m_trayIcon->isVisible();
}

QString QtTray::toolTip() const
{
    return m_trayIcon->toolTip();
}

QRect QtTray::geometry() const
{
    return isShown() ? m_trayIcon->geometry() : QRect();
}

void QtTray::add(Icon icon, const QString &tip)
{
    show(icon, tip);
    m_trayIcon->show();
}

void QtTray::update(Icon icon, const QString &tip)
{
    if (isShown()) {
        show(icon, tip);
    }
}

void QtTray::remove()
{
    m_pressPending = false;
    m_pendingPress->stop();
    m_trayIcon->hide();
}

void QtTray::setNowPlaying(const QString &text)
{
    m_nowPlaying = text;
    m_trayIcon->setToolTip(tipText(m_tip, m_nowPlaying, m_marks));
}

void QtTray::setMarks(const QString &marks)
{
    m_marks = marks;
    m_trayIcon->setToolTip(tipText(m_tip, m_nowPlaying, m_marks));
}

void QtTray::show(Icon icon, const QString &tip)
{
    m_icon = icon;
    m_tip = tip;
    m_trayIcon->setIcon(m_images.image(icon));
    m_trayIcon->setToolTip(tipText(m_tip, m_nowPlaying, m_marks));
}

void QtTray::onActivated(QSystemTrayIcon::ActivationReason reason)
{
    switch (reason) {
    case QSystemTrayIcon::Trigger:
        m_pressPending = true;
        m_pendingPress->start();
        break;
    case QSystemTrayIcon::DoubleClick:
        m_pressPending = false;
        m_pendingPress->stop();
        emit leftDoubleClicked();
        break;
    case QSystemTrayIcon::Context:
        emit rightPressed();
        break;
    default:
        break;
    }
}

void QtTray::releasePendingPress()
{
    m_pendingPress->stop();
    if (std::exchange(m_pressPending, false)) {
        emit leftPressed();
    }
}

bool QtTray::hasPendingPress() const
{
    return m_pressPending;
}
