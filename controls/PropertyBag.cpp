#include "PropertyBag.h"

QByteArray PropertyBag::readProperty(const QString &name, const QByteArray &defaultValue) const
{
    const auto it = m_values.constFind(name.toCaseFolded());
    return it == m_values.cend() ? defaultValue : it->second;
}

void PropertyBag::writeProperty(const QString &name, const QByteArray &value,
                                const QByteArray &defaultValue)
{
    if (value == defaultValue) {
        m_values.remove(name.toCaseFolded());
        return;
    }
    m_values.insert(name.toCaseFolded(), {name, value});
}

QStringList PropertyBag::names() const
{
    QStringList names;
    for (const auto &[name, value] : m_values) {
        names.append(name);
    }
    return names;
}
