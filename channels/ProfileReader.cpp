#include "ProfileReader.h"

#include "TextDecoding.h"

#include <QFile>

#include <optional>

namespace {

QString fold(QStringView name)
{
    return ProfileReader::trimBlanks(name).toString().toCaseFolded();
}

// Decided line by line, not for the whole file: a list kept for years may have had lines
// added by a newer editor in UTF-8 to a file an old one wrote in Windows-1252.
QString decodeLine(QByteArrayView bytes)
{
    for (const char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return decodeUtf8OrWindows1252(bytes);
        }
    }
    return QString::fromLatin1(bytes);
}

// A line that means something to the reader: a section header or a "name=value" entry.
struct ProfileLine {
    bool isSection = false;
    QStringView name;
    QStringView value;
};

std::optional<ProfileLine> parseLine(QStringView line)
{
    line = ProfileReader::trimBlanks(line);
    if (line.isEmpty() || line.front() == u';') {
        return std::nullopt;
    }
    if (line.front() == u'[') {
        const qsizetype close = line.lastIndexOf(u']');
        if (close > 0) {
            return ProfileLine{true, ProfileReader::trimBlanks(line.sliced(1, close - 1)), {}};
        }
        // Without its "]" the line is no header; like the platform's reader we read on,
        // taking it for an entry if it has an "=".
    }
    const qsizetype equals = line.indexOf(u'=');
    if (equals < 0) {
        return std::nullopt;
    }
    const QStringView name = ProfileReader::trimBlanks(line.first(equals));
    if (name.isEmpty()) {
        return std::nullopt;
    }
    return ProfileLine{false, name, ProfileReader::trimBlanks(line.sliced(equals + 1))};
}

// Calls visit(line) for each header and entry in file order, until visit returns false.
template<typename Visit>
void scan(QByteArrayView bytes, Visit visit)
{
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        if (end < 0) {
            end = bytes.size();
        }
        const QString text = decodeLine(bytes.sliced(start, end - start));
        start = end + 1;
        if (const auto line = parseLine(text); line && !visit(*line)) {
            return;
        }
    }
}

// The old reader's buffer held 255 characters with the terminator, so a longer value reads
// as its first 254; we never split a surrogate pair doing so.
QString finishValue(QStringView value)
{
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
        value.back() == value.front()) {
        value = value.sliced(1, value.size() - 2);
    }
    if (value.size() > ProfileReader::kMaxValueLength) {
        qsizetype length = ProfileReader::kMaxValueLength;
        if (value[length - 1].isHighSurrogate()) {
            --length;
        }
        value = value.first(length);
    }
    return value.toString();
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return file.readAll();
}

} // namespace

ProfileReader ProfileReader::fromBytes(QByteArrayView bytes)
{
    ProfileReader reader;
    // Valid until the next header: only a header inserts into the outer table.
    QHash<QString, QString> *current = nullptr;
    scan(bytes, [&](const ProfileLine &line) {
        if (line.isSection) {
            const QString name = fold(line.name);
            current = reader.m_sections.contains(name) ? nullptr : &reader.m_sections[name];
        } else if (current) {
            const QString key = fold(line.name);
            if (!current->contains(key)) {
                current->insert(key, finishValue(line.value));
            }
        }
        return true;
    });
    return reader;
}

ProfileReader ProfileReader::fromFile(const QString &path)
{
    return fromBytes(readFile(path));
}

QString ProfileReader::find(QByteArrayView bytes, const QString &section, const QString &key)
{
    const QString wantedSection = fold(section);
    const QString wantedKey = fold(key);
    if (wantedSection.isEmpty() || wantedKey.isEmpty()) {
        return {};
    }
    QString result;
    bool inside = false;
    scan(bytes, [&](const ProfileLine &line) {
        if (line.isSection) {
            // Leaving the first section of that name ends the search: a later one with
            // the same name does not count.
            if (inside) {
                return false;
            }
            inside = fold(line.name) == wantedSection;
            return true;
        }
        if (inside && fold(line.name) == wantedKey) {
            result = finishValue(line.value);
            return false;
        }
        return true;
    });
    return result;
}

QString ProfileReader::value(const QString &section, const QString &key) const
{
    const QString wantedSection = fold(section);
    const QString wantedKey = fold(key);
    if (wantedSection.isEmpty() || wantedKey.isEmpty()) {
        return {};
    }
    const auto it = m_sections.constFind(wantedSection);
    return it == m_sections.cend() ? QString() : it->value(wantedKey);
}

QString ReadIniValue(const QString &section, const QString &key, const QString &path)
{
    return ProfileReader::find(readFile(path), section, key);
}
