#pragma once

#include "FileOperations.h"

/// File operations on the local file system.
class LocalFileOperations final : public FileOperations {
public:
    /// Streams `source` into a QSaveFile, which renames its temporary file over `target`
    /// only once everything is written.
    Result copyOver(const QString &source, const QString &target) override;
    /// QFile::remove.
    Result remove(const QString &path) override;
};
