#include "ChannelListWriter.h"

#include "ChannelMenu.h"
#include "ProfileReader.h"
#include "TextDecoding.h"

#include <QFile>
#include <QLocale>
#include <QSaveFile>
#include <QStringDecoder>

#include <algorithm>
#include <array>

namespace {

// One line of the file: its text without and its line end as found.
struct Line {
    QByteArray text;
    QByteArray end;
};

QList<Line> splitLines(QByteArrayView file)
{
    QList<Line> lines;
    qsizetype start = 0;
    while (start < file.size()) {
        qsizetype newline = file.indexOf('\n', start);
        if (newline < 0) {
            lines.append({file.sliced(start).toByteArray(), {}});
            break;
        }
        qsizetype textEnd = newline;
        if (textEnd > start && file.at(textEnd - 1) == '\r') {
            --textEnd;
        }
        lines.append({file.sliced(start, textEnd - start).toByteArray(),
                      file.sliced(textEnd, newline + 1 - textEnd).toByteArray()});
        start = newline + 1;
    }
    return lines;
}

// The section a header line opens (case-folded), or none for any other line; the same
// test the reader makes.
std::optional<QString> headerName(QByteArrayView line)
{
    line = ProfileReader::trimBlanks(line);
    if (!line.startsWith('[')) {
        return std::nullopt;
    }
    const qsizetype close = line.lastIndexOf(']');
    if (close <= 0) {
        return std::nullopt;
    }
    return QString::fromUtf8(ProfileReader::trimBlanks(line.sliced(1, close - 1))).toCaseFolded();
}

// The key of an entry line (case-folded), or none.
std::optional<QString> keyName(QByteArrayView line)
{
    line = ProfileReader::trimBlanks(line);
    if (line.isEmpty() || line.front() == ';' || headerName(line)) {
        return std::nullopt;
    }
    const qsizetype equals = line.indexOf('=');
    if (equals <= 0 || ProfileReader::trimBlanks(line.first(equals)).isEmpty()) {
        return std::nullopt;
    }
    return QString::fromUtf8(ProfileReader::trimBlanks(line.first(equals))).toCaseFolded();
}

bool isAscii(QByteArrayView bytes)
{
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

bool isUtf8(QByteArrayView bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    // decode() is lazy: the text must be made for the decoder to see an error.
    const QString text = utf8.decode(bytes);
    return !utf8.hasError();
}

std::optional<QByteArray> toWindows1252(const QString &text)
{
    // The reverse of the decoder's table: every byte's character, looked up backwards.
    static const QString table = [] {
        QByteArray all(256, '\0');
        for (int byte = 0; byte < 256; ++byte) {
            all[byte] = static_cast<char>(byte);
        }
        return decodeWindows1252(all);
    }();
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const QChar c : text) {
        const qsizetype byte = c.unicode() < 0x80 ? c.unicode() : table.indexOf(c, 0x80);
        // 0x81, 0x8D, 0x8F, 0x90 and 0x9D are no characters in Windows-1252.
        if (byte < 0 || (byte >= 0x80 && byte < 0xA0 && c.unicode() < 0xA0)) {
            return std::nullopt;
        }
        bytes.append(static_cast<char>(byte));
    }
    return bytes;
}

// A value as the reader gives it back: blanks around it and one pair of enclosing quotes
// are read away, so a value that has either is wrapped in double quotes.
QString quoted(const QString &value)
{
    const bool blankEdge = !value.isEmpty() && (value.front().isSpace() || value.back().isSpace());
    const bool quoteEdge = value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
                           value.back() == value.front();
    return blankEdge || quoteEdge ? u'"' + value + u'"' : value;
}

QString cleanName(QString name, const QString &url)
{
    name.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    if (name.trimmed().isEmpty()) {
        name = url;
    }
    if (name.size() > ProfileReader::kMaxValueLength) {
        qsizetype length = ProfileReader::kMaxValueLength;
        if (name.at(length - 1).isHighSurrogate()) {
            --length;
        }
        name.truncate(length);
    }
    return name;
}

// Puts `entry` as key `key` into the first section named `section`: over the line of that
// key, after the section's last entry, or in a new section at the end.
void place(QList<Line> &lines, QLatin1StringView section, const QString &key,
           const QByteArray &entry, const QByteArray &eol)
{
    const QString folded = QString(section).toCaseFolded();
    qsizetype header = -1;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (headerName(lines.at(i).text) == folded) {
            header = i;
            break;
        }
    }
    if (header < 0) {
        if (!lines.isEmpty() && lines.last().end.isEmpty()) {
            lines.last().end = eol;
        }
        lines.append({'[' + QByteArray(section.data(), section.size()) + ']', eol});
        lines.append({entry, eol});
        return;
    }
    qsizetype after = header;
    for (qsizetype i = header + 1; i < lines.size() && !headerName(lines.at(i).text); ++i) {
        const std::optional<QString> name = keyName(lines.at(i).text);
        if (name == key) {
            lines[i].text = entry;
            return;
        }
        if (name) {
            after = i;
        }
    }
    if (lines.at(after).end.isEmpty()) {
        lines[after].end = eol;
    }
    lines.insert(after + 1, {entry, eol});
}

} // namespace

