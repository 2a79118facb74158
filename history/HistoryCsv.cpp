#include "HistoryCsv.h"

#include <QSaveFile>

namespace HistoryCsv {

namespace {

// How many songs are read from the database at a time while writing.
constexpr int kExportPage = 1000;

QByteArray field(const QString &text)
{
    QByteArray bytes = text.toUtf8();
    if (bytes.contains(',') || bytes.contains('"') || bytes.contains('\n') ||
        bytes.contains('\r')) {
        bytes.replace('"', "\"\"");
        bytes = '"' + bytes + '"';
    }
    return bytes;
}

// A text from a stream that a spreadsheet would take for a formula ("=HYPERLINK(...)") is
// kept as text: a leading apostrophe, as spreadsheets themselves write it.
QString text(const QString &stream)
{
    static constexpr QStringView kFormulaStarts = u"=+-@\t\r";
    if (!stream.isEmpty() && kFormulaStarts.contains(stream.front()))
        return u'\'' + stream;
    return stream;
}

QString isoTime(const QDateTime &time)
{
    if (!time.isValid())
        return {};
    return time.toOffsetFromUtc(time.offsetFromUtc()).toString(Qt::ISODate);
}

QByteArray line(const QStringList &fields)
{
    QByteArrayList encoded;
    for (const QString &text : fields)
        encoded.append(field(text));
    return encoded.join(',') + "\r\n";
}

} // namespace

QByteArray header()
{
    return line({QStringLiteral("Started"), QStringLiteral("Ended"), QStringLiteral("Artist"),
                 QStringLiteral("Title"), QStringLiteral("Channel"), QStringLiteral("Address"),
                 QStringLiteral("Starred")});
}

QByteArray row(const HeardSong &song)
{
    return line({isoTime(song.started), isoTime(song.ended), text(song.artist), text(song.title),
                 text(song.channel), song.url,
                 song.starred ? QStringLiteral("1") : QStringLiteral("0")});
}

QString save(const QString &path, const HistoryDatabase &history, const HistoryDatabase::View &view)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    file.write(header());
    std::optional<HeardSong> last;
    for (;;) {
        const QList<HeardSong> songs = history.page(view, last, kExportPage);
        for (const HeardSong &song : songs)
            file.write(row(song));
        if (songs.size() < kExportPage)
            break;
        last = songs.last();
    }
    if (!file.commit())
        return file.errorString();
    return {};
}

} // namespace HistoryCsv
