#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

/// A host's stored layout data for one control: values keyed by property name.
///
/// Names are matched without regard to case, as layout data written by other tools may
/// spell them in lower case.
class PropertyBag {
public:
    /// The value stored under `name`, or `defaultValue` when there is none.
    QByteArray readProperty(const QString &name, const QByteArray &defaultValue = {}) const;
    /// Stores `value` under `name`; a value equal to `defaultValue` is not stored, so reading
    /// it back gives the default.
    void writeProperty(const QString &name, const QByteArray &value,
                       const QByteArray &defaultValue = {});
    /// The stored names, as they were written, in no particular order.
    QStringList names() const;

private:
    // Keyed by the case-folded name; the value keeps the name as it was written.
    QMap<QString, std::pair<QString, QByteArray>> m_values;
};
