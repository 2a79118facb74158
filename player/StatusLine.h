#pragma once

#include <QLocale>
#include <QString>

#include <optional>

/// The status line's text: bitrate, bandwidth and buffering as the user's locale writes
/// numbers, e.g. "128 kbps (16,00 kB/s) - 100%".
namespace StatusLine {

/// The engine's bitrate text as a number of bits per second; empty when the text is not a
/// finite number (an empty text included, which is what streams give before they tell).
std::optional<double> parseBitrate(const QString &text, const QLocale &locale);

/// Bits per second as whole kilobits ("###"): halves away from zero, no grouping, and no
/// digits at all when the figure rounds to zero; empty when the figure is out of range.
std::optional<QString> kilobits(double bitsPerSecond, const QLocale &locale);

/// Bits per second as kilobytes ("###,#0.#0"): grouped, at least one whole digit, exactly
/// two decimals, halves away from zero.
QString kilobytes(qint64 bitsPerSecond, const QLocale &locale);

/// The whole line; empty when the bitrate text is not a usable number, in which case the
/// line keeps its previous text.
std::optional<QString> format(const QString &bitrateText, qint64 bandWidth, int bufferingProgress,
                              const QLocale &locale);

/// Where a file is: "1:23 / 3:45" (hours when it is that long), its length left out while
/// it is not known. A download rate means nothing for a file.
QString filePosition(double seconds, std::optional<double> length);

} // namespace StatusLine
