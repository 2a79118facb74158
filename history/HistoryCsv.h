#pragma once

#include "HistoryDatabase.h"

#include <QByteArray>
#include <QString>

/// The history as CSV (RFC 4180): UTF-8, a header row, CRLF line ends, fields quoted where
/// they hold a comma, a quote or a line break.
namespace HistoryCsv {

/// The header row.
QByteArray header();
/// One song's row: start, end, artist, title, channel, address, starred (1 or 0); times in
/// ISO 8601 with the local offset.
QByteArray row(const HeardSong &song);
/// Writes the songs of `view`, newest first, to the file `path` (whole or not at all);
/// an error text, or empty on success.
QString save(const QString &path, const HistoryDatabase &history,
             const HistoryDatabase::View &view);

} // namespace HistoryCsv
