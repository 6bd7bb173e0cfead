#include "coverart.h"

#include "embeddedcover.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

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

QString CoverFor(const QString& mediaPath, const QImage& told)
{
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) + u'/'
        + QCoreApplication::applicationName() + QStringLiteral("/covers");
    // The media engine does not always hand over the embedded picture.
    return CoverArtFile(told.isNull() ? EmbeddedCover(mediaPath) : told, mediaPath, cache);
}
