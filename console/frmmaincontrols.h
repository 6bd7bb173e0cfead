// The controls of the console window and their arrangement, as designed:
// the serial panel and the display frame on top, the set-point buttons and the
// three lamps in the middle, the chart across the bottom.
#pragma once

#include <QString>

class ComDevices;
class ConnectionPanel;
class Lamp;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;
class SegmentDisplay;
class ucHistogram;

struct frmMainControls {
    ConnectionPanel* panel = nullptr; // fraFrames(2)
    QGroupBox* fraFrames1 = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* txtBarcode = nullptr;
    QLabel* Label5 = nullptr;
    SegmentDisplay* Mo = nullptr;
    QLineEdit* Text2 = nullptr;
    QGroupBox* Frame1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command4 = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* Command8 = nullptr;
    QGroupBox* Frame2 = nullptr;
    Lamp* Shape1 = nullptr;
    Lamp* Shape3 = nullptr;
    Lamp* Shape2 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label3 = nullptr;
    ucHistogram* ucHistogram1 = nullptr;
    QLineEdit* Text1 = nullptr;
};

// Display captions of Label1: measuring and set-point mode.
inline const QString kCaptionMeasuring = QStringLiteral("当前温度：");
inline const QString kCaptionSetPoint = QStringLiteral("报警温度：");

// Creates every control as a child of `window`, lays them out, and restores Mo
// and ucHistogram1 from the window's stored layout.
frmMainControls buildFrmMainControls(QWidget* window, const ComDevices& devices);
