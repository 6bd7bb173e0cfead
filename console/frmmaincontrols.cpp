#include "frmmaincontrols.h"

#include "cjkfont.h"
#include "connectionpanel.h"
#include "consolelayout.h"
#include "lamp.h"
#include "segmentdisplay.h"
#include "uchistogram.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int twips(int t) { return t / 15; }

QLabel* makeLabel(const QString& name, const QString& caption, QWidget* parent)
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name);
    return label;
}

// A text box named for assistive technology by the label beside it.
QLineEdit* makeTextBox(const QString& name, QLabel* buddy, QWidget* parent)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    if (buddy) {
        buddy->setBuddy(box);
        box->setAccessibleName(buddy->text());
    }
    return box;
}

QPushButton* makeButton(const QString& name, const QString& caption, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAccessibleName(caption);
    return button;
}

QGroupBox* makeFrame(const QString& name, const QString& caption, QWidget* parent)
{
    auto* frame = new QGroupBox(caption, parent);
    frame->setObjectName(name);
    frame->setAccessibleName(caption);
    return frame;
}

void buildDisplayFrame(frmMainControls& c, const LayoutFile& layout, QWidget* window)
{
    c.fraFrames1 = makeFrame(QStringLiteral("fraFrames(1)"), QStringLiteral("温度显示窗口"), window);
    c.Label1 = makeLabel(QStringLiteral("Label1"), kCaptionMeasuring, c.fraFrames1);
    c.Label1->setFont(cjkFont(QStringLiteral("宋体"), 15.75, true));
    c.Mo = new SegmentDisplay(c.fraFrames1);
    c.Mo->setObjectName(QStringLiteral("Mo"));
    c.Mo->setAccessibleName(QStringLiteral("温度显示"));
    consolelayout::restoreDisplay(*c.Mo, layout.bag(QStringLiteral("Mo")));
    c.Mo->setFixedSize(c.Mo->size());
    c.txtBarcode = makeTextBox(QStringLiteral("txtBarcode"), nullptr, c.fraFrames1);
    c.txtBarcode->setAccessibleName(QStringLiteral("温度读数"));
    c.Label5 = makeLabel(QStringLiteral("Label5"), QStringLiteral("报警设定温度："), c.fraFrames1);
    c.Text2 = makeTextBox(QStringLiteral("Text2"), c.Label5, c.fraFrames1);

    auto* grid = new QGridLayout(c.fraFrames1);
    grid->addWidget(c.Label1, 0, 0);
    grid->addWidget(c.Mo, 0, 1, Qt::AlignLeft);
    grid->addWidget(c.txtBarcode, 1, 0, 1, 2);
    grid->addWidget(c.Label5, 2, 0);
    grid->addWidget(c.Text2, 2, 1);
}

void buildButtonFrame(frmMainControls& c, QWidget* window)
{
    c.Frame1 = makeFrame(QStringLiteral("Frame1"), QStringLiteral("操作项"), window);
    c.Command2 = makeButton(QStringLiteral("Command2"), QStringLiteral("减少"), c.Frame1);
    c.Command4 = makeButton(QStringLiteral("Command4"), QStringLiteral("设定温度"), c.Frame1);
    c.Command3 = makeButton(QStringLiteral("Command3"), QStringLiteral("增加"), c.Frame1);
    c.Command8 = makeButton(QStringLiteral("Command8"), QStringLiteral("退出设定"), c.Frame1);
    auto* row = new QHBoxLayout(c.Frame1);
    for (QPushButton* button : { c.Command2, c.Command4, c.Command3, c.Command8 })
        row->addWidget(button);
}

// One lamp with its caption beneath, in column `column` of the lamp frame.
Lamp* addLamp(QGridLayout* grid, int column, const QString& shape, const QString& label, const QString& caption,
    QLabel** captionLabel)
{
    QWidget* frame = grid->parentWidget();
    auto* lamp = new Lamp(shape, caption, frame);
    *captionLabel = makeLabel(label, caption, frame);
    (*captionLabel)->setAlignment(Qt::AlignCenter);
    grid->addWidget(lamp, 1, column, Qt::AlignCenter);
    grid->addWidget(*captionLabel, 2, column, Qt::AlignCenter);
    return lamp;
}

void buildLampFrame(frmMainControls& c, QWidget* window)
{
    c.Frame2 = makeFrame(QStringLiteral("Frame2"), QStringLiteral("状态显示窗口"), window);
    auto* grid = new QGridLayout(c.Frame2);
    c.Shape1 = addLamp(grid, 0, QStringLiteral("Shape1"), QStringLiteral("Label2"), QStringLiteral("正常"), &c.Label2);
    c.Shape3 = addLamp(grid, 1, QStringLiteral("Shape3"), QStringLiteral("Label4"), QStringLiteral("设置"), &c.Label4);
    c.Shape2 = addLamp(grid, 2, QStringLiteral("Shape2"), QStringLiteral("Label3"), QStringLiteral("超温"), &c.Label3);
    // Each caption right beneath its lamp, the pair centred in the frame.
    grid->setRowStretch(0, 1);
    grid->setRowStretch(3, 1);
}

void buildChart(frmMainControls& c, const LayoutFile& layout, QWidget* window)
{
    c.ucHistogram1 = new ucHistogram(window);
    c.ucHistogram1->setObjectName(QStringLiteral("ucHistogram1"));
    c.ucHistogram1->setAccessibleName(QStringLiteral("温度曲线"));
    consolelayout::restoreChart(*c.ucHistogram1, layout.bag(QStringLiteral("ucHistogram1")));
    c.ucHistogram1->setMinimumSize(c.ucHistogram1->size());
}

} // namespace

frmMainControls buildFrmMainControls(QWidget* window, ComPort& port)
{
    const LayoutFile layout = consolelayout::load();
    frmMainControls c;
    c.panel = new ConnectionPanel(port, ConnectionPanel::Arrangement::Column, window);
    buildDisplayFrame(c, layout, window);
    buildButtonFrame(c, window);
    buildLampFrame(c, window);
    buildChart(c, layout, window);
    c.Text1 = new QLineEdit(window);
    c.Text1->setObjectName(QStringLiteral("Text1"));
    c.Text1->setAccessibleName(QStringLiteral("连接状态字"));
    c.Text1->setFixedSize(twips(135), twips(225));

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
