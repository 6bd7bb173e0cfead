#pragma once

#include <QString>
#include <QStringList>

// The folder list's index model: the open folder is entry -1, its ancestors
// are -2, -3, ... up to the root, its subfolders are 0 .. count - 1. The
// highlight (listIndex) starts on the open folder and moving it opens
// nothing.
class FolderModel {
public:
    // Opens an existing folder (an unreadable one shows no subfolders);
    // false, with nothing changed, when it is not a folder.
    bool open(const QString& path);

    const QString& path() const { return m_path; }
    int count() const { return int(m_subfolders.size()); }
    int ancestorCount() const { return int(m_ancestors.size()); }
    int listIndex() const { return m_listIndex; }
    // False, with the highlight unchanged, outside -ancestorCount()-1 .. count()-1.
    bool setListIndex(int index);
    // The full path of entry index; "" outside the model.
    QString list(int index) const;

    // The row of an entry in a top-to-bottom view (root first) and back.
    int rowOf(int index) const { return index + ancestorCount() + 1; }
    int indexOfRow(int row) const { return row - ancestorCount() - 1; }
    int rowCount() const { return ancestorCount() + 1 + count(); }

private:
    QString m_path;
    QStringList m_ancestors; // nearest first: list(-2), list(-3), ...
    QStringList m_subfolders; // names
    int m_listIndex = -1;
};
