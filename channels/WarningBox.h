#pragma once

#include <QString>

/// A modal message box that tells the user something went wrong.
class WarningBox {
public:
    virtual ~WarningBox() = default;

    /// Shows `text` under `title` with one OK button; returns when the user has closed it.
    virtual void warning(const QString &title, const QString &text) = 0;

protected:
    WarningBox() = default;
    WarningBox(const WarningBox &) = default;
    WarningBox &operator=(const WarningBox &) = default;
};
