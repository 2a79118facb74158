#include "QtFileDialogs.h"

#include <QFileDialog>

QtFileDialogs::QtFileDialogs(QWidget *parent)
    : m_parent(parent)
{}

QStringList QtFileDialogs::nameFilters(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts.at(i + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString &pattern : patterns) {
            pattern = pattern.trimmed().replace(QLatin1Char(' '), QLatin1Char('?'));
        }
        filters.append(parts.at(i) + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
                       QLatin1Char(')'));
    }
    return filters;
}

std::optional<QString> QtFileDialogs::getSaveFileName(const Request &request)
{
    return ask(request, true);
}

std::optional<QString> QtFileDialogs::getOpenFileName(const Request &request)
{
    return ask(request, false);
}

std::optional<QString> QtFileDialogs::ask(const Request &request, bool save)
{
    QFileDialog dialog(m_parent, request.title);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.options.testFlag(Option::FileMustExist) ? QFileDialog::ExistingFile
                                                                       : QFileDialog::AnyFile);
    // The filter entries show their descriptions alone, as they were written; the
    // patterns, with "?" for blanks, would only confuse.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    // A save is asked for a folder; what is written there may not be the name typed, so
    // a question about overwriting that name would ask about the wrong file.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    const QStringList filters = nameFilters(request.filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        dialog.selectNameFilter(filters.value(request.filterIndex - 1, filters.first()));
    }
    if (!request.defaultExtension.isEmpty()) {
        dialog.setDefaultSuffix(request.defaultExtension.mid(
            request.defaultExtension.startsWith(QLatin1Char('.')) ? 1 : 0));
    }
    if (!request.fileName.isEmpty()) {
        dialog.selectFile(request.fileName);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().constFirst();
}
