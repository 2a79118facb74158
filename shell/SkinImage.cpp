#include "SkinImage.h"

#include <QPainter>

#include <utility>

SkinImage::SkinImage(Picture picture, QWidget *parent)
    : QWidget(parent)
    , m_picture(std::move(picture))
{}

void SkinImage::paintEvent(QPaintEvent * /*event*/)
{
    QPainter painter(this);
    painter.drawPixmap(QPoint(0, 0), m_picture.pixmap(size(), devicePixelRatioF()));
}
