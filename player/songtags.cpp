#include "songtags.h"

#include <QMediaMetaData>
#include <QRegularExpression>

namespace {

QStringList names(const QVariant& value)
{
    QStringList found;
    const QStringList parts
        = value.typeId() == QMetaType::QStringList ? value.toStringList() : QStringList { value.toString() };
    static const QRegularExpression separators(QStringLiteral("\\s*[;/]\\s*"));
    for (const QString& part : parts) {
        for (const QString& name : part.split(separators, Qt::SkipEmptyParts)) {
            if (!name.trimmed().isEmpty() && !found.contains(name.trimmed()))
                found << name.trimmed();
        }
    }
    return found;
}

QImage picture(const QVariant& value)
{
    return value.canConvert<QImage>() ? value.value<QImage>() : QImage();
}

} // namespace

SongTags SongTagsFrom(const QMediaMetaData& data)
{
    SongTags tags;
    tags.title = data.stringValue(QMediaMetaData::Title).trimmed();
    for (QMediaMetaData::Key key :
        { QMediaMetaData::ContributingArtist, QMediaMetaData::AlbumArtist, QMediaMetaData::Author }) {
        tags.artists = names(data.value(key));
        if (!tags.artists.isEmpty())
            break;
    }
    tags.album = data.stringValue(QMediaMetaData::AlbumTitle).trimmed();
    tags.cover = picture(data.value(QMediaMetaData::CoverArtImage));
    if (tags.cover.isNull())
        tags.cover = picture(data.value(QMediaMetaData::ThumbnailImage));
    return tags;
}
