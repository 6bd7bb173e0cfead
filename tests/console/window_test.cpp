// The window as designed: controls and captions, the display and chart from
// the stored layout, fonts, and what assistive technology sees.
#include "consolefixture.h"

#include "consolelayout.h"
#include "lamp.h"
#include "portlifetime.h"
#include "segmentdisplay.h"
#include "uchistogram.h"

#include <QAccessible>
#include <QFontDatabase>
#include <QGroupBox>
#include <QPushButton>

namespace {

TEST_F(ConsoleTest, ControlsCarryTheirNamesAndCaptions)
{
    struct Caption {
        const char* name;
        const char* text;
    };
    const Caption captions[] = {
        { "Label1", "当前温度：" },
        { "Label5", "报警设定温度：" },
        { "Label2", "正常" },
        { "Label4", "设置" },
        { "Label3", "超温" },
        { "Command2", "减少" },
        { "Command4", "设定温度" },
        { "Command3", "增加" },
        { "Command8", "退出设定" },
        { "fraFrames(1)", "温度显示窗口" },
        { "fraFrames(2)", "串口连接选项" },
        { "Frame1", "操作项" },
        { "Frame2", "状态显示窗口" },
    };
    for (const Caption& caption : captions) {
        auto* widget = window->findChild<QWidget*>(QString::fromUtf8(caption.name));
        ASSERT_NE(widget, nullptr) << caption.name;
        QString text;
        if (auto* label = qobject_cast<QLabel*>(widget))
            text = label->text();
        else if (auto* button = qobject_cast<QPushButton*>(widget))
            text = button->text();
        else if (auto* frame = qobject_cast<QGroupBox*>(widget))
            text = frame->title();
        EXPECT_EQ(text, QString::fromUtf8(caption.text)) << caption.name;
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(widget);
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->text(QAccessible::Name), text) << caption.name;
    }
    for (const char* name :
        { "Mo", "ucHistogram1", "Text1", "Text2", "txtBarcode", "Shape1", "Shape2", "Shape3" })
        EXPECT_NE(window->findChild<QWidget*>(QString::fromUtf8(name)), nullptr) << name;
    EXPECT_EQ(window->size(), QSize(630, 606));
    EXPECT_EQ(c().Text1->size(), QSize(9, 15));
    EXPECT_EQ(c().Text2->accessibleName(), QStringLiteral("报警设定温度："));
}

TEST_F(ConsoleTest, DisplayAndChartComeFromTheStoredLayout)
{
    const SegmentDisplay& mo = *c().Mo;
    EXPECT_EQ(mo.NumDigits(), 2);
    EXPECT_EQ(mo.Theme(), 2);
    EXPECT_EQ(mo.Value(), QStringLiteral("000"));
    EXPECT_EQ(mo.SegmentLitColor(), 0x00FFFFu);
    EXPECT_EQ(mo.SegmentLitColorNeg(), 0x0000FFu);
    EXPECT_EQ(mo.BurnInColor(), 0x000060u);
    EXPECT_EQ(mo.BurnInColorNeg(), 0x000060u);
    EXPECT_EQ(mo.SegmentStyle(), 0);
    EXPECT_EQ(mo.SegmentHeight(), 20);
    EXPECT_EQ(mo.SegmentWidth(), 8);
    EXPECT_EQ(mo.SegmentHeightExp(), 10);
    EXPECT_EQ(mo.SegmentWidthExp(), 8);
    EXPECT_EQ(mo.InterSegmentGap(), 5);
    EXPECT_EQ(mo.InterDigitGapExp(), 5);
    EXPECT_EQ(mo.XOffsetExp(), 490);
    EXPECT_EQ(mo.BorderColor(), 0xFF0000u); // a default: the theme is not applied
    EXPECT_EQ(mo.size(), QSize(94, 77));
    EXPECT_TRUE(mo.Tag.isEmpty());

    const ucHistogram& chart = *c().ucHistogram1;
    EXPECT_EQ(chart.GridTickHorizontal(), 5);
    EXPECT_EQ(chart.GridTickVertical(), 10);
    EXPECT_EQ(chart.Max(), 99);
    EXPECT_EQ(chart.NumberOfPoints(), 100);
    EXPECT_GE(chart.height(), 150);
    EXPECT_GE(chart.width(), 600);
}

