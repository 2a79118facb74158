#pragma once

#include <QStringList>

// The file dialogs' filter text, shared by the dialog wrapper (which builds and reads it) and
// the backends (which show it), so that both number the filters alike.
namespace CommonDialogFilter {

/// The caller's "description|pattern|..." text as the dialog takes it: each bar and each colon
/// ends a part with a NUL, and a second NUL ends the list.
QString toDialogFilter(const QString &filter);

/// The description-and-pattern pairs of a dialog filter in order, each "description\0pattern".
QStringList pairs(const QString &dialogFilter);

} // namespace CommonDialogFilter
