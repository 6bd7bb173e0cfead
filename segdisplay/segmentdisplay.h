// SegmentDisplay: a seven-segment numeric display control with a main row
// and an exponent row, burn-in colours, three segment shapes, gradient or
// picture backgrounds, a border and rounded corners. Configured entirely
// through its properties; each setter stores, tells the host, and redraws
// what the property affects.
#pragma once

#include "digitpainter.h"
#include "displaycanvas.h"
#include "displayproperties.h"
#include "drawcounters.h"
#include "propertybag.h"
#include "propertytable.h"
#include "usercontrol.h"

#include <QImage>
#include <QString>

#include <functional>
#include <string_view>

class SegmentDisplay : public UserControl {
    Q_OBJECT
    Q_PROPERTY(float BackAngle READ BackAngle WRITE setBackAngle)
    Q_PROPERTY(uint BackColor1 READ BackColor1 WRITE setBackColor1)
    Q_PROPERTY(uint BackColor2 READ BackColor2 WRITE setBackColor2)
    Q_PROPERTY(bool BackMiddleOut READ BackMiddleOut WRITE setBackMiddleOut)
    Q_PROPERTY(uint BorderColor READ BorderColor WRITE setBorderColor)
    Q_PROPERTY(short BorderWidth READ BorderWidth WRITE setBorderWidth)
    Q_PROPERTY(uint BurnInColor READ BurnInColor WRITE setBurnInColor)
    Q_PROPERTY(uint BurnInColorNeg READ BurnInColorNeg WRITE setBurnInColorNeg)
    Q_PROPERTY(int CurveBottomLeft READ CurveBottomLeft WRITE setCurveBottomLeft)
    Q_PROPERTY(int CurveBottomRight READ CurveBottomRight WRITE setCurveBottomRight)
    Q_PROPERTY(int CurveTopLeft READ CurveTopLeft WRITE setCurveTopLeft)
    Q_PROPERTY(int CurveTopRight READ CurveTopRight WRITE setCurveTopRight)
    Q_PROPERTY(int DecimalSeparator READ DecimalSeparator WRITE setDecimalSeparator)
    Q_PROPERTY(int InterDigitGap READ InterDigitGap WRITE setInterDigitGap)
    Q_PROPERTY(int InterDigitGapExp READ InterDigitGapExp WRITE setInterDigitGapExp)
    Q_PROPERTY(int InterSegmentGap READ InterSegmentGap WRITE setInterSegmentGap)
    Q_PROPERTY(int InterSegmentGapExp READ InterSegmentGapExp WRITE setInterSegmentGapExp)
    Q_PROPERTY(int NumDigits READ NumDigits WRITE setNumDigits)
    Q_PROPERTY(int NumDigitsExp READ NumDigitsExp WRITE setNumDigitsExp)
    Q_PROPERTY(PicturePtr Picture READ Picture WRITE setPicture)
    Q_PROPERTY(int PictureMode READ PictureMode WRITE setPictureMode)
    Q_PROPERTY(int SegmentFillStyle READ SegmentFillStyle WRITE setSegmentFillStyle)
    Q_PROPERTY(int SegmentHeight READ SegmentHeight WRITE setSegmentHeight)
    Q_PROPERTY(int SegmentHeightExp READ SegmentHeightExp WRITE setSegmentHeightExp)
    Q_PROPERTY(uint SegmentLitColor READ SegmentLitColor WRITE setSegmentLitColor)
    Q_PROPERTY(uint SegmentLitColorNeg READ SegmentLitColorNeg WRITE setSegmentLitColorNeg)
    Q_PROPERTY(int SegmentStyle READ SegmentStyle WRITE setSegmentStyle)
    Q_PROPERTY(int SegmentStyleExp READ SegmentStyleExp WRITE setSegmentStyleExp)
    Q_PROPERTY(int SegmentWidth READ SegmentWidth WRITE setSegmentWidth)
    Q_PROPERTY(int SegmentWidthExp READ SegmentWidthExp WRITE setSegmentWidthExp)
    Q_PROPERTY(bool ShowBurnIn READ ShowBurnIn WRITE setShowBurnIn)
    Q_PROPERTY(bool ShowExponent READ ShowExponent WRITE setShowExponent)
    Q_PROPERTY(bool ShowThousandsSeparator READ ShowThousandsSeparator WRITE setShowThousandsSeparator)
    Q_PROPERTY(int Theme READ Theme WRITE setTheme)
    Q_PROPERTY(int ThousandsGrouping READ ThousandsGrouping WRITE setThousandsGrouping)
    Q_PROPERTY(int ThousandsSeparator READ ThousandsSeparator WRITE setThousandsSeparator)
    Q_PROPERTY(QString Value READ Value WRITE setValue)
    Q_PROPERTY(int XOffset READ XOffset WRITE setXOffset)
    Q_PROPERTY(int XOffsetExp READ XOffsetExp WRITE setXOffsetExp)
    Q_PROPERTY(int YOffset READ YOffset WRITE setYOffset)
    Q_PROPERTY(int YOffsetExp READ YOffsetExp WRITE setYOffsetExp)

