#include "workbenchwindow.h"

#include "layoutfile.h"
#include "namedwidgets.h"
#include "propertybrowser.h"
#include "propertytable.h"
#include "propertytext.h"
#include "segmentdisplay.h"

#include <QEvent>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

const QString kLayoutFilter = QObject::tr("布局文件 (*.json)");

// A bag that holds nothing but display properties and host entries.
bool looksLikeDisplay(const PropertyBag& bag)
{
    for (const QString& key : bag.keys()) {
        const QByteArray k = key.toLatin1();
        if (!key.startsWith(QLatin1Char('_'))
            && !findDisplayProperty(std::string_view(k.constData(), size_t(k.size()))))
            return false;
    }
    return true;
}

// The console's layout holds its display as "Mo"; another file may name its
// display otherwise. A file without one gets a new "Mo" entry on saving.
QString displayInstance(const LayoutFile& layout)
{
    if (layout.contains(WorkbenchWindow::kInstanceName))
        return WorkbenchWindow::kInstanceName;
    for (const QString& name : layout.controls())
        if (looksLikeDisplay(layout.bag(name)))
            return name;
    return WorkbenchWindow::kInstanceName;
}

} // namespace

WorkbenchWindow::WorkbenchWindow(QWidget* parent)
    : QMainWindow(parent)
    , m_display(new SegmentDisplay)
    , m_layout(std::make_unique<LayoutFile>())
{
    setObjectName(QStringLiteral("frmWorkbench"));
    m_display->setObjectName(kInstanceName);
    m_display->InitProperties();
    m_display->resize(403, 31);
    m_browser = new PropertyBrowser(*m_display, this);
    connect(m_browser, &PropertyBrowser::refused, this, &WorkbenchWindow::report);
    connect(m_display, &SegmentDisplay::propertyChanged, this, &WorkbenchWindow::Display_PropertyChanged);

    auto* stage = named::control(new QScrollArea(this), QStringLiteral("picStage"), tr("显示控件"));
    stage->setWidget(m_display); // keeps its own size: that is what is being designed
    stage->setBackgroundRole(QPalette::Dark);

    auto* left = new QWidget(this);
    auto* column = new QVBoxLayout(left);
    column->addWidget(buildThemeRow());
    column->addWidget(buildSizeRow());
    column->addWidget(stage, 1);

    auto* split = new QSplitter(this);
    split->addWidget(left);
    split->addWidget(m_browser);
    split->setStretchFactor(0, 1);
    split->setSizes({ 620, 480 });
    setCentralWidget(split);
    m_display->installEventFilter(this);
    buildToolBar();
    resize(1100, 700);
    showSize();
    updateTitle();
}

WorkbenchWindow::~WorkbenchWindow() = default;

void WorkbenchWindow::buildToolBar()
{
    QToolBar* bar = addToolBar(tr("文件"));
    bar->setObjectName(QStringLiteral("tbrFile"));
    bar->addAction(tr("打开布局…"), this, &WorkbenchWindow::cmdOpen_Click)->setObjectName("cmdOpen");
    bar->addAction(tr("保存布局"), this, &WorkbenchWindow::cmdSave_Click)->setObjectName("cmdSave");
    bar->addAction(tr("另存为…"), this, &WorkbenchWindow::cmdSaveAs_Click)->setObjectName("cmdSaveAs");
    bar->addAction(tr("导出 PNG…"), this, &WorkbenchWindow::cmdExport_Click)->setObjectName("cmdExport");
}

QWidget* WorkbenchWindow::buildThemeRow()
{
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(tr("主题："), row));
    for (int n = 1; n <= 6; ++n) {
        auto* b = named::button(QStringLiteral("cmdTheme%1").arg(n), tr("主题 %1").arg(n), row);
        connect(b, &QPushButton::clicked, this, [this, n] { cmdTheme_Click(n); });
        layout->addWidget(b);
    }
    layout->addStretch(1);
    return row;
}

