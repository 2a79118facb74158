#include "HeardSong.h"

QString HeardSong::text() const
{
    return artist.isEmpty() ? title : artist + QLatin1String(" - ") + title;
}
