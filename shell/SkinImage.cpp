#include "SkinImage.h"

#include <QPainter>

SkinImage::SkinImage(const Picture &picture, QWidget *parent)
    : QWidget(parent)
    , m_picture(picture)
{}

void SkinImage::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawPixmap(QPoint(0, 0), m_picture.pixmap(size(), devicePixelRatioF()));
}
