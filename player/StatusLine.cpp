#include "StatusLine.h"

#include <algorithm>
#include <cmath>

namespace StatusLine {

namespace {

// Beyond this a whole number of kilobits no longer fits a qint64 exactly; no stream gets
// anywhere near, so such a text is treated like any other unusable one.
constexpr double kMaxKilobits = 9.0e15;

} // namespace

std::optional<double> parseBitrate(const QString &text, const QLocale &locale)
{
    const QString trimmed = text.trimmed();
    bool ok = false;
    // The engine writes its figures the C way; a text in the user's own notation is
    // accepted too.
    double value = QLocale::c().toDouble(trimmed, &ok);
    if (!ok) {
        value = locale.toDouble(trimmed, &ok);
    }
    if (!ok || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::optional<QString> kilobits(double bitsPerSecond, const QLocale &locale)
{
    // std::round takes halves away from zero: 500 bit/s shows as 1, 1500 as 2, 2500 as 3.
    const double whole = std::round(bitsPerSecond / 1000.0);
    if (!(std::abs(whole) < kMaxKilobits)) {
        return std::nullopt;
    }
    if (whole == 0.0) {
        return QString();
    }
    QLocale plain = locale;
    plain.setNumberOptions(plain.numberOptions() | QLocale::OmitGroupSeparator);
    return plain.toString(static_cast<qint64>(whole));
}

QString kilobytes(qint64 bitsPerSecond, const QLocale &locale)
{
    // Rounded to hundredths of a kilobyte (bits / 80) in whole numbers, so that a figure
    // exactly halfway, such as 128,040 bit/s = 16.005 kB/s, goes away from zero; in binary
    // floating point it would be a hair below the half and round down.
    qint64 hundredths = bitsPerSecond / 80;
    const qint64 rest = bitsPerSecond % 80;
    if (2 * (rest < 0 ? -rest : rest) >= 80) {
        hundredths += bitsPerSecond < 0 ? -1 : 1;
    }
    // Now exact to two decimals, so formatting only has to place the separators.
    return locale.toString(static_cast<double>(hundredths) / 100.0, 'f', 2);
}

std::optional<QString> format(const QString &bitrateText, qint64 bandWidth, int bufferingProgress,
                              const QLocale &locale)
{
    const std::optional<double> bitrate = parseBitrate(bitrateText, locale);
    if (!bitrate) {
        return std::nullopt;
    }
    const std::optional<QString> kbps = kilobits(*bitrate, locale);
    if (!kbps) {
        return std::nullopt;
    }
    return *kbps + QStringLiteral(" kbps (") + kilobytes(bandWidth, locale) +
           QStringLiteral(" kB/s) - ") + QString::number(bufferingProgress) + QLatin1Char('%');
}

namespace {

QString clockTime(double seconds)
{
    const auto whole = static_cast<qint64>(std::max(0.0, seconds));
    const qint64 hours = whole / 3600;
    const QString minutesSeconds = QStringLiteral("%1:%2")
                                       .arg(hours > 0 ? (whole / 60) % 60 : whole / 60,
                                            hours > 0 ? 2 : 1, 10, QLatin1Char('0'))
                                       .arg(whole % 60, 2, 10, QLatin1Char('0'));
    return hours > 0 ? QString::number(hours) + QLatin1Char(':') + minutesSeconds : minutesSeconds;
}

} // namespace

QString filePosition(double seconds, std::optional<double> length)
{
    if (!length || *length <= 0)
        return clockTime(seconds);
    return clockTime(seconds) + QLatin1String(" / ") + clockTime(*length);
}

} // namespace StatusLine
