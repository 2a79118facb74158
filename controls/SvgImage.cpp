#include "SvgImage.h"

#include <QMouseEvent>
#include <QPainter>

SvgImage::SvgImage(const QString &path, QWidget *parent)
    : QWidget(parent)
    , m_renderer(path)
{}

void SvgImage::paintEvent(QPaintEvent * /*event*/)
{
    QPainter painter(this);
    m_renderer.render(&painter, QRectF(rect()));
}

// Accepted, so that a click on the picture is not a click on the window behind it.
void SvgImage::mousePressEvent(QMouseEvent *event)
{
    event->accept();
}

void SvgImage::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
}
