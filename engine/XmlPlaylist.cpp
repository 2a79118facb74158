#include "XmlPlaylist.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QXmlStreamReader>

namespace {

QString resolveEntry(QString entry, const QUrl &base)
{
    entry = entry.trimmed();
    if (entry.isEmpty())
        return {};
    QUrl url = XmlPlaylist::locationToUrl(entry);
    if (url.isRelative()) {
        // Windows Media Player writes relative paths with backslashes ("..\Music\a.mp3").
        entry.replace(QLatin1Char('\\'), QLatin1Char('/'));
        url = base.resolved(QUrl(entry, QUrl::TolerantMode));
    }
    return url.isLocalFile() ? url.toLocalFile() : url.toString();
}

// ASX in the wild is often not well-formed XML (bare "&" in URLs, upper-case tags), so a
// lenient scan for href/src attributes backs up the XML reader.
QStringList scanAttributes(const QByteArray &document)
{
    static const QRegularExpression kAttribute(
        QStringLiteral(
            R"(<\s*(?:ref|entryref|media)\b[^>]*?\b(?:href|src)\s*=\s*["']([^"']+)["'])"),
        QRegularExpression::CaseInsensitiveOption);
    QStringList entries;
    auto it = kAttribute.globalMatch(QString::fromUtf8(document));
    while (it.hasNext()) {
        QString value = it.next().captured(1);
        value.replace(QStringLiteral("&amp;"), QStringLiteral("&"), Qt::CaseInsensitive);
        entries.append(value);
    }
    return entries;
}

bool isStreamUrl(const QUrl &url)
{
    static const QStringList kStreamSchemes = {
        QStringLiteral("http"),  QStringLiteral("https"), QStringLiteral("mms"),
        QStringLiteral("mmsh"),  QStringLiteral("mmst"),  QStringLiteral("rtsp"),
        QStringLiteral("rtsps"), QStringLiteral("rtmp"),  QStringLiteral("rtmps"),
    };
    return kStreamSchemes.contains(url.scheme(), Qt::CaseInsensitive);
}

} // namespace

bool XmlPlaylist::isXmlPlaylist(const QString &location)
{
    const QString path = locationToUrl(location).path().toLower();
    return path.endsWith(QLatin1String(".asx")) || path.endsWith(QLatin1String(".wax")) ||
           path.endsWith(QLatin1String(".wvx")) || path.endsWith(QLatin1String(".wpl"));
}

QUrl XmlPlaylist::locationToUrl(const QString &location)
{
    QUrl url(location, QUrl::TolerantMode);
    // A one-letter scheme is a Windows drive ("C:\..."), not a protocol.
    if (url.scheme().size() > 1)
        return url;
    if (QFileInfo(location).isAbsolute())
        return QUrl::fromLocalFile(location);
    return url;
}

bool XmlPlaylist::isPlayableLocation(const QString &location)
{
    const QString trimmed = location.trimmed();
    if (trimmed.isEmpty())
        return false;
    const QUrl url = locationToUrl(trimmed);
    // A one-letter scheme is a Windows drive letter: a path, if one that is not here.
    return isStreamUrl(url) || url.isLocalFile() || url.scheme().size() <= 1;
}

QStringList XmlPlaylist::parse(const QByteArray &document, const QUrl &base)
{
    QStringList raw;
    QXmlStreamReader xml(document);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QString name = xml.name().toString().toLower();
        const char *attribute = nullptr;
        if (name == QLatin1String("ref") || name == QLatin1String("entryref"))
            attribute = "href";
        else if (name == QLatin1String("media"))
            attribute = "src";
        if (!attribute)
            continue;
        for (const QXmlStreamAttribute &a : xml.attributes()) {
            if (a.name().toString().compare(QLatin1String(attribute), Qt::CaseInsensitive) == 0)
                raw.append(a.value().toString());
        }
    }
    if (xml.hasError())
        raw = scanAttributes(document);

    // A playlist from the network may point at other streams, never at the user's files.
    const bool remote = !base.isLocalFile() && !base.isRelative();
    QStringList entries;
    for (const QString &entry : std::as_const(raw)) {
        const QString resolved = resolveEntry(entry, base);
        if (remote ? isStreamUrl(locationToUrl(resolved)) : isPlayableLocation(resolved))
            entries.append(resolved);
    }
    return entries;
}
