// The workbench offscreen: edits through the property browser reach the
// display and the modified marker; saving and reopening gives the same
// instance back.
#include "colouredit.h"
#include "layoutfile.h"
#include "propertybrowser.h"
#include "segmentdisplay.h"
#include "workbenchwindow.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class Workbench : public ::testing::Test {
protected:
    void SetUp() override
    {
        window.show();
        ASSERT_TRUE(dir.isValid());
    }
    template <typename T> T* editor(const char* name)
    {
        auto* e = qobject_cast<T*>(window.browser().editorOf(name));
        EXPECT_NE(e, nullptr) << name;
        return e;
    }
    QImage surface() { return window.display().surfaceImage().copy(); }

    WorkbenchWindow window;
    QTemporaryDir dir;
};

TEST_F(Workbench, BrowserListsEveryPropertyWithItsDocumentation)
{
    PropertyBrowser& b = window.browser();
    ASSERT_EQ(b.rowCount(), 41);
    EXPECT_EQ(b.item(0, 0)->text(), "BackAngle");
    EXPECT_EQ(b.item(40, 0)->text(), "YOffsetExp");
    EXPECT_EQ(b.editorOf("Theme")->toolTip(), "One of several predefined display styles.");
    EXPECT_EQ(b.editorOf("Value")->accessibleDescription(), "The value to be shown in the digital display.");
    EXPECT_NE(qobject_cast<ColourEdit*>(b.editorOf("BorderColor")), nullptr);
    EXPECT_NE(qobject_cast<QCheckBox*>(b.editorOf("ShowBurnIn")), nullptr);
}

TEST_F(Workbench, EditingAPropertyChangesTheDisplayAndMarksTheWindow)
{
    EXPECT_FALSE(window.isWindowModified());
    const QImage before = surface();
    editor<QSpinBox>("SegmentHeight")->setValue(12);
    EXPECT_EQ(window.display().SegmentHeight(), 12);
    EXPECT_TRUE(window.isWindowModified());
    EXPECT_NE(surface(), before);

    ColourEdit* colour = editor<ColourEdit>("SegmentLitColor");
    colour->textField()->setText("0x80000012");
    emit colour->textField()->editingFinished();
    EXPECT_EQ(window.display().SegmentLitColor(), 0x80000012u);

    editor<QCheckBox>("ShowBurnIn")->click();
    EXPECT_FALSE(window.display().ShowBurnIn());

    auto* value = window.findChild<QLineEdit*>("txtValue");
    value->setText("-42.5");
    emit value->editingFinished();
    EXPECT_EQ(window.display().Value(), "-42.5");
    EXPECT_EQ(editor<QLineEdit>("Value")->text(), "-42.5");
}

TEST_F(Workbench, LeavingAFieldUnchangedMarksNothing)
{
    emit editor<ColourEdit>("BorderColor")->textField()->editingFinished();
    emit editor<QLineEdit>("Value")->editingFinished();
    emit window.findChild<QLineEdit*>("txtValue")->editingFinished();
    EXPECT_FALSE(window.isWindowModified());
}

TEST_F(Workbench, ThemeButtonResizesAndTheBrowserFollows)
{
    window.findChild<QPushButton*>("cmdTheme3")->click();
    EXPECT_EQ(window.display().size(), QSize(435, 38));
    EXPECT_EQ(editor<QSpinBox>("SegmentStyle")->value(), 1);
    EXPECT_EQ(window.findChild<QSpinBox*>("txtWidth")->value(), 435);
    editor<QSpinBox>("Theme")->setValue(6); // through the browser as well
    EXPECT_EQ(window.display().size(), QSize(235, 20));
    EXPECT_EQ(window.findChild<QSpinBox*>("txtHeight")->value(), 20);
    EXPECT_EQ(editor<QSpinBox>("SegmentHeight")->value(), 4);
}

TEST_F(Workbench, SavedLayoutReopensToTheSameInstance)
{
    editor<QSpinBox>("NumDigits")->setValue(4);
    editor<QSpinBox>("InterSegmentGap")->setValue(2);
    window.findChild<QSpinBox*>("txtWidth")->setValue(160);
    window.findChild<QSpinBox*>("txtHeight")->setValue(40);
    window.findChild<QPushButton*>("cmdApplySize")->click();
    const QString path = dir.filePath("display.json");
    QString error;
    ASSERT_TRUE(window.saveLayout(path, &error)) << error.toStdString();
    EXPECT_FALSE(window.isWindowModified());

    WorkbenchWindow other;
    other.show();
    ASSERT_TRUE(other.openLayout(path, &error)) << error.toStdString();
    EXPECT_FALSE(other.isWindowModified());
    EXPECT_EQ(other.display().size(), QSize(160, 40));
    EXPECT_EQ(storeControl(other.display()), storeControl(window.display()));
    EXPECT_EQ(qobject_cast<QSpinBox*>(other.browser().editorOf("NumDigits"))->value(), 4);
    EXPECT_EQ(other.display().surfaceImage(), window.display().surfaceImage());
}

TEST_F(Workbench, SavingKeepsTheOtherControlsOfTheLayout)
{
    const QString path = dir.filePath("frmMain.json");
    LayoutFile layout;
    PropertyBag chart;
    chart.writeInt32("Max", 99, 100);
    layout.setBag("ucHistogram1", chart);
    ASSERT_TRUE(layout.save(path));
    ASSERT_TRUE(window.openLayout(path));
    editor<QSpinBox>("NumDigits")->setValue(2);
    ASSERT_TRUE(window.saveLayout(path));
    ASSERT_TRUE(layout.load(path));
    EXPECT_EQ(layout.bag("ucHistogram1"), chart);
    EXPECT_EQ(layout.bag("Mo").readInt32("NumDigits", 20), 2);
}

TEST_F(Workbench, CorruptLayoutIsReportedAndTheDisplayKept)
{
    const QString path = dir.filePath("broken.json");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("{\"Mo\": [");
    f.close();
    editor<QSpinBox>("NumDigits")->setValue(3);
    QString error;
    EXPECT_FALSE(window.openLayout(path, &error));
    EXPECT_TRUE(error.contains(path));
    EXPECT_EQ(window.display().NumDigits(), 3);
}

TEST_F(Workbench, ExportWritesTheSurfaceWithTransparentOutside)
{
    editor<QSpinBox>("CurveTopLeft")->setValue(10);
    const QString path = dir.filePath("display.png");
    ASSERT_TRUE(window.exportPng(path));
    const QImage png(path);
    EXPECT_EQ(png.size(), window.display().size());
    EXPECT_EQ(qAlpha(png.pixel(0, 0)), 0); // cut off by the rounded corner
    EXPECT_EQ(qAlpha(png.pixel(200, 15)), 255);
}

} // namespace
