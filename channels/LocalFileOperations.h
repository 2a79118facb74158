#pragma once

#include "FileOperations.h"

#include <QCoreApplication>

/// File operations on the local file system.
class LocalFileOperations final : public FileOperations {
    Q_DECLARE_TR_FUNCTIONS(LocalFileOperations)

public:
    /// Streams `source` into a QSaveFile, which renames its temporary file over `target`
    /// only once everything is written.
    Result copyOver(const QString &source, const QString &target) override;
    /// QFile::remove.
    Result remove(const QString &path) override;
};
