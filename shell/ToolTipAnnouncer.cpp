#include "ToolTipAnnouncer.h"

#include <QGuiApplication>
#include <QScreen>
#include <QToolTip>

void ToolTipAnnouncer::announce(const QString &title, const QString &message)
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen) {
        return;
    }
    // Tool tips take rich text: escape what comes from the stream.
    const QString text =
        QStringLiteral("<b>%1</b><br>%2").arg(title.toHtmlEscaped(), message.toHtmlEscaped());
    const QPoint corner = screen->availableGeometry().bottomRight() - QPoint(260, 80);
    QToolTip::showText(corner, text, nullptr, QRect(), kShowMs);
}