    using P = DisplayProperties;

public:
    explicit SegmentDisplay(QWidget* parent = nullptr);
    ~SegmentDisplay() override;

    float BackAngle() const { return m_props.BackAngle; }
    uint BackColor1() const { return m_props.BackColor1; }
    uint BackColor2() const { return m_props.BackColor2; }
    bool BackMiddleOut() const { return m_props.BackMiddleOut; }
    uint BorderColor() const { return m_props.BorderColor; }
    short BorderWidth() const { return m_props.BorderWidth; }
    uint BurnInColor() const { return m_props.BurnInColor; }
    uint BurnInColorNeg() const { return m_props.BurnInColorNeg; }
    int CurveBottomLeft() const { return m_props.CurveBottomLeft; }
    int CurveBottomRight() const { return m_props.CurveBottomRight; }
    int CurveTopLeft() const { return m_props.CurveTopLeft; }
    int CurveTopRight() const { return m_props.CurveTopRight; }
    int DecimalSeparator() const { return m_props.DecimalSeparator; }
    int InterDigitGap() const { return m_props.InterDigitGap; }
    int InterDigitGapExp() const { return m_props.InterDigitGapExp; }
    int InterSegmentGap() const { return m_props.InterSegmentGap; }
    int InterSegmentGapExp() const { return m_props.InterSegmentGapExp; }
    int NumDigits() const { return m_props.NumDigits; }
    int NumDigitsExp() const { return m_props.NumDigitsExp; }
    PicturePtr Picture() const { return m_props.Picture; }
    int PictureMode() const { return m_props.PictureMode; }
    int SegmentFillStyle() const { return m_props.SegmentFillStyle; }
    int SegmentHeight() const { return m_props.SegmentHeight; }
    int SegmentHeightExp() const { return m_props.SegmentHeightExp; }
    uint SegmentLitColor() const { return m_props.SegmentLitColor; }
    uint SegmentLitColorNeg() const { return m_props.SegmentLitColorNeg; }
    int SegmentStyle() const { return m_props.SegmentStyle; }
    int SegmentStyleExp() const { return m_props.SegmentStyleExp; }
    int SegmentWidth() const { return m_props.SegmentWidth; }
    int SegmentWidthExp() const { return m_props.SegmentWidthExp; }
    bool ShowBurnIn() const { return m_props.ShowBurnIn; }
    bool ShowExponent() const { return m_props.ShowExponent; }
    bool ShowThousandsSeparator() const { return m_props.ShowThousandsSeparator; }
    int Theme() const { return m_props.Theme; }
    int ThousandsGrouping() const { return m_props.ThousandsGrouping; }
    int ThousandsSeparator() const { return m_props.ThousandsSeparator; }
    const QString& Value() const { return m_props.Value; }
    int XOffset() const { return m_props.XOffset; }
    int XOffsetExp() const { return m_props.XOffsetExp; }
    int YOffset() const { return m_props.YOffset; }
    int YOffsetExp() const { return m_props.YOffsetExp; }

