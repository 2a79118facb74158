#pragma once

#include <QtGlobal>

/// A printer object that the print and page-setup dialogs pass their chosen settings on to.
///
/// Each setter may refuse a value the printer cannot take; the dialog wrapper ignores a refusal
/// and goes on with the next setting.
class DialogPrinter {
public:
    virtual ~DialogPrinter() = default;

    /// Sets the number of copies; false when the printer refuses it.
    virtual bool setCopies(qint16 copies) = 0;
    /// Sets the orientation (1 portrait, 2 landscape); false when the printer refuses it.
    virtual bool setOrientation(qint16 orientation) = 0;
    /// Sets the paper by its device-mode paper number (1 Letter, 9 A4, ...); false when refused.
    virtual bool setPaperSize(qint16 paperSize) = 0;
    /// Sets the print quality (dots per inch, or a negative quality code); false when refused.
    virtual bool setPrintQuality(qint16 quality) = 0;

protected:
    DialogPrinter() = default;
    DialogPrinter(const DialogPrinter &) = default;
    DialogPrinter &operator=(const DialogPrinter &) = default;
};
