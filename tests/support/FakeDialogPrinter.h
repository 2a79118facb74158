#pragma once

#include "DialogPrinter.h"

#include <QStringList>

/// A printer object that records what it was given and refuses the settings the test names.
class FakeDialogPrinter : public DialogPrinter {
public:
    /// Settings offered, in order, as "name=value".
    QStringList offered;
    /// Names of the settings to refuse ("copies", "orientation", "paper", "quality").
    QStringList refuse;

    bool setCopies(qint16 value) override { return take("copies", value); }
    bool setOrientation(qint16 value) override { return take("orientation", value); }
    bool setPaperSize(qint16 value) override { return take("paper", value); }
    bool setPrintQuality(qint16 value) override { return take("quality", value); }

private:
    bool take(const char *name, qint16 value)
    {
        offered << QStringLiteral("%1=%2").arg(QLatin1String(name)).arg(value);
        return !refuse.contains(QLatin1String(name));
    }
};
