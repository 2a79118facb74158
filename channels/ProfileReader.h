#pragma once

#include <QByteArrayView>
#include <QHash>
#include <QString>

/// A profile (INI) file read once into sections of keys and values, with the reading rules
/// old Windows lists were written for.
///
/// Section and key names match without regard to case and to blanks around them; a value
/// loses the blanks around it and one pair of enclosing single or double quotes, and is cut
/// to kMaxValueLength characters; anything missing reads as empty text. Of a section that
/// appears twice only the first counts, and of a key that appears twice in it the first.
/// Lines that are neither a section header nor "name=value" (comments starting with ";",
/// stray text, a header without "]") are passed over. Each line is UTF-8 where its bytes
/// are valid UTF-8 and Windows-1252 otherwise; LF and CRLF both end a line.
class ProfileReader {
public:
    /// The longest value a read returns; the rest of a longer value is cut off.
    static constexpr qsizetype kMaxValueLength = 254;

    /// An empty profile: every read is empty.
    ProfileReader() = default;

    /// Parses the bytes of a profile file.
    static ProfileReader fromBytes(QByteArrayView bytes);
    /// Reads and parses the file at `path`; a missing or unreadable file reads as empty.
    static ProfileReader fromFile(const QString &path);
    /// The value of `key` in `section` of `bytes`, scanning only as far as needed; the
    /// same answer as fromBytes(bytes).value(section, key).
    static QString find(QByteArrayView bytes, const QString &section, const QString &key);

    /// The value of `key` in `section`; empty when either is missing.
    QString value(const QString &section, const QString &key) const;

    /// `text` (a QStringView or QByteArrayView) without the blanks around it: white space,
    /// and the Ctrl+Z that old DOS editors left at the end of a file.
    template<class View>
    static View trimBlanks(View text)
    {
        const auto blank = [](auto c) {
            const char16_t code = QChar(c).unicode();
            return code == u' ' || (code >= u'\t' && code <= u'\r') || code == 0x1A;
        };
        while (!text.isEmpty() && blank(text.front())) {
            text = text.sliced(1);
        }
        while (!text.isEmpty() && blank(text.back())) {
            text.chop(1);
        }
        return text;
    }

private:
    // Keyed by case-folded, trimmed names.
    QHash<QString, QHash<QString, QString>> m_sections;
};

/// The value of `key` in `section` of the profile file at `path`, read from the file anew
/// at every call; empty when the file, the section or the key is missing.
QString ReadIniValue(const QString &section, const QString &key, const QString &path);
