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

} // namespace

bool XmlPlaylist::isXmlPlaylist(const QString &location)
{
    const QString path = locationToUrl(location).path().toLower();
    return path.endsWith(QLatin1String(".asx")) || path.endsWith(QLatin1String(".wax")) ||
           path.endsWith(QLatin1String(".wvx")) || path.endsWith(QLatin1String(".wpl"));
}

QUrl XmlPlaylist::locationToUrl(const QString &location)
{
    const QUrl url(location, QUrl::TolerantMode);
    // A one-letter scheme is a Windows drive ("C:\..."), not a protocol.
    if (url.scheme().size() > 1)
        return url;
    if (QFileInfo(location).isAbsolute())
        return QUrl::fromLocalFile(location);
    return url;
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

    QStringList entries;
    for (const QString &entry : std::as_const(raw)) {
        const QString resolved = resolveEntry(entry, base);
        if (!resolved.isEmpty())
            entries.append(resolved);
    }
    return entries;
}
