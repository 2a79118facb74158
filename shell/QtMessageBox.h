#pragma once

#include "MessageBox.h"

class QWidget;

/// Message boxes on the desktop (QMessageBox), centred on a parent window.
class QtMessageBox final : public MessageBox {
public:
    /// Boxes belong to `parent`, which must outlive this object.
    explicit QtMessageBox(QWidget *parent);

    /// Shows a modal information box with an OK button.
    void information(const QString &title, const QString &text) override;
    /// Shows a modal warning box with an OK button.
    void warning(const QString &title, const QString &text) override;

private:
    void show(int icon, const QString &title, const QString &text);

    QWidget *m_parent;
};
