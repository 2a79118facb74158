#pragma once

#include <QByteArray>
#include <QSize>

#include <memory>

class QImage;
class QPixmap;
class QString;

/// An image a control shows: SVG or raster data with a natural size in device-independent
/// pixels, rendered crisp at any device pixel ratio.
///
/// Copies share one image object: a control that is handed a picture keeps a reference to
/// the host's picture, not a copy of its pixels. A default-constructed picture is empty.
class Picture {
public:
    /// An empty picture.
    Picture() = default;

    /// A picture from SVG or raster bytes; empty when the bytes are empty or unreadable.
    static Picture fromData(const QByteArray &bytes);
    /// A picture from the SVG or raster file at `path` (resource paths included).
    static Picture fromFile(const QString &path);
    /// A picture of `image`, at one image pixel per device-independent pixel.
    static Picture fromImage(const QImage &image);

    /// True when there is no image.
    bool isNull() const { return !m_data; }
    /// The natural size in device-independent pixels; empty for an empty picture.
    QSize size() const;
    /// The bytes the picture was made from, for storing it; empty for an empty picture.
    QByteArray data() const;
    /// The image stretched to `size` device-independent pixels, rendered for a screen of
    /// `devicePixelRatio`; a null pixmap for an empty picture.
    QPixmap pixmap(QSize size, qreal devicePixelRatio) const;

    /// True when both refer to the same image object (or both are empty).
    bool operator==(const Picture &other) const { return m_data == other.m_data; }

private:
    struct Data;
    explicit Picture(std::shared_ptr<Data> data);

    std::shared_ptr<Data> m_data;
};
