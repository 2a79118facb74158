#include "FontStandIns.h"

#include <QFileInfo>
#include <QFontDatabase>

#include <optional>

namespace {

struct StandIn {
    QLatin1StringView family;
    QLatin1StringView standIn;
    // The named condensed face is bold by name at a normal weight; its stand-in family
    // keeps the boldness in a separate weight.
    std::optional<QFont::Weight> weight;
};

const StandIn kStandIns[] = {
    {QLatin1StringView("Gill Sans MT Ext Condensed Bold"), QLatin1StringView("Yanone Kaffeesatz"),
     QFont::Bold},
    {QLatin1StringView("Tahoma"), QLatin1StringView("Liberation Sans"), std::nullopt},
    {QLatin1StringView("Arial"), QLatin1StringView("Liberation Sans"), std::nullopt},
};

// Debian's fonts-wine puts its Tahoma clone here, where fontconfig does not look.
const char *const kBundledFaces[] = {
    "/usr/share/wine/fonts/tahoma.ttf",
    "/usr/share/wine/fonts/tahomabd.ttf",
};

} // namespace

void FontStandIns::registerBundledFaces()
{
    static const bool registered = [] {
        if (QFontDatabase::hasFamily(QStringLiteral("Tahoma"))) {
            return true;
        }
        for (const char *path : kBundledFaces) {
            if (QFileInfo::exists(QLatin1String(path))) {
                QFontDatabase::addApplicationFont(QLatin1String(path));
            }
        }
        return true;
    }();
    Q_UNUSED(registered);
}

QFont FontStandIns::font(const QString &family, qreal pointSize, QFont::Weight weight)
{
    registerBundledFaces();
    QFont font;
    font.setFamily(family);
    font.setWeight(weight);
    if (!QFontDatabase::hasFamily(family)) {
        for (const StandIn &entry : kStandIns) {
            if (family.compare(entry.family, Qt::CaseInsensitive) == 0) {
                font.setFamily(entry.standIn);
                font.setWeight(entry.weight.value_or(weight));
                break;
            }
        }
    }
    // The stretch stays as it is: setting it, even to Unstretched, widens condensed faces.
    font.setPointSizeF(pointSize);
    return font;
}
