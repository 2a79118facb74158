#include "QtMessageBox.h"

#include <QMessageBox>

QtMessageBox::QtMessageBox(QWidget *parent)
    : m_parent(parent)
{}

void QtMessageBox::information(const QString &title, const QString &text)
{
    QMessageBox box(QMessageBox::Information, title, text, QMessageBox::Ok, m_parent);
    // The texts are the program's own, but never let a channel name read as markup.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}
