// Renders the application icon's SVG at one size for the hicolor theme's PNG folders.
//   morvena-svg2png <in.svg> <size> <out.png>
// A build tool only; it is not installed.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char *argv[])
{
    // No display at build time: the offscreen platform serves the painting.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const int size = args.value(2).toInt();
    QSvgRenderer renderer(args.value(1));
    if (args.size() != 4 || size <= 0 || !renderer.isValid()) {
        std::fprintf(stderr, "usage: morvena-svg2png <in.svg> <size> <out.png>\n");
        return 2;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    painter.end();
    return image.save(args.value(3), "PNG") ? 0 : 1;
}
