#include "NowPlaying.h"

NowPlaying nowPlayingFromTags(const QHash<QString, QString> &tags)
{
    static const QString kSeparator = QStringLiteral(" - ");
    const QString artist = tags.value(QStringLiteral("artist")).trimmed();
    const QString title = tags.value(QStringLiteral("title")).trimmed();
    const QString icyTitle = tags.value(QStringLiteral("icy-title")).trimmed();
    const QString station = tags.value(QStringLiteral("icy-name")).trimmed();

    if (!title.isEmpty())
        return {artist, title, station};
    if (!icyTitle.isEmpty()) {
        const qsizetype split = icyTitle.indexOf(kSeparator);
        if (artist.isEmpty() && split > 0)
            return {icyTitle.left(split).trimmed(),
                    icyTitle.mid(split + kSeparator.size()).trimmed(), station};
        return {artist, icyTitle, station};
    }
    return {artist, QString(), station};
}
