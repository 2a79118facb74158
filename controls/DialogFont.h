#pragma once

#include <QString>

/// A font as the font dialog takes and returns it.
struct DialogFont {
    /// Face name, e.g. "Liberation Sans".
    QString Name;
    /// Size in points; the dialog returns tenths of a point, so one decimal survives a round trip.
    double Size = 0.0;
    /// Bold, as the dialog's font type reports it (independent of Weight).
    bool Bold = false;
    /// Italic.
    bool Italic = false;
    /// Underlined.
    bool Underline = false;
    /// Struck out.
    bool Strikethrough = false;
    /// Weight, 0..1000 (400 normal, 700 bold).
    qint32 Weight = 400;
};
