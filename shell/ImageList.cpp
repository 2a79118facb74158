#include "ImageList.h"

#include <QPixmap>

ImageList::ImageList(QObject *parent)
    : QObject(parent)
    // Icons over SVG files render at whatever size and pixel ratio is asked for, so the
    // tray's own icon size and high-density screens both get a crisp image.
    , m_idle(QStringLiteral(":/icons/idle.svg"))
    , m_playing(QStringLiteral(":/icons/playing.svg"))
{
    setObjectName(QStringLiteral("ImageList1"));
}

QIcon ImageList::image(Tray::Icon icon) const
{
    return icon == Tray::Icon::Idle ? m_idle : m_playing;
}