TEST(ConsoleLayout, StoresOnlyTheDesignedEntries)
{
    const LayoutFile layout = consolelayout::load();
    EXPECT_EQ(layout.controls(), (QStringList { QStringLiteral("Mo"), QStringLiteral("ucHistogram1") }));
    const QStringList mo { "_extentx", "_extenty", "burnincolor", "burnincolorneg", "interdigitgapexp",
        "intersegmentgap", "numdigits", "segmentheight", "segmentheightexp", "segmentlitcolor",
        "segmentlitcolorneg", "segmentstyle", "segmentwidth", "segmentwidthexp", "theme", "value",
        "xoffsetexp" };
    EXPECT_EQ(layout.bag(QStringLiteral("Mo")).keys(), mo);
    const QStringList chart { "_extentx", "_extenty", "gridtickhorizontal", "gridtickvertical", "max" };
    EXPECT_EQ(layout.bag(QStringLiteral("ucHistogram1")).keys(), chart);
}

TEST_F(ConsoleTest, GoesWithItsPortOpen)
{
    PtyPair pty;
    EXPECT_TRUE(windowLetsGoOfPort(window, pty));
}

TEST_F(ConsoleTest, DisplayCaptionUsesAChineseFont)
{
    const QFont font = c().Label1->font();
    EXPECT_TRUE(font.bold());
    EXPECT_DOUBLE_EQ(font.pointSizeF(), 15.75);
    EXPECT_TRUE(QFontDatabase::writingSystems(font.family()).contains(QFontDatabase::SimplifiedChinese))
        << font.family().toStdString();
}

TEST_F(ConsoleTest, LampsTellTheirCaptionAndState)
{
    storeSetPoint(QStringLiteral("30"));
    load();
    c().Text1->setText(QStringLiteral("EXIT"));
    const struct {
        Lamp* lamp;
        const char* caption;
    } lamps[] = { { c().Shape1, "正常" }, { c().Shape3, "设置" }, { c().Shape2, "超温" } };
    for (const auto& l : lamps) {
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(l.lamp);
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->role(), QAccessible::Indicator);
        EXPECT_EQ(a->text(QAccessible::Name), QString::fromUtf8(l.caption));
        EXPECT_EQ(a->text(QAccessible::Value), QStringLiteral("灭"));
        EXPECT_FALSE(a->state().checked);
    }
    feed(QStringLiteral("25X\r\n"));
    QAccessibleInterface* normal = QAccessible::queryAccessibleInterface(c().Shape1);
    EXPECT_EQ(normal->text(QAccessible::Value), QStringLiteral("亮"));
    EXPECT_TRUE(normal->state().checked);
    EXPECT_EQ(c().Shape1->FillColor(), QColor(255, 0, 0));
    EXPECT_EQ(c().Shape2->FillColor(), QColor(255, 255, 255));
}

// Set TUVELA_SCREENSHOT to a PNG path to look at the window as drawn.
TEST_F(ConsoleTest, WindowPaintsItsControls)
{
    storeSetPoint(QStringLiteral("30"));
    load();
    c().Text1->setText(QStringLiteral("EXIT"));
    feed(QStringLiteral("27X\r\n"));
    window->show();
    for (int i = 0; i < 20; ++i)
        window->Timer2_Timer();
    const QImage image = window->grab().toImage();
    ASSERT_EQ(image.size(), QSize(630, 606));
    const QPoint lamp = c().Shape1->mapTo(window.get(), c().Shape1->rect().center());
    EXPECT_EQ(image.pixelColor(lamp), QColor(255, 0, 0));
    if (const QByteArray path = qgetenv("TUVELA_SCREENSHOT"); !path.isEmpty())
        image.save(QString::fromLocal8Bit(path));
}

} // namespace
