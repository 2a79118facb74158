#include "QtDialogPrinter.h"

#include "CommonDialogFlags.h"

#include <QPageSize>
#include <QPrinter>

using namespace CommonDialogFlags;

QtDialogPrinter::QtDialogPrinter(QPrinter &printer)
    : m_printer(printer)
{}

bool QtDialogPrinter::setCopies(qint16 copies)
{
    if (copies < 1) {
        return false;
    }
    m_printer.setCopyCount(copies);
    return true;
}

bool QtDialogPrinter::setOrientation(qint16 orientation)
{
    if (orientation == DMORIENT_PORTRAIT) {
        return m_printer.setPageOrientation(QPageLayout::Portrait);
    }
    if (orientation == DMORIENT_LANDSCAPE) {
        return m_printer.setPageOrientation(QPageLayout::Landscape);
    }
    return false;
}

bool QtDialogPrinter::setPaperSize(qint16 paperSize)
{
    // QPageSize answers Custom for a number it has no paper for.
    const QPageSize::PageSizeId id = QPageSize::id(paperSize);
    if (id == QPageSize::Custom) {
        return false;
    }
    return m_printer.setPageSize(QPageSize(id));
}

bool QtDialogPrinter::setPrintQuality(qint16 quality)
{
    if (quality <= 0) {
        return false;
    }
    m_printer.setResolution(quality);
    return true;
}