QWidget* WorkbenchWindow::buildSizeRow()
{
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* valueLabel = new QLabel(tr("数值："), row);
    m_value = named::control(new QLineEdit(row), QStringLiteral("txtValue"), tr("数值"));
    valueLabel->setBuddy(m_value);
    connect(m_value, &QLineEdit::editingFinished, this, &WorkbenchWindow::txtValue_EditingFinished);
    m_width = named::control(new QSpinBox(row), QStringLiteral("txtWidth"), tr("宽度（像素）"));
    m_height = named::control(new QSpinBox(row), QStringLiteral("txtHeight"), tr("高度（像素）"));
    for (QSpinBox* s : { m_width, m_height })
        s->setRange(1, extent::kMaxPixels);
    auto* apply = named::button(QStringLiteral("cmdApplySize"), tr("改变尺寸"), row);
    connect(apply, &QPushButton::clicked, this, &WorkbenchWindow::cmdApplySize_Click);
    layout->addWidget(valueLabel);
    layout->addWidget(m_value, 1);
    layout->addWidget(new QLabel(tr("宽度："), row));
    layout->addWidget(m_width);
    layout->addWidget(new QLabel(tr("高度："), row));
    layout->addWidget(m_height);
    layout->addWidget(apply);
    return row;
}

bool WorkbenchWindow::openLayout(const QString& path, QString* error)
{
    auto layout = std::make_unique<LayoutFile>();
    QString reason;
    if (!layout->load(path, &reason)) {
        if (error)
            *error = reason;
        return false;
    }
    m_instance = displayInstance(*layout);
    restoreControl(*m_display, layout->bag(m_instance));
    m_display->RepaintAll();
    m_layout = std::move(layout);
    m_file = path;
    m_browser->refresh();
    showSize();
    setWindowModified(false);
    updateTitle();
    return true;
}

bool WorkbenchWindow::saveLayout(const QString& path, QString* error)
{
    m_layout->setBag(m_instance, storeControl(*m_display));
    if (!m_layout->save(path, error))
        return false;
    m_file = path;
    setWindowModified(false);
    updateTitle();
    return true;
}

bool WorkbenchWindow::exportPng(const QString& path, QString* error)
{
    if (surfaceWithinShape(*m_display, 0).save(path, "PNG"))
        return true;
    if (error)
        *error = tr("无法写入图片 %1").arg(path);
    return false;
}

void WorkbenchWindow::runOnFile(const QString& title, const QString& path, FileAction action)
{
    QString error;
    if (!path.isEmpty() && !(this->*action)(path, &error))
        QMessageBox::warning(this, title, error);
}

void WorkbenchWindow::cmdOpen_Click()
{
    const QString title = tr("打开布局");
    runOnFile(title, QFileDialog::getOpenFileName(this, title, m_file, kLayoutFilter),
        &WorkbenchWindow::openLayout);
}

void WorkbenchWindow::cmdSave_Click()
{
    if (m_file.isEmpty()) {
        cmdSaveAs_Click();
        return;
    }
    runOnFile(tr("保存布局"), m_file, &WorkbenchWindow::saveLayout);
}

void WorkbenchWindow::cmdSaveAs_Click()
{
    const QString title = tr("保存布局");
    runOnFile(title, QFileDialog::getSaveFileName(this, title, m_file, kLayoutFilter),
        &WorkbenchWindow::saveLayout);
}

void WorkbenchWindow::cmdExport_Click()
{
    const QString title = tr("导出 PNG");
    runOnFile(title, QFileDialog::getSaveFileName(this, title, {}, tr("PNG 图片 (*.png)")),
        &WorkbenchWindow::exportPng);
}

void WorkbenchWindow::cmdTheme_Click(int theme)
{
    m_display->setTheme(theme);
    m_browser->refresh(); // the notice came before the theme's values
}

// Themes resize the display too: the size fields follow every resize.
bool WorkbenchWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_display && event->type() == QEvent::Resize)
        showSize();
    return QMainWindow::eventFilter(watched, event);
}

void WorkbenchWindow::txtValue_EditingFinished()
{
    if (m_value->text() != m_display->Value())
        m_display->setValue(m_value->text());
}

void WorkbenchWindow::cmdApplySize_Click()
{
    m_display->resize(m_width->value(), m_height->value());
    // The size is stored with the instance, so a new size is a change to save.
    setWindowModified(true);
}

void WorkbenchWindow::Display_PropertyChanged(const QString&)
{
    setWindowModified(true);
    m_browser->refresh();
    m_value->setText(m_display->Value());
    if (!m_display->lastError().isEmpty())
        report(m_display->lastError());
}

void WorkbenchWindow::showSize()
{
    m_width->setValue(m_display->width());
    m_height->setValue(m_display->height());
    m_value->setText(m_display->Value());
}

void WorkbenchWindow::report(const QString& message)
{
    statusBar()->showMessage(message, 8000);
}

void WorkbenchWindow::updateTitle()
{
    const QString file = m_file.isEmpty() ? tr("未命名") : m_file;
    setWindowTitle(tr("段式显示工作台 - %1[*]").arg(file));
}
