#include "Picture.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

struct Picture::Data {
    QByteArray source;
    QSize size;
    std::unique_ptr<QSvgRenderer> svg; // null for a raster image
    QImage raster;
    // The last rendering: a control asks again for the same size and ratio at every paint,
    // and rendering an SVG each time would cost far more than the paint itself.
    mutable QPixmap cached;
    mutable QSize cachedSize;
    mutable qreal cachedRatio = 0;
};

Picture::Picture(std::shared_ptr<Data> data)
    : m_data(std::move(data))
{}

Picture Picture::fromData(const QByteArray &bytes)
{
    if (bytes.isEmpty()) {
        return {};
    }
    auto data = std::make_shared<Data>();
    data->source = bytes;
    // Try SVG first only when the bytes look like XML: the SVG parser warns on anything else.
    if (bytes.trimmed().startsWith('<')) {
        auto svg = std::make_unique<QSvgRenderer>(bytes);
        if (svg->isValid() && !svg->defaultSize().isEmpty()) {
            data->size = svg->defaultSize();
            data->svg = std::move(svg);
            return Picture(std::move(data));
        }
    }
    if (!data->raster.loadFromData(bytes) || data->raster.isNull()) {
        return {};
    }
    data->size = data->raster.size();
    return Picture(std::move(data));
}

Picture Picture::fromFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return fromData(file.readAll());
}

Picture Picture::fromImage(const QImage &image)
{
    if (image.isNull()) {
        return {};
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    auto data = std::make_shared<Data>();
    data->source = bytes;
    data->raster = image;
    data->size = image.size();
    return Picture(std::move(data));
}

QSize Picture::size() const
{
    return m_data ? m_data->size : QSize();
}

QByteArray Picture::data() const
{
    return m_data ? m_data->source : QByteArray();
}

QPixmap Picture::pixmap(QSize size, qreal devicePixelRatio) const
{
    if (!m_data || size.isEmpty()) {
        return {};
    }
    const Data &d = *m_data;
    if (d.cachedSize == size && qFuzzyCompare(d.cachedRatio, devicePixelRatio)) {
        return d.cached;
    }
    const QSize device = (QSizeF(size) * devicePixelRatio).toSize();
    QPixmap result;
    if (d.svg) {
        QImage image(device, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        d.svg->render(&painter, QRectF(QPointF(0, 0), QSizeF(device)));
        painter.end();
        result = QPixmap::fromImage(image);
    } else if (d.raster.size() == device) {
        result = QPixmap::fromImage(d.raster);
    } else {
        result = QPixmap::fromImage(
            d.raster.scaled(device, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    }
    result.setDevicePixelRatio(devicePixelRatio);
    d.cached = result;
    d.cachedSize = size;
    d.cachedRatio = devicePixelRatio;
    return result;
}
