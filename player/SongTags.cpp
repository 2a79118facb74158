#include "SongTags.h"

#include <QFileInfo>

#include <taglib/fileref.h>
#include <taglib/tpropertymap.h>

namespace SongTags {

namespace {

TagLib::String toTag(const QString &text)
{
    return {text.toUtf8().constData(), TagLib::String::UTF8};
}

} // namespace

bool write(const QString &path, const Tags &tags)
{
    // Raw AAC (ADTS) has no place for tags, and TagLib does not open it.
    if (QFileInfo(path).suffix().compare(QLatin1String("aac"), Qt::CaseInsensitive) == 0)
        return QFileInfo(path).isFile();
    TagLib::FileRef file(QFile::encodeName(path).constData());
    if (file.isNull())
        return false;
    // The property map reaches each format's own frames: the full date goes to ID3v2's
    // TDRC and Vorbis' DATE, where the plain tag interface keeps only the year.
    TagLib::PropertyMap properties = file.file()->properties();
    const auto set = [&properties](const char *key, const QString &value) {
        if (value.isEmpty())
            properties.erase(key);
        else
            properties.replace(key, TagLib::StringList(toTag(value)));
    };
    set("ARTIST", tags.artist);
    set("TITLE", tags.title);
    set("ALBUM", tags.album);
    set("DATE", tags.date.isValid() ? tags.date.toString(Qt::ISODate) : QString());
    file.file()->setProperties(properties);
    return file.save();
}

} // namespace SongTags