QString ChannelListWriter::Result::message() const
{
    switch (refusal) {
    case Refusal::None:
        return convertedToUtf8
                   ? ChannelListWriter::tr(
                         "Added to My Channels as channel %1; the list is now saved "
                         "as UTF-8, as Windows-1252 cannot hold the new name.")
                         .arg(number)
                   : ChannelListWriter::tr("Added to My Channels as channel %1.").arg(number);
    case Refusal::NoAddress:
        return ChannelListWriter::tr("This channel has no address that the list can hold.");
    case Refusal::TooLong:
        return ChannelListWriter::tr(
                   "The channel's address is longer than %1 characters, more than "
                   "the list can hold.")
            .arg(ProfileReader::kMaxValueLength);
    case Refusal::Full:
        return ChannelListWriter::tr(
                   "My Channels is full: it holds %L1 channels, the most it can list.")
            .arg(ChannelMenu::kMaxEntries);
    case Refusal::Duplicate:
        return ChannelListWriter::tr(
                   "This channel is already in My Channels as channel %1, \"%2\".")
            .arg(number)
            .arg(existingName);
    case Refusal::WriteFailed:
        return ChannelListWriter::tr(
                   "Mine Kanaler.ini could not be saved (%1); the list is unchanged.")
            .arg(detail);
    }
    return {};
}

// The number the new entry takes, or why it cannot be added.
static ChannelListWriter::Result numberFor(QByteArrayView file, const QString &address)
{
    using Refusal = ChannelListWriter::Refusal;
    ChannelListWriter::Result result;
    if (address.isEmpty() || address.contains(QLatin1Char('\n')) ||
        address.contains(QLatin1Char('\r'))) {
        result.refusal = Refusal::NoAddress;
        return result;
    }
    if (address.size() > ProfileReader::kMaxValueLength) {
        result.refusal = Refusal::TooLong;
        return result;
    }

    const ProfileReader list = ProfileReader::fromBytes(file);
    int count = 0;
    while (count < ChannelMenu::kMaxEntries) {
        const QString key = QString::number(count + 1);
        const QString entryName = list.value(ChannelMenu::kNavn, key);
        if (entryName.isEmpty()) {
            break;
        }
        ++count;
        if (list.value(ChannelMenu::kURL, key) == address) {
            result.refusal = Refusal::Duplicate;
            result.number = count;
            result.existingName = entryName;
            return result;
        }
    }
    if (count == ChannelMenu::kMaxEntries) {
        result.refusal = Refusal::Full;
        return result;
    }
    result.number = count + 1;
    return result;
}

ChannelListWriter::Result ChannelListWriter::append(QByteArrayView file, const QString &name,
                                                    const QString &url)
{
    const QString address = url.trimmed();
    Result result = numberFor(file, address);
    if (result.refusal != Refusal::None) {
        return result;
    }

    // A list saved as UTF-8 on Windows often starts with a byte-order mark. The reader reads
    // past it, so the sections are looked for after it; it is written back as it was.
    const QByteArrayView bom = file.startsWith("\xEF\xBB\xBF") ? file.first(3) : QByteArrayView();
    file = file.sliced(bom.size());
    // The line end of the file's first line; a file without one takes the starter list's.
    const qsizetype firstNewline = file.indexOf('\n');
    const QByteArray eol = firstNewline > 0 && file.at(firstNewline - 1) == '\r' ? "\r\n" : "\n";
    QList<Line> lines = splitLines(file);
    const QString key = QString::number(result.number);
    const QString nameValue = quoted(cleanName(name, address));
    const QString urlValue = quoted(address);

    const bool legacy = !isAscii(file) && !isUtf8(file);
    std::optional<QByteArray> nameBytes;
    std::optional<QByteArray> urlBytes;
    if (legacy) {
        nameBytes = toWindows1252(nameValue);
        urlBytes = toWindows1252(urlValue);
        // The reader takes a line for UTF-8 whenever its bytes are valid UTF-8, which a few
        // Windows-1252 texts are ("\xC6\x80" is "Æ€" there and one other letter in UTF-8).
        const auto misread = [](const std::optional<QByteArray> &bytes) {
            return bytes && !isAscii(*bytes) && isUtf8(*bytes);
        };
        if (misread(nameBytes) || misread(urlBytes)) {
            nameBytes.reset();
        }
        if (!nameBytes || !urlBytes) {
            for (Line &line : lines) {
                line.text = decodeUtf8OrWindows1252(line.text).toUtf8();
            }
            result.convertedToUtf8 = true;
        }
    }
    if (!nameBytes || !urlBytes) {
        nameBytes = nameValue.toUtf8();
        urlBytes = urlValue.toUtf8();
    }
    place(lines, ChannelMenu::kNavn, key, key.toLatin1() + '=' + *nameBytes, eol);
    place(lines, ChannelMenu::kURL, key, key.toLatin1() + '=' + *urlBytes, eol);

    QByteArray bytes = bom.toByteArray();
    bytes.reserve(bom.size() + file.size() + nameBytes->size() + urlBytes->size() + 32);
    for (const Line &line : lines) {
        bytes += line.text;
        bytes += line.end;
    }
    result.bytes = std::move(bytes);
    return result;
}

ChannelListWriter::Result ChannelListWriter::appendToFile(const QString &path, const QString &name,
                                                          const QString &url)
{
    QByteArray old;
    QFile in(path);
    if (in.exists()) {
        if (!in.open(QIODevice::ReadOnly)) {
            Result failed;
            failed.refusal = Refusal::WriteFailed;
            failed.detail = in.errorString();
            return failed;
        }
        old = in.readAll();
        in.close();
    }
    Result result = append(old, name, url);
    if (!result) {
        return result;
    }
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(*result.bytes) != result.bytes->size() ||
        !out.commit()) {
        result.refusal = Refusal::WriteFailed;
        result.detail = out.errorString();
        result.bytes.reset();
    }
    return result;
}
