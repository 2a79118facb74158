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

/// True when `location` is something a radio may play: a local file, or a URL of one of
/// the streaming protocols (http, https, mms, rtsp, rtmp and their variants). The engine's
/// special protocols (filters, file descriptors, edit lists...) are never allowed.
bool isPlayableLocation(const QString &location);

/// The entries of an asx/wax/wvx/wpl document in order, relative ones resolved against
/// `base`; local entries come back as paths, remote ones as URLs. Entries that are not
/// playable locations are left out, and so are local files named by a remote playlist.
/// Empty when none found.
QStringList parse(const QByteArray &document, const QUrl &base);

} // namespace XmlPlaylist
