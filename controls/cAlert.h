#pragma once

#include <QString>

/// A notification: set its Title and Message, then Gmail() shows them in a new popup
/// (frmGmail) that rises at the screen's bottom right corner and closes itself. The popup
/// outlives the cAlert; the cAlert can be dropped as soon as Gmail() returns.
class cAlert {
public:
    /// The text of the popup's title line; empty by default.
    QString Title() const { return m_title; }
    /// Sets the title text, shown unchanged.
    void setTitle(const QString &title) { m_title = title; }
    /// The text of the popup's body; empty by default.
    QString Message() const { return m_message; }
    /// Sets the body text, shown unchanged (callers upper-case it where they want capitals).
    void setMessage(const QString &message) { m_message = message; }

    /// Creates and shows one new, independent popup with the current Title and Message;
    /// returns at once.
    void Gmail() const;

private:
    QString m_title;
    QString m_message;
};
