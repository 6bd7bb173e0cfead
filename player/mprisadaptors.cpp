#include "mprisadaptors.h"

#include "mediafiles.h"
#include "mpris.h"

#include <QMimeDatabase>

MprisRootAdaptor::MprisRootAdaptor(MprisService& service, QObject* exported)
    : QDBusAbstractAdaptor(exported)
    , m_service(service)
{
}

QString MprisRootAdaptor::identity() const
{
    return QStringLiteral("红外遥控音乐播放器");
}

QString MprisRootAdaptor::desktopEntry() const
{
    // The installed desktop entry is io.tuvela.remoteplayer.desktop.
    return QStringLiteral("io.tuvela.remoteplayer");
}

QStringList MprisRootAdaptor::supportedUriSchemes() const
{
    return { QStringLiteral("file") };
}

// The media types of the file list's media files, as the system's MIME
// database names them, so the list follows the table of file types.
QStringList MprisRootAdaptor::supportedMimeTypes() const
{
    const QMimeDatabase mimes;
    QStringList types;
    for (const FileType& type : kFileTypes) {
        if (type.kind != FileKind::Media)
            continue;
        const QString sample = QStringLiteral("x.") + QLatin1String(type.extension);
        const QMimeType mime = mimes.mimeTypeForFile(sample, QMimeDatabase::MatchExtension);
        if (!mime.isDefault() && !types.contains(mime.name()))
            types << mime.name();
    }
    return types;
}

void MprisRootAdaptor::Raise()
{
    m_service.raise();
}

// The reply goes out before the program ends.
void MprisRootAdaptor::Quit()
{
    QMetaObject::invokeMethod(
        this, [this] { m_service.quit(); }, Qt::QueuedConnection);
}

MprisPlayerAdaptor::MprisPlayerAdaptor(MprisService& service, QObject* exported)
    : QDBusAbstractAdaptor(exported)
    , m_service(service)
{
}
