#include "mediafiles.h"

#include <QDir>
#include <QDirIterator>

#include <algorithm>

bool MatchesFilePattern(const QString &name)
{
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return false;
    const QStringView ext = QStringView(name).mid(dot + 1);
    return std::any_of(kFilePatterns.begin(), kFilePatterns.end(), [&](std::string_view p) {
        const auto pext = QLatin1StringView(p.data() + 2, qsizetype(p.size() - 2));
        return ext.compare(pext, Qt::CaseInsensitive) == 0;
    });
}

bool NameLess(const QString &a, const QString &b)
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

QStringList ListMediaFiles(const QString &folder)
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

QStringList ListSubfolders(const QString &folder)
{
    return sorted(QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::NoSort));
}

QString JoinPath(const QString &folder, const QString &name)
{
    if (folder.endsWith(QLatin1Char('/')))
        return folder + name;
    return folder + QLatin1Char('/') + name;
}
