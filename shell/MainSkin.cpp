#include "MainSkin.h"

#include "AssetResources.h"
#include "PropertyBag.h"

#include <QFile>

namespace MainSkin {

namespace {

QByteArray resource(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

// The linker would drop the registration of a static library's resources unless
// something refers to it.
void initResources()
{
    AssetResources::ensureLoaded();
}

PropertyBag buttonLayout(const char *art)
{
    const QString base = QStringLiteral(":/buttons/") + QLatin1String(art);
    PropertyBag bag;
    bag.writeProperty(QStringLiteral("picture"), resource(base + QStringLiteral("-normal.svg")));
    bag.writeProperty(QStringLiteral("picturehover"),
                      resource(base + QStringLiteral("-hover.svg")));
    bag.writeProperty(QStringLiteral("picturedown"), resource(base + QStringLiteral("-down.svg")));
    return bag;
}

// Where a named face is missing, fontconfig's aliases and the next family in the list stand
// in: Liberation Sans for Arial, Yanone Kaffeesatz for the condensed display face. The
// stretch is left alone: setting it widens a condensed face.
QFont arialFont(qreal points, bool bold)
{
    QFont font;
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

QFont titleFont()
{
    QFont font;
    font.setFamilies(
        {QStringLiteral("Gill Sans MT Ext Condensed Bold"), QStringLiteral("Yanone Kaffeesatz")});
    font.setPointSizeF(18);
    font.setBold(true);
    return font;
}

QColor textColor()
{
    return Qt::white;
}

QColor nowPlayingColor()
{
    return {0x00, 0x80, 0x80};
}

QPalette menuPalette(QPalette base)
{
    const QColor face(0x26, 0x2a, 0x30);
    const QColor ink(0xdd, 0xe4, 0xe8);
    const QColor dim(0x6f, 0x78, 0x80);
    for (const auto role : {QPalette::Window, QPalette::Base, QPalette::Button}) {
        base.setColor(role, face);
    }
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        base.setColor(role, ink);
        base.setColor(QPalette::Disabled, role, dim);
    }
    // The engraved shadow some styles draw under disabled text would show on the dark face.
    base.setColor(QPalette::Disabled, QPalette::Light, face);
    base.setColor(QPalette::Highlight, nowPlayingColor());
    base.setColor(QPalette::HighlightedText, Qt::white);
    return base;
}

} // namespace MainSkin
