#pragma once

#include <QString>

/// Copying and deleting files, so that tests can make either fail.
class FileOperations {
public:
    /// The outcome of one operation: success, or what went wrong in plain words.
    struct Result {
        bool ok = true; ///< true when the operation did all it should
        QString error;  ///< why it failed, for the user; empty on success

        /// A failure with the reason `error`.
        static Result failure(const QString &error) { return {false, error}; }
        /// True on success.
        explicit operator bool() const { return ok; }
    };

    virtual ~FileOperations() = default;

    /// Copies `source` over `target` so that `target` is either its old self or a complete
    /// copy, never half written: the copy goes to a temporary file beside it first.
    virtual Result copyOver(const QString &source, const QString &target) = 0;
    /// Deletes the file at `path`.
    virtual Result remove(const QString &path) = 0;

protected:
    FileOperations() = default;
    FileOperations(const FileOperations &) = default;
    FileOperations &operator=(const FileOperations &) = default;
};
