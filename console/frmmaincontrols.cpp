#include "frmmaincontrols.h"

#include "cjkfont.h"
#include "connectionpanel.h"
#include "consolelayout.h"
#include "lamp.h"
#include "namedwidgets.h"
#include "segmentdisplay.h"
#include "uchistogram.h"
#include "units.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

void buildDisplayFrame(frmMainControls& c, const LayoutFile& layout, QWidget* window)
{
    c.fraFrames1 = named::frame(QStringLiteral("fraFrames(1)"), QStringLiteral("温度显示窗口"), window);
    c.Label1 = named::label(QStringLiteral("Label1"), kCaptionMeasuring, c.fraFrames1);
    c.Label1->setFont(cjkFont(QStringLiteral("宋体"), 15.75, true));
    c.Mo = named::control(new SegmentDisplay(c.fraFrames1), QStringLiteral("Mo"), QStringLiteral("温度显示"));
    consolelayout::restore(*c.Mo, layout.bag(QStringLiteral("Mo")));
    c.Mo->setFixedSize(c.Mo->size());
    c.txtBarcode = named::control(
        new QLineEdit(c.fraFrames1), QStringLiteral("txtBarcode"), QStringLiteral("温度读数"));
    c.Label5 = named::label(QStringLiteral("Label5"), QStringLiteral("报警设定温度："), c.fraFrames1);
    c.Text2 = named::textBox(QStringLiteral("Text2"), c.Label5, c.fraFrames1);

    auto* grid = new QGridLayout(c.fraFrames1);
    grid->addWidget(c.Label1, 0, 0);
    grid->addWidget(c.Mo, 0, 1, Qt::AlignLeft);
    grid->addWidget(c.txtBarcode, 1, 0, 1, 2);
    grid->addWidget(c.Label5, 2, 0);
    grid->addWidget(c.Text2, 2, 1);
}

void buildButtonFrame(frmMainControls& c, QWidget* window)
{
    c.Frame1 = named::frame(QStringLiteral("Frame1"), QStringLiteral("操作项"), window);
    c.Command2 = named::button(QStringLiteral("Command2"), QStringLiteral("减少"), c.Frame1);
    c.Command4 = named::button(QStringLiteral("Command4"), QStringLiteral("设定温度"), c.Frame1);
    c.Command3 = named::button(QStringLiteral("Command3"), QStringLiteral("增加"), c.Frame1);
    c.Command8 = named::button(QStringLiteral("Command8"), QStringLiteral("退出设定"), c.Frame1);
    auto* row = new QHBoxLayout(c.Frame1);
    for (QPushButton* button : { c.Command2, c.Command4, c.Command3, c.Command8 })
        row->addWidget(button);
}

// One lamp with its caption beneath, in column `column` of the lamp frame.
Lamp* addLamp(QGridLayout* grid, int column, const QString& shape, const QString& label,
    const QString& caption, QLabel** captionLabel)
{
    QWidget* frame = grid->parentWidget();
    auto* lamp = new Lamp(shape, caption, frame);
    *captionLabel = named::label(label, caption, frame);
    (*captionLabel)->setAlignment(Qt::AlignCenter);
    grid->addWidget(lamp, 1, column, Qt::AlignCenter);
    grid->addWidget(*captionLabel, 2, column, Qt::AlignCenter);
    return lamp;
}

void buildLampFrame(frmMainControls& c, QWidget* window)
{
    c.Frame2 = named::frame(QStringLiteral("Frame2"), QStringLiteral("状态显示窗口"), window);
    auto* grid = new QGridLayout(c.Frame2);
    c.Shape1 = addLamp(
        grid, 0, QStringLiteral("Shape1"), QStringLiteral("Label2"), QStringLiteral("正常"), &c.Label2);
    c.Shape3 = addLamp(
        grid, 1, QStringLiteral("Shape3"), QStringLiteral("Label4"), QStringLiteral("设置"), &c.Label4);
    c.Shape2 = addLamp(
        grid, 2, QStringLiteral("Shape2"), QStringLiteral("Label3"), QStringLiteral("超温"), &c.Label3);
    // Each caption right beneath its lamp, the pair centred in the frame.
    grid->setRowStretch(0, 1);
    grid->setRowStretch(3, 1);
}

void buildChart(frmMainControls& c, const LayoutFile& layout, QWidget* window)
{
    c.ucHistogram1
        = named::control(new ucHistogram(window), QStringLiteral("ucHistogram1"), QStringLiteral("温度曲线"));
    consolelayout::restore(*c.ucHistogram1, layout.bag(QStringLiteral("ucHistogram1")));
    c.ucHistogram1->setMinimumSize(c.ucHistogram1->size());
}

} // namespace

frmMainControls buildFrmMainControls(QWidget* window, const ComDevices& devices)
{
    const LayoutFile layout = consolelayout::load();
    frmMainControls c;
    c.panel = new ConnectionPanel(devices, ConnectionPanel::Arrangement::Column, window);
    buildDisplayFrame(c, layout, window);
    buildButtonFrame(c, window);
    buildLampFrame(c, window);
    buildChart(c, layout, window);
    c.Text1 = named::control(new QLineEdit(window), QStringLiteral("Text1"), QStringLiteral("连接状态字"));
    c.Text1->setFixedSize(units::pixelsFromTwips(135), units::pixelsFromTwips(225));

    auto* grid = new QGridLayout(window);
    grid->addWidget(c.panel, 0, 0);
    grid->addWidget(c.fraFrames1, 0, 1);
    grid->addWidget(c.Frame1, 1, 0);
    grid->addWidget(c.Frame2, 1, 1);
    grid->addWidget(c.ucHistogram1, 2, 0, 1, 2);
    grid->addWidget(c.Text1, 3, 1, Qt::AlignRight);
    grid->setRowStretch(2, 1);
    return c;
}
