#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QCoreApplication>
#include <QString>

#include <optional>

/// Adds a channel to the channel list "Mine Kanaler.ini" without disturbing what the user
/// wrote there.
///
/// The new entry takes the next free number, the first one whose name reads as empty, so
/// that the menu, which stops at the first gap, lists it. Its name and address replace the
/// blank lines of that number where the sections have them and otherwise follow the last
/// entry of each section; a missing section is added at the end. Every other byte of the
/// file stays as it was: comments, blank lines, quoting, the line ends (CRLF stays CRLF)
/// and the encoding. A Windows-1252 list stays Windows-1252 when the new text fits (and
/// does not happen to form valid UTF-8, which the reader would take it for); when it does
/// not, the whole list becomes UTF-8, every line converted as the reader reads it, because
/// one file in two encodings shows garbage in any editor. A list in plain ASCII takes new
/// non-ASCII text as UTF-8.
class ChannelListWriter {
    Q_DECLARE_TR_FUNCTIONS(ChannelListWriter)

public:
    /// Why an entry was not added.
    enum class Refusal {
        None,        ///< added
        NoAddress,   ///< the address is empty or holds a line break
        TooLong,     ///< the address is longer than a list value can be read back
        Full,        ///< the list already holds the most entries the menu can list
        Duplicate,   ///< an entry with the same address is in the list
        WriteFailed, ///< the file could not be read or written; it is unchanged
    };

    /// The outcome of an append.
    struct Result {
        Refusal refusal = Refusal::None; ///< None when the entry was added
        int number = 0;                  ///< the new entry's number, or the duplicate's
        QString existingName;            ///< the duplicate's name, for the message
        QString detail;                  ///< the file error after WriteFailed
        std::optional<QByteArray> bytes; ///< the new file, when added
        bool convertedToUtf8 = false;    ///< the Windows-1252 list had to become UTF-8

        /// True when the entry was added.
        explicit operator bool() const { return refusal == Refusal::None; }
        /// What happened, in a sentence for the user.
        QString message() const;
    };

    /// The list `file` with the channel `name` at `url` added; `name` falls back to the
    /// address when it is blank. Pure: touches no file.
    static Result append(QByteArrayView file, const QString &name, const QString &url);
    /// Adds the channel to the list at `path` (a missing list is made), writing a temporary
    /// file beside it and renaming it over the list, so the list is never half written.
    static Result appendToFile(const QString &path, const QString &name, const QString &url);
};
