#include "listboxes.h"

#include "mediafiles.h"

#include <QDir>
#include <QSignalBlocker>

void ApplyListBackground(QWidget* list)
{
    QPalette pal = list->palette();
    pal.setColor(QPalette::Base, QColor(224, 224, 224));
    pal.setColor(QPalette::Button, QColor(224, 224, 224));
    list->setPalette(pal);
    list->setAutoFillBackground(true);
}

DriveListBox::DriveListBox(QWidget* parent)
    : QComboBox(parent)
{
    ApplyListBackground(this);
    connect(this, &QComboBox::currentIndexChanged, this, &DriveListBox::Change);
}

void DriveListBox::setDrives(const QStringList& drives, int selected)
{
    const QSignalBlocker quiet(this);
    clear();
    addItems(drives);
    setCurrentIndex(selected);
}

DirListBox::DirListBox(QWidget* parent)
    : QListWidget(parent)
{
    ApplyListBackground(this);
    connect(this, &QListWidget::itemActivated, this,
        [this](QListWidgetItem* item) { onRowActivated(row(item)); });
    connect(this, &QListWidget::itemClicked, this, [this] { emit Click(); });
    connect(this, &QListWidget::currentRowChanged, this, [this](int r) {
        if (r >= 0)
            m_model.setListIndex(m_model.indexOfRow(r));
    });
}

bool DirListBox::setPath(const QString& path)
{
    if (!m_model.open(path))
        return false;
    refill();
    emit Change();
    return true;
}

bool DirListBox::setListIndex(int index)
{
    if (!m_model.setListIndex(index))
        return false;
    const QSignalBlocker quiet(this);
    setCurrentRow(m_model.rowOf(index));
    return true;
}

void DirListBox::refresh()
{
    const QString highlighted = m_model.list(m_model.listIndex());
    if (!m_model.open(m_model.path()))
        return;
    refill();
    for (int i = 0; i < m_model.count(); ++i) {
        if (m_model.list(i) == highlighted)
            setListIndex(i);
    }
}

void DirListBox::refill()
{
    const QSignalBlocker quiet(this);
    clear();
    // Ancestors root first, each level indented one step further.
    const int depth = m_model.ancestorCount();
    for (int i = -depth - 1; i < m_model.count(); ++i) {
        const QString full = m_model.list(i);
        QString name = QDir(full).dirName();
        if (name.isEmpty())
            name = full;
        const int level = i < 0 ? depth + 1 + i : depth + 1;
        auto* item = new QListWidgetItem(QString(level * 2, QLatin1Char(' ')) + name, this);
        item->setToolTip(full);
    }
    setCurrentRow(m_model.rowOf(-1));
}

void DirListBox::onRowActivated(int row)
{
    const QString target = m_model.list(m_model.indexOfRow(row));
    if (!target.isEmpty())
        setPath(target);
}

FileListBox::FileListBox(QWidget* parent)
    : QListWidget(parent)
{
    ApplyListBackground(this);
    // A folder may hold thousands of songs; equal rows keep filling cheap.
    setUniformItemSizes(true);
    connect(this, &QListWidget::itemClicked, this, [this] { emit Click(); });
}

void FileListBox::keyPressEvent(QKeyEvent* event)
{
    // Moving the selection with the keyboard chooses the file, like a click.
    const int before = currentRow();
    QListWidget::keyPressEvent(event);
    if (currentRow() != before && currentRow() >= 0)
        emit Click();
}

void FileListBox::setPath(const QString& path)
{
    m_path = path;
    fill(ListMediaFiles(path), -1);
}

void FileListBox::refresh()
{
    const QStringList names = ListMediaFiles(m_path);
    if (names == m_names)
        return;
    fill(names, int(names.indexOf(FileName())));
}

void FileListBox::fill(const QStringList& names, int selected)
{
    m_names = names;
    const QSignalBlocker quiet(this);
    setUpdatesEnabled(false);
    clear();
    addItems(names);
    setCurrentRow(selected);
    setUpdatesEnabled(true);
}

QString FileListBox::FileName() const
{
    const int r = currentRow();
    return r < 0 ? QString() : item(r)->text();
}

void FileListBox::setListIndex(int index)
{
    if (index < -1 || index >= count())
        return;
    const QSignalBlocker quiet(this);
    setCurrentRow(index);
}

QString FileListBox::List(int index) const
{
    const QListWidgetItem* it = item(index);
    return it ? it->text() : QString();
}
