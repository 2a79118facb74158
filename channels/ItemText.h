#pragma once

#include <QString>

/// The name an opened or dropped item goes by until it names itself: a playlist's own name
/// for its first entry (M3U "#EXTINF", PLS "Title1"), otherwise the file's name without its
/// extension; a link as it was given.
QString itemName(const QString &location);
