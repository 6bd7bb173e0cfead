#include "themes.h"

#include "segmentdisplay.h"
#include "units.h"

#include <QCoreApplication>
#include <QResizeEvent>

const ThemeRow* themeRow(int32_t n)
{
    if (n < 1 || n > int32_t(kThemes.size()))
        return nullptr;
    return &kThemes[size_t(n - 1)];
}

QSize themeSize(const ThemeRow& row)
{
    return { units::pixelsFromTwips(row.widthTwips), units::pixelsFromTwips(row.heightTwips) };
}

void storeThemeHead(DisplayProperties& p, const ThemeRow& row)
{
    p.BackAngle = 90.0f;
    p.BackColor1 = row.backColour;
    p.BackColor2 = row.backColour;
    p.BackMiddleOut = true;
    p.BorderColor = 0xFF0000;
    p.BorderWidth = 1;
    p.BurnInColor = row.burnInColour;
    p.BurnInColorNeg = row.burnInColour;
    p.CurveBottomLeft = 0;
    p.CurveBottomRight = 0;
    p.CurveTopLeft = 0;
    p.CurveTopRight = 0;
    p.DecimalSeparator = 1;
    p.InterDigitGap = row.interDigitGap;
    p.InterDigitGapExp = row.interDigitGapExp;
    p.InterSegmentGap = row.interSegmentGap;
    p.InterSegmentGapExp = 0;
    p.NumDigits = 20;
    p.NumDigitsExp = 4;
}

void storeThemeTail(DisplayProperties& p, const ThemeRow& row)
{
    p.SegmentFillStyle = 1;
    p.SegmentHeight = row.segmentHeight;
    p.SegmentHeightExp = row.segmentHeightExp;
    p.SegmentLitColor = row.litColour;
    p.SegmentLitColorNeg = row.litColour;
    p.SegmentStyle = row.segmentStyle;
    p.SegmentStyleExp = 2;
    p.SegmentWidth = row.segmentWidth;
    p.SegmentWidthExp = row.segmentWidthExp;
    p.ShowBurnIn = true;
    p.ShowExponent = true;
    p.ShowThousandsSeparator = false;
    p.ThousandsGrouping = 3;
    p.ThousandsSeparator = 0;
    p.XOffset = 5;
    p.XOffsetExp = row.xOffsetExp;
    p.YOffset = 5;
    p.YOffsetExp = 5;
}

// Steps 3 and 4 of setting Theme: the row's values straight into the fields
// (Picture cleared, not emptied, and no background capture), theme 5's
// PictureMode through its own setter at that point, then the row's width and
// height. Any other number changes nothing here.
void SegmentDisplay::applyThemeRow(int n)
{
    const ThemeRow* row = themeRow(n);
    if (!row)
        return;
    storeThemeHead(m_props, *row);
    m_props.Picture = nullptr;
    if (n == 5)
        setPictureMode(0);
    else
        m_props.PictureMode = 0;
    storeThemeTail(m_props, *row);
    const QSize size = themeSize(*row);
    giveSize(QSize(size.width(), height()));
    giveSize(size);
}

// A hidden widget hears of a new size only when it is shown; the display
// handles the resize now, as it would on a window that is shown.
void SegmentDisplay::giveSize(QSize size)
{
    const QSize old = this->size();
    resize(size);
    if (!isVisible() && old != size) {
        QResizeEvent event(size, old);
        QCoreApplication::sendEvent(this, &event);
    }
}
