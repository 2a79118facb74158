#include "QtMessageBox.h"

#include <QMessageBox>

QtMessageBox::QtMessageBox(QWidget *parent)
    : m_parent(parent)
{}

void QtMessageBox::information(const QString &title, const QString &text)
{
    show(QMessageBox::Information, title, text);
}

void QtMessageBox::warning(const QString &title, const QString &text)
{
    show(QMessageBox::Warning, title, text);
}

void QtMessageBox::show(int icon, const QString &title, const QString &text)
{
    QMessageBox box(static_cast<QMessageBox::Icon>(icon), title, text, QMessageBox::Ok, m_parent);
    // The texts are the program's own, but never let a channel name or a file name read as
    // markup.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}
