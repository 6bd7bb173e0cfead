#include "songtags.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QMediaMetaData>
#include <QRegularExpression>
#include <QSaveFile>

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

QString CoverArtFile(const QImage& embedded, const QString& mediaPath, const QString& cacheFolder)
{
    if (embedded.isNull())
        return CoverBeside(mediaPath);
    const QImage pixels = embedded.convertToFormat(QImage::Format_ARGB32);
    QCryptographicHash hash(QCryptographicHash::Sha1);
    hash.addData(QByteArray::number(pixels.width()) + 'x' + QByteArray::number(pixels.height()));
    hash.addData(QByteArrayView(pixels.constBits(), pixels.sizeInBytes()));
    const QString path = QDir(cacheFolder).filePath(QString::fromLatin1(hash.result().toHex()) + ".png");
    if (QFileInfo::exists(path))
        return path;
    // Written whole or not at all, so a reader never sees half a picture.
    QSaveFile file(path);
    if (!QDir().mkpath(cacheFolder) || !file.open(QIODevice::WriteOnly) || !pixels.save(&file, "PNG")
        || !file.commit())
        return CoverBeside(mediaPath);
    return path;
}

QString CoverBeside(const QString& mediaPath)
{
    const QFileInfo song(mediaPath);
    QStringList wanted;
    for (const char* name : kCoverFileNames)
        wanted << QLatin1String(name);
    // Name filters match without regard to case.
    const QStringList present = song.dir().entryList(wanted, QDir::Files | QDir::Readable);
    for (const QString& name : wanted) {
        for (const QString& file : present) {
            if (file.compare(name, Qt::CaseInsensitive) == 0)
                return song.dir().filePath(file);
        }
    }
    return {};
}
