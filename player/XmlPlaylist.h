#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QUrl>

/// The XML playlists of Windows Media (asx, wax, wvx, wpl), which libmpv cannot read.
namespace XmlPlaylist {

/// True when `location` (URL or path) names an asx, wax, wvx or wpl playlist.
bool isXmlPlaylist(const QString &location);

/// Turns a location as the user gives it (URL or local path) into a URL.
QUrl locationToUrl(const QString &location);

/// The entries of an asx/wax/wvx/wpl document in order, relative ones resolved against
/// `base`; local entries come back as paths, remote ones as URLs. Empty when none found.
QStringList parse(const QByteArray &document, const QUrl &base);

} // namespace XmlPlaylist
