#pragma once

#include <QFlags>
#include <QString>

#include <optional>

/// The desktop's file dialogs for saving and opening one file.
///
/// Cancelling is a normal outcome, not an error: both calls then return no path, as they
/// do when the dialog could not be shown at all.
class FileDialogs {
public:
    /// Options of a dialog; the values are those of the classic Windows dialogs, so a
    /// combination reads the same as in the old program's forms.
    enum class Option : quint32 {
        HideReadOnly = 0x4,     ///< no "open as read-only" box
        FileMustExist = 0x1000, ///< only an existing file can be chosen
        Explorer = 0x80000,     ///< the desktop's full dialog, not a bare one
        LongNames = 0x200000,   ///< long file names
    };
    Q_DECLARE_FLAGS(Options, Option)

    /// What a dialog shows and allows.
    struct Request {
        QString title;            ///< the dialog's title
        QString fileName;         ///< the file name it starts with
        QString filter;           ///< "description|patterns|…|", patterns separated by ";"
        int filterIndex = 1;      ///< the filter entry selected first, counted from 1
        QString defaultExtension; ///< added to a typed name without extension, e.g. ".ini"
        Options options;          ///< the options above
    };

    virtual ~FileDialogs() = default;

    /// Shows a save dialog; the full path chosen, or nothing when cancelled or failed.
    virtual std::optional<QString> getSaveFileName(const Request &request) = 0;
    /// Shows an open dialog; the full path chosen, or nothing when cancelled or failed.
    virtual std::optional<QString> getOpenFileName(const Request &request) = 0;

protected:
    FileDialogs() = default;
    FileDialogs(const FileDialogs &) = default;
    FileDialogs &operator=(const FileDialogs &) = default;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(FileDialogs::Options)
