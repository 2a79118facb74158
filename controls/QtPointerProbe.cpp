#include "QtPointerProbe.h"

#include <QApplication>
#include <QCursor>

QWidget *QtPointerProbe::widgetUnderPointer() const
{
    return QApplication::widgetAt(QCursor::pos());
}
