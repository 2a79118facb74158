#include "ItemText.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>

namespace {

// A playlist's name sits in its first lines; a file this large is no playlist to read.
constexpr qint64 kMaxPlaylistBytes = qint64{64} * 1024;

QString playlistName(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix != QLatin1String("m3u") && suffix != QLatin1String("m3u8") &&
        suffix != QLatin1String("pls"))
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QString text = QString::fromUtf8(file.read(kMaxPlaylistBytes));
    // "#EXTINF:<seconds>,<name>" before the entry; "Title1=<name>" in a PLS.
    static const QRegularExpression kName(
        QStringLiteral("^(?:#EXTINF:[^,\\r\\n]*,|Title1=)([^\\r\\n]*)$"),
        QRegularExpression::MultilineOption | QRegularExpression::CaseInsensitiveOption);
    return kName.match(text).captured(1).trimmed();
}

} // namespace

QString itemName(const QString &location)
{
    const QUrl url(location);
    if (url.scheme().size() > 1 && !url.isLocalFile())
        return location;
    const QString path = url.isLocalFile() ? url.toLocalFile() : location;
    const QString named = playlistName(path);
    return named.isEmpty() ? QFileInfo(path).completeBaseName() : named;
}
