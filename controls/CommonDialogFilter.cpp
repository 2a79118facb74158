#include "CommonDialogFilter.h"

namespace CommonDialogFilter {

QString toDialogFilter(const QString &filter)
{
    // A colon splits like a bar, so "Text: *.txt" is a description and a pattern, and a colon
    // inside a description ("Drive C:") splits it too.
    QString converted;
    converted.reserve(filter.size() + 2);
    for (const QChar c : filter) {
        converted += (c == u'|' || c == u':') ? QChar(u'\0') : c;
    }
    converted += QChar(u'\0');
    converted += QChar(u'\0');
    return converted;
}

QStringList pairs(const QString &dialogFilter)
{
    // Each pair runs from the current position to the second NUL at or after it, the NUL
    // between description and pattern kept; whatever lacks a second NUL is no pair.
    QStringList result;
    qsizetype start = 0;
    while (start < dialogFilter.size()) {
        const qsizetype firstNul = dialogFilter.indexOf(QChar(u'\0'), start);
        const qsizetype secondNul =
            firstNul < 0 ? -1 : dialogFilter.indexOf(QChar(u'\0'), firstNul + 1);
        if (secondNul < 0) {
            break;
        }
        result.append(dialogFilter.mid(start, secondNul - start));
        start = secondNul + 1;
    }
    return result;
}

} // namespace CommonDialogFilter
