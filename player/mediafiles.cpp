#include "mediafiles.h"

#include <QDir>
#include <QDirIterator>

#include <algorithm>

FileKind KindOfFile(const QString& name)
{
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return FileKind::None;
    const QStringView ext = QStringView(name).mid(dot + 1);
    const auto* type = std::find_if(kFileTypes.begin(), kFileTypes.end(), [&](const FileType& t) {
        return ext.compare(
                   QLatin1StringView(t.extension.data(), qsizetype(t.extension.size())), Qt::CaseInsensitive)
            == 0;
    });
    return type == kFileTypes.end() ? FileKind::None : type->kind;
}

bool NameLess(const QString& a, const QString& b)
{
    const int c = a.compare(b, Qt::CaseInsensitive);
    return c != 0 ? c < 0 : a < b;
}

namespace {

QStringList sorted(QStringList names)
{
    std::sort(names.begin(), names.end(), NameLess);
    return names;
}

} // namespace

QStringList ListMediaFiles(const QString& folder)
{
    QStringList names;
    QDirIterator it(folder, QDir::Files);
    while (it.hasNext()) {
        it.next();
        QString name = it.fileName();
        if (MatchesFilePattern(name))
            names.append(std::move(name));
    }
    return sorted(std::move(names));
}

QStringList ListSubfolders(const QString& folder)
{
    return sorted(QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::NoSort));
}

QString JoinPath(const QString& folder, const QString& name)
{
    if (folder.endsWith(QLatin1Char('/')))
        return folder + name;
    return folder + QLatin1Char('/') + name;
}
