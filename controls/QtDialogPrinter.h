#pragma once

#include "DialogPrinter.h"

class QPrinter;

/// A QPrinter as the printer object of the print and page-setup dialogs.
class QtDialogPrinter : public DialogPrinter {
public:
    /// Passes settings on to `printer`, which must outlive this object.
    explicit QtDialogPrinter(QPrinter &printer);

    /// Sets the copy count; refuses fewer than one copy.
    bool setCopies(qint16 copies) override;
    /// Sets portrait (1) or landscape (2); refuses other values.
    bool setOrientation(qint16 orientation) override;
    /// Sets the paper with that device-mode number; refuses numbers Qt does not know.
    bool setPaperSize(qint16 paperSize) override;
    /// Sets the resolution in dots per inch; refuses the negative quality codes, which Qt lacks.
    bool setPrintQuality(qint16 quality) override;

private:
    QPrinter &m_printer;
};
