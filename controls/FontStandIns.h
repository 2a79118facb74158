#pragma once

#include <QFont>
#include <QString>

/// Fonts by the names the layouts give them, with a close installed face standing in
/// where a named one is missing (these are Windows faces, rare on other desktops).
class FontStandIns {
public:
    /// `family` at `pointSize` and `weight`; when `family` is not installed, its stand-in
    /// with the weight that makes it look like the named face.
    static QFont font(const QString &family, qreal pointSize, QFont::Weight weight);
    /// Registers once the faces that sit outside the folders fontconfig scans (Wine's
    /// Tahoma clone); font() calls it.
    static void registerBundledFaces();
};
