#pragma once

#include "foldermodel.h"

#include <QComboBox>
#include <QListWidget>
#include <QStringList>

// Light grey background shared by the three lists.
void ApplyListBackground(QWidget* list);

// Drive1: one entry per browsable drive; Drive() is the selected drive's
// mount path. Every change of the selection, by the operator or by the
// program, raises Change.
class DriveListBox : public QComboBox {
    Q_OBJECT
public:
    explicit DriveListBox(QWidget* parent = nullptr);

    void setDrives(const QStringList& drives, int selected);
    QString Drive() const { return currentText(); }
    QString List(int index) const { return itemText(index); }
    int ListCount() const { return count(); }
    int ListIndex() const { return currentIndex(); }
    void setListIndex(int index) { setCurrentIndex(index); }

signals:
    void Change();
};

// Dir1: the open folder with its ancestors above and subfolders below, in
// the index model of FolderModel. A double click or Enter opens the entry.
class DirListBox : public QListWidget {
    Q_OBJECT
public:
    explicit DirListBox(QWidget* parent = nullptr);

    QString Path() const { return m_model.path(); }
    // Opens the folder and raises Change; false when it is not a folder.
    bool setPath(const QString& path);
    int ListCount() const { return m_model.count(); }
    int ListIndex() const { return m_model.listIndex(); }
    // Moves the highlight only; false outside the model.
    bool setListIndex(int index);
    QString List(int index) const { return m_model.list(index); }
    // Reads the open folder again after its content changed, keeping the
    // highlighted entry where it still exists. Raises no Change.
    void refresh();

signals:
    void Change();
    void Click();

private:
    void refill();
    void onRowActivated(int row);

    FolderModel m_model;
};

// File1: the media files of one folder in name order; ListIndex is -1 while
// nothing is selected. A click by the operator raises Click; the program
// raises it through click().
class FileListBox : public QListWidget {
    Q_OBJECT
public:
    explicit FileListBox(QWidget* parent = nullptr);

    QString Path() const { return m_path; }
    // Lists the folder (an unreadable one shows as empty), nothing selected.
    void setPath(const QString& path);
    QString FileName() const;
    int ListCount() const { return count(); }
    int ListIndex() const { return currentRow(); }
    void setListIndex(int index);
    QString List(int index) const;
    // The names listed, in list order.
    const QStringList& names() const { return m_names; }
    void click() { emit Click(); }
    // Lists the folder again after its content changed, keeping the selected
    // file selected while it exists. Raises no Click.
    void refresh();

signals:
    void Click();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void fill(const QStringList& names, int selected);

    QString m_path;
    QStringList m_names; // as listed, to skip refreshes that change nothing
};
