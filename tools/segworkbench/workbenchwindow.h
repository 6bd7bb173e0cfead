// The workbench window: a live SegmentDisplay beside its property browser,
// the six theme buttons, the value, the control's size, layout files and
// export to PNG. The title's modified marker follows the display's
// property-changed notices and is cleared by opening and saving.
#pragma once

#include <QMainWindow>

#include <memory>

class PropertyBrowser;
class QLineEdit;
class QSpinBox;
class SegmentDisplay;
class LayoutFile;

class WorkbenchWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit WorkbenchWindow(QWidget* parent = nullptr);
    ~WorkbenchWindow() override;

    // Loads the display instance of a layout file; false with a message
    // naming the file when it cannot be read.
    bool openLayout(const QString& path, QString* error = nullptr);
    // Writes the display into the layout file, keeping any other control's
    // entries the file held when it was opened.
    bool saveLayout(const QString& path, QString* error = nullptr);
    // Writes the control surface, outside the window shape transparent.
    bool exportPng(const QString& path, QString* error = nullptr);

    SegmentDisplay& display() { return *m_display; }
    PropertyBrowser& browser() { return *m_browser; }
    QString currentFile() const { return m_file; }

    // The name the display instance is stored under in a layout file.
    static inline const QString kInstanceName = QStringLiteral("Mo");

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildToolBar();
    QWidget* buildThemeRow();
    QWidget* buildSizeRow();
    using FileAction = bool (WorkbenchWindow::*)(const QString&, QString*);
    // Runs the action on a chosen file (none chosen: nothing) and shows why it failed.
    void runOnFile(const QString& title, const QString& path, FileAction action);
    void cmdOpen_Click();
    void cmdSave_Click();
    void cmdSaveAs_Click();
    void cmdExport_Click();
    void cmdTheme_Click(int theme);
    void txtValue_EditingFinished();
    void cmdApplySize_Click();
    void Display_PropertyChanged(const QString& name);
    void showSize();
    void report(const QString& message);
    void updateTitle();

    SegmentDisplay* m_display;
    PropertyBrowser* m_browser;
    QLineEdit* m_value;
    QSpinBox* m_width;
    QSpinBox* m_height;
    std::unique_ptr<LayoutFile> m_layout;
    QString m_file;
    QString m_instance = kInstanceName;
};
