#pragma once

#include <QStringList>

/// One ordered record of what the fakes were asked to do, shared by all of them, so a
/// test can check the order of steps across the engine, the store, the view and the tray.
class CallLog {
public:
    /// Appends one step.
    void add(const QString &entry) { m_entries.append(entry); }
    /// The steps so far, emptying the log.
    QStringList take() { return std::exchange(m_entries, {}); }

private:
    QStringList m_entries;
};
