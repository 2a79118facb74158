#pragma once

#include "FileDialogs.h"

#include <QStringList>

class QWidget;

/// The file dialogs on the desktop (QFileDialog), modal to a parent window.
class QtFileDialogs final : public FileDialogs {
public:
    /// Dialogs belong to `parent`, which must outlive this object.
    explicit QtFileDialogs(QWidget *parent = nullptr);

    /// Qt's name filters for a filter in "description|patterns|…" form, patterns separated
    /// by ";". A blank inside a pattern becomes "?", since Qt splits patterns at blanks.
    static QStringList nameFilters(const QString &filter);

    std::optional<QString> getSaveFileName(const Request &request) override;
    std::optional<QString> getOpenFileName(const Request &request) override;

private:
    std::optional<QString> ask(const Request &request, bool save);

    QWidget *m_parent;
};
