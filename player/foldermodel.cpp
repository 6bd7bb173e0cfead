#include "foldermodel.h"

#include "mediafiles.h"

#include <QDir>
#include <QFileInfo>

bool FolderModel::open(const QString& path)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isDir())
        return false;
    m_path = QDir::cleanPath(info.absoluteFilePath());
    m_ancestors.clear();
    QDir up(m_path);
    while (up.cdUp())
        m_ancestors.append(up.absolutePath());
    m_subfolders = ListSubfolders(m_path);
    m_listIndex = -1;
    return true;
}

bool FolderModel::setListIndex(int index)
{
    if (index < -ancestorCount() - 1 || index >= count())
        return false;
    m_listIndex = index;
    return true;
}

QString FolderModel::list(int index) const
{
    if (index >= 0 && index < count())
        return JoinPath(m_path, m_subfolders.at(index));
    if (index == -1)
        return m_path;
    const int up = -index - 2;
    if (up >= 0 && up < ancestorCount())
        return m_ancestors.at(up);
    return {};
}