    void setBackAngle(float value) { assign(&P::BackAngle, value); }
    void setBackColor1(uint value) { assign(&P::BackColor1, value); }
    void setBackColor2(uint value) { assign(&P::BackColor2, value); }
    void setBackMiddleOut(bool value) { assign(&P::BackMiddleOut, value); }
    void setBorderColor(uint value) { assign(&P::BorderColor, value); }
    void setBorderWidth(short value) { assign(&P::BorderWidth, value); }
    void setBurnInColor(uint value) { assign(&P::BurnInColor, value); }
    void setBurnInColorNeg(uint value) { assign(&P::BurnInColorNeg, value); }
    void setCurveBottomLeft(int value) { assign(&P::CurveBottomLeft, value); }
    void setCurveBottomRight(int value) { assign(&P::CurveBottomRight, value); }
    void setCurveTopLeft(int value) { assign(&P::CurveTopLeft, value); }
    void setCurveTopRight(int value) { assign(&P::CurveTopRight, value); }
    void setDecimalSeparator(int value) { assign(&P::DecimalSeparator, value); }
    void setInterDigitGap(int value) { assign(&P::InterDigitGap, value); }
    void setInterDigitGapExp(int value) { assign(&P::InterDigitGapExp, value); }
    void setInterSegmentGap(int value) { assign(&P::InterSegmentGap, value); }
    void setInterSegmentGapExp(int value) { assign(&P::InterSegmentGapExp, value); }
    void setNumDigits(int value) { assign(&P::NumDigits, value); }
    void setNumDigitsExp(int value) { assign(&P::NumDigitsExp, value); }
    void setPicture(PicturePtr New_Picture);
    void setPictureMode(int value) { assign(&P::PictureMode, value); }
    void setSegmentFillStyle(int value) { assign(&P::SegmentFillStyle, value); }
    void setSegmentHeight(int value) { assign(&P::SegmentHeight, value); }
    void setSegmentHeightExp(int value) { assign(&P::SegmentHeightExp, value); }
    void setSegmentLitColor(uint value) { assign(&P::SegmentLitColor, value); }
    void setSegmentLitColorNeg(uint value) { assign(&P::SegmentLitColorNeg, value); }
    void setSegmentStyle(int value) { assign(&P::SegmentStyle, value); }
    void setSegmentStyleExp(int value) { assign(&P::SegmentStyleExp, value); }
    void setSegmentWidth(int value) { assign(&P::SegmentWidth, value); }
    void setSegmentWidthExp(int value) { assign(&P::SegmentWidthExp, value); }
    void setShowBurnIn(bool value) { assign(&P::ShowBurnIn, value); }
    void setShowExponent(bool value) { assign(&P::ShowExponent, value); }
    void setShowThousandsSeparator(bool value) { assign(&P::ShowThousandsSeparator, value); }
    void setTheme(int New_Theme);
    void setThousandsGrouping(int value) { assign(&P::ThousandsGrouping, value); }
    void setThousandsSeparator(int value) { assign(&P::ThousandsSeparator, value); }
    void setValue(const QString& New_Value);
    void setXOffset(int value) { assign(&P::XOffset, value); }
    void setXOffsetExp(int value) { assign(&P::XOffsetExp, value); }
    void setYOffset(int value) { assign(&P::YOffset, value); }
    void setYOffsetExp(int value) { assign(&P::YOffsetExp, value); }

    // The host's lifecycle calls: defaults for a new instance, the stored
    // properties of a saved one, and saving them.
    void InitProperties() override;
    void ReadProperties(const PropertyBag& bag) override;
    void WriteProperties(PropertyBag& bag) const override;

    // The drawing operations the setters run. False (and lastError() says
    // why) when the step was refused because its arithmetic would overflow.
    bool RebuildDisplay();
    bool RepaintAll();
    bool ShowValue(bool all);

    // The control surface as last painted (outside the window shape too).
    const QImage& surfaceImage() const { return m_canvas.surface().image(); }
    const segraster::Region& windowShape() const { return m_canvas.windowShape(); }
    const DrawCounters& counters() const { return m_counters; }
    const DigitPainter& digits() const { return m_digits; }
    const DisplayProperties& properties() const { return m_props; }
    // Why the last drawing step was refused; empty after a step that worked.
    const QString& lastError() const { return m_lastError; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void UserControl_Resize();
    void applyThemeRow(int n);
    // Stores a property's new value, then notices and redraws as its row says.
    template <typename T> void assign(T P::*member, T value)
    {
        m_props.*member = std::move(value);
        afterStore(propertyfields::rowOf(kDisplayProperties, member));
    }
    // The same operations, throwing DisplayOverflow when refused.
    void rebuildDisplay();
    void repaintAll();
    void showValue(bool all);
    void afterStore(const PropertyInfo& info);
    void notice(std::string_view name);
    // Runs a drawing step; a refused size is kept as lastError() and gives
    // false, a step that completes clears it.
    bool recordingOverflow(const std::function<void()>& step);
    void applyWindowShape(const segraster::Region& shape);
    void announceValue();

    DisplayProperties m_props;
    DrawCounters m_counters;
    DisplayCanvas m_canvas;
    DigitPainter m_digits;
    QString m_lastError;
};
