#pragma once

#include <QString>

/// Modal message boxes, so the commands that show one can run in tests without a desktop.
class MessageBox {
public:
    virtual ~MessageBox() = default;

    /// Shows `text` under `title` with the information icon and one OK button; returns when
    /// the user has closed it.
    virtual void information(const QString &title, const QString &text) = 0;
    /// Shows `text` under `title` with the warning icon and one OK button; returns when the
    /// user has closed it.
    virtual void warning(const QString &title, const QString &text) = 0;

protected:
    MessageBox() = default;
    MessageBox(const MessageBox &) = default;
    MessageBox &operator=(const MessageBox &) = default;
};
