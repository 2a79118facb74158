#include "QtWarningBox.h"

#include <QMessageBox>

QtWarningBox::QtWarningBox(QWidget *parent)
    : m_parent(parent)
{}

void QtWarningBox::warning(const QString &title, const QString &text)
{
    QMessageBox::warning(m_parent, title, text, QMessageBox::Ok);
}
