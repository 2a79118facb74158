#pragma once

#include "WarningBox.h"

class QWidget;

/// Warning message boxes on the desktop (QMessageBox), modal to a parent window.
class QtWarningBox final : public WarningBox {
public:
    /// Boxes belong to `parent`, which must outlive this object.
    explicit QtWarningBox(QWidget *parent = nullptr);

    /// Shows a modal box with the warning icon and one OK button.
    void warning(const QString &title, const QString &text) override;

private:
    QWidget *m_parent;
};
