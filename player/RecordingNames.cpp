#include "RecordingNames.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace RecordingNames {

namespace {

bool isRefused(char32_t c)
{
    // Every refused character is ASCII; a character beyond the basic plane fits no QChar.
    return c < 0x20 || c == 0x7f || (c < 0x80 && QStringView(u"/\\:*?\"<>|").contains(QChar(c)));
}

// Cut at code points, so a character outside the basic plane is never split in two.
QString cutToBytes(const QString &text, int maxBytes)
{
    QString out;
    int bytes = 0;
    for (const char32_t c : text.toUcs4()) {
        const int size = c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
        if (bytes + size > maxBytes)
            break;
        bytes += size;
        out += QString::fromUcs4(&c, 1);
    }
    return out;
}

QString trimEnds(QString name)
{
    // Windows drops trailing dots and blanks, and a leading dot hides a file here.
    while (!name.isEmpty() && (name.back() == u'.' || name.back().isSpace()))
        name.chop(1);
    while (!name.isEmpty() && (name.front() == u'.' || name.front().isSpace()))
        name.remove(0, 1);
    return name;
}

} // namespace

QString safeName(const QString &text)
{
    QString name;
    for (const char32_t c : text.toUcs4())
        name += isRefused(c) ? QStringLiteral("_") : QString::fromUcs4(&c, 1);
    name = trimEnds(cutToBytes(trimEnds(name), kMaxNameBytes));
    static const QSet<QString> kDevices = {
        QStringLiteral("CON"),  QStringLiteral("PRN"),  QStringLiteral("AUX"),
        QStringLiteral("NUL"),  QStringLiteral("COM1"), QStringLiteral("COM2"),
        QStringLiteral("COM3"), QStringLiteral("COM4"), QStringLiteral("LPT1"),
        QStringLiteral("LPT2"), QStringLiteral("LPT3")};
    if (kDevices.contains(name.section(u'.', 0, 0).toUpper()))
        name += u'_';
    return name.isEmpty() ? QStringLiteral("_") : name;
}

QString extensionForCodec(const QString &codec)
{
    if (codec == u"mp3")
        return QStringLiteral("mp3");
    if (codec == u"aac")
        return QStringLiteral("aac");
    if (codec == u"vorbis")
        return QStringLiteral("ogg");
    if (codec == u"opus")
        return QStringLiteral("opus");
    return {};
}

QString freePath(const QString &folder, const QString &name, const QString &extension)
{
    const QDir dir(folder);
    QString path = dir.filePath(name + u'.' + extension);
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = dir.filePath(QStringLiteral("%1 (%2).%3").arg(name).arg(n).arg(extension));
    return path;
}

} // namespace RecordingNames
