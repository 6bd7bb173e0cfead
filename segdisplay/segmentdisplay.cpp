#include "segmentdisplay.h"

#include "propertytable.h"
#include "segmentdisplayaccessible.h"

#include <QAccessible>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <QVector>

#include <algorithm>

SegmentDisplay::SegmentDisplay(QWidget* parent)
    : QWidget(parent)
    , m_canvas(m_props, m_counters)
    , m_digits(m_props, m_canvas, m_counters)
{
    installSegmentDisplayAccessible();
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_canvas.onRefresh = [this] { update(); };
    m_canvas.onWindowShape = [this](const segraster::Region& shape) { applyWindowShape(shape); };
}

SegmentDisplay::~SegmentDisplay() = default;

// ---- setters that store, notify and run the operations of their table row

void SegmentDisplay::setBackAngle(float New_BackAngle) { m_props.BackAngle = New_BackAngle; afterStore("BackAngle"); }
void SegmentDisplay::setBackColor1(uint New_BackColor1) { m_props.BackColor1 = New_BackColor1; afterStore("BackColor1"); }
void SegmentDisplay::setBackColor2(uint New_BackColor2) { m_props.BackColor2 = New_BackColor2; afterStore("BackColor2"); }
void SegmentDisplay::setBackMiddleOut(bool New_BackMiddleOut) { m_props.BackMiddleOut = New_BackMiddleOut; afterStore("BackMiddleOut"); }
void SegmentDisplay::setBorderColor(uint New_BorderColor) { m_props.BorderColor = New_BorderColor; afterStore("BorderColor"); }
void SegmentDisplay::setBorderWidth(short New_BorderWidth) { m_props.BorderWidth = New_BorderWidth; afterStore("BorderWidth"); }
void SegmentDisplay::setBurnInColor(uint New_BurnInColor) { m_props.BurnInColor = New_BurnInColor; afterStore("BurnInColor"); }
void SegmentDisplay::setBurnInColorNeg(uint New_BurnInColorNeg) { m_props.BurnInColorNeg = New_BurnInColorNeg; afterStore("BurnInColorNeg"); }
void SegmentDisplay::setCurveBottomLeft(int New_CurveBottomLeft) { m_props.CurveBottomLeft = New_CurveBottomLeft; afterStore("CurveBottomLeft"); }
void SegmentDisplay::setCurveBottomRight(int New_CurveBottomRight) { m_props.CurveBottomRight = New_CurveBottomRight; afterStore("CurveBottomRight"); }
void SegmentDisplay::setCurveTopLeft(int New_CurveTopLeft) { m_props.CurveTopLeft = New_CurveTopLeft; afterStore("CurveTopLeft"); }
void SegmentDisplay::setCurveTopRight(int New_CurveTopRight) { m_props.CurveTopRight = New_CurveTopRight; afterStore("CurveTopRight"); }
void SegmentDisplay::setDecimalSeparator(int New_DecimalSeparator) { m_props.DecimalSeparator = New_DecimalSeparator; afterStore("DecimalSeparator"); }
void SegmentDisplay::setInterDigitGap(int New_InterDigitGap) { m_props.InterDigitGap = New_InterDigitGap; afterStore("InterDigitGap"); }
void SegmentDisplay::setInterDigitGapExp(int New_InterDigitGapExp) { m_props.InterDigitGapExp = New_InterDigitGapExp; afterStore("InterDigitGapExp"); }
void SegmentDisplay::setInterSegmentGap(int New_InterSegmentGap) { m_props.InterSegmentGap = New_InterSegmentGap; afterStore("InterSegmentGap"); }
void SegmentDisplay::setInterSegmentGapExp(int New_InterSegmentGapExp) { m_props.InterSegmentGapExp = New_InterSegmentGapExp; afterStore("InterSegmentGapExp"); }
void SegmentDisplay::setNumDigits(int New_NumDigits) { m_props.NumDigits = New_NumDigits; afterStore("NumDigits"); }
void SegmentDisplay::setNumDigitsExp(int New_NumDigitsExp) { m_props.NumDigitsExp = New_NumDigitsExp; afterStore("NumDigitsExp"); }
void SegmentDisplay::setPictureMode(int New_PictureMode) { m_props.PictureMode = New_PictureMode; afterStore("PictureMode"); }
void SegmentDisplay::setSegmentFillStyle(int New_SegmentFillStyle) { m_props.SegmentFillStyle = New_SegmentFillStyle; afterStore("SegmentFillStyle"); }
void SegmentDisplay::setSegmentHeight(int New_SegmentHeight) { m_props.SegmentHeight = New_SegmentHeight; afterStore("SegmentHeight"); }
void SegmentDisplay::setSegmentHeightExp(int New_SegmentHeightExp) { m_props.SegmentHeightExp = New_SegmentHeightExp; afterStore("SegmentHeightExp"); }
void SegmentDisplay::setSegmentLitColor(uint New_SegmentLitColor) { m_props.SegmentLitColor = New_SegmentLitColor; afterStore("SegmentLitColor"); }
void SegmentDisplay::setSegmentLitColorNeg(uint New_SegmentLitColorNeg) { m_props.SegmentLitColorNeg = New_SegmentLitColorNeg; afterStore("SegmentLitColorNeg"); }
void SegmentDisplay::setSegmentStyle(int New_SegmentStyle) { m_props.SegmentStyle = New_SegmentStyle; afterStore("SegmentStyle"); }
void SegmentDisplay::setSegmentStyleExp(int New_SegmentStyleExp) { m_props.SegmentStyleExp = New_SegmentStyleExp; afterStore("SegmentStyleExp"); }
void SegmentDisplay::setSegmentWidth(int New_SegmentWidth) { m_props.SegmentWidth = New_SegmentWidth; afterStore("SegmentWidth"); }
void SegmentDisplay::setSegmentWidthExp(int New_SegmentWidthExp) { m_props.SegmentWidthExp = New_SegmentWidthExp; afterStore("SegmentWidthExp"); }
void SegmentDisplay::setShowBurnIn(bool New_ShowBurnIn) { m_props.ShowBurnIn = New_ShowBurnIn; afterStore("ShowBurnIn"); }
void SegmentDisplay::setShowExponent(bool New_ShowExponent) { m_props.ShowExponent = New_ShowExponent; afterStore("ShowExponent"); }
void SegmentDisplay::setShowThousandsSeparator(bool New_ShowThousandsSeparator) { m_props.ShowThousandsSeparator = New_ShowThousandsSeparator; afterStore("ShowThousandsSeparator"); }
void SegmentDisplay::setThousandsGrouping(int New_ThousandsGrouping) { m_props.ThousandsGrouping = New_ThousandsGrouping; afterStore("ThousandsGrouping"); }
void SegmentDisplay::setThousandsSeparator(int New_ThousandsSeparator) { m_props.ThousandsSeparator = New_ThousandsSeparator; afterStore("ThousandsSeparator"); }
void SegmentDisplay::setXOffset(int New_XOffset) { m_props.XOffset = New_XOffset; afterStore("XOffset"); }
void SegmentDisplay::setXOffsetExp(int New_XOffsetExp) { m_props.XOffsetExp = New_XOffsetExp; afterStore("XOffsetExp"); }
void SegmentDisplay::setYOffset(int New_YOffset) { m_props.YOffset = New_YOffset; afterStore("YOffset"); }
void SegmentDisplay::setYOffsetExp(int New_YOffsetExp) { m_props.YOffsetExp = New_YOffsetExp; afterStore("YOffsetExp"); }

void SegmentDisplay::setPicture(PicturePtr New_Picture)
{
    m_props.Picture = std::move(New_Picture);
    notice("Picture");
    m_canvas.CaptureBackground = true;
    guarded([this] {
        rebuildDisplay();
        showValue(true);
    });
}

void SegmentDisplay::setTheme(int New_Theme)
{
    m_props.Theme = New_Theme;
    notice("Theme");
    applyThemeRow(New_Theme);
    guarded([this] {
        rebuildDisplay();
        repaintAll();
        showValue(true);
    });
}

void SegmentDisplay::setValue(const QString& New_Value)
{
    m_props.Value = New_Value;
    guarded([this] { showValue(false); });
    notice("Value");
    announceValue();
}

void SegmentDisplay::afterStore(std::string_view name)
{
    const PropertyInfo& info = kDisplayProperties[size_t(*findDisplayProperty(name))];
    if (!info.noticeLast)
        notice(name);
    guarded([this, &info] {
        switch (info.runs) {
        case SetterRuns::GradientRepaint:
            m_canvas.BuildGradient();
            m_canvas.refreshCopyFromGradient();
            repaintAll();
            break;
        case SetterRuns::RepaintAll:
            repaintAll();
            break;
        case SetterRuns::RebuildShow:
            rebuildDisplay();
            showValue(true);
            break;
        case SetterRuns::ShowOnly:
        case SetterRuns::Special:
            showValue(true);
            break;
        }
    });
    // Sent even when the redraw was refused: the value is stored and the
    // host must still save it.
    if (info.noticeLast)
        notice(name);
}

void SegmentDisplay::notice(std::string_view name)
{
    emit propertyChanged(QString::fromLatin1(name.data(), qsizetype(name.size())));
}

bool SegmentDisplay::guarded(const std::function<void()>& step)
{
    try {
        step();
        m_lastError.clear();
        return true;
    } catch (const DisplayOverflow&) {
        m_lastError = tr("显示尺寸超出范围，未能重绘。");
        return false;
    }
}

// ---- drawing operations

bool SegmentDisplay::RebuildDisplay()
{
    return guarded([this] { rebuildDisplay(); });
}

bool SegmentDisplay::RepaintAll()
{
    return guarded([this] { repaintAll(); });
}

bool SegmentDisplay::ShowValue(bool all)
{
    return guarded([this, all] { showValue(all); });
}

void SegmentDisplay::rebuildDisplay()
{
    ++m_counters.rebuilds;
    // Computed first: a layout that does not fit is refused before anything changes.
    const DigitLayout layout = layoutDigits(m_props, m_digits.layout());
    m_digits.resetThousandsMarks();
    m_canvas.setSize(width(), height());
    m_canvas.rebuildBackground();
    m_digits.BuildShapes();
    m_digits.CreateBrushes();
    m_digits.LayoutDigits(layout);
}

void SegmentDisplay::repaintAll()
{
    ++m_counters.repaintAlls;
    m_canvas.PaintBackground();
    m_canvas.DrawBorder();
    m_digits.ShowValue(m_props.Value, true);
    m_canvas.refresh();
}

void SegmentDisplay::showValue(bool all) { m_digits.ShowValue(m_props.Value, all); }

// ---- control events

void SegmentDisplay::UserControl_Resize()
{
    // Rebuilding (not only recomputing the gradient) keeps the background
    // copy at the control's size, so erasing never copies undefined pixels.
    guarded([this] {
        rebuildDisplay();
        repaintAll();
    });
}

void SegmentDisplay::resizeEvent(QResizeEvent*) { UserControl_Resize(); }

void SegmentDisplay::showEvent(QShowEvent*) { m_digits.resetThousandsMarks(); }

void SegmentDisplay::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QImage& image = m_canvas.surface().image();
    const QRect area = event->rect() & image.rect();
    if (!area.isEmpty())
        painter.drawImage(area.topLeft(), image, area);
}

void SegmentDisplay::applyWindowShape(const segraster::Region& shape)
{
    // Rows with the same spans become one band, so a plain rectangle is one rect.
    QVector<QRect> rects;
    qsizetype bandStart = 0;
    for (int i = 0; i < shape.rowCount(); ++i) {
        const auto row = shape.row(i);
        const auto previous = i > 0 ? shape.row(i - 1) : row;
        const bool extends = i > 0 && previous.y + 1 == row.y && std::ranges::equal(previous.spans, row.spans);
        if (extends) {
            for (qsizetype r = bandStart; r < rects.size(); ++r)
                rects[r].setBottom(row.y);
            continue;
        }
        bandStart = rects.size();
        for (const segraster::Span& span : row.spans)
            rects.append(QRect(span.x0, row.y, span.x1 - span.x0, 1));
    }
    QRegion region;
    region.setRects(rects.constData(), int(rects.size()));
    setMask(region);
}

void SegmentDisplay::announceValue()
{
    if (!QAccessible::isActive())
        return;
    QAccessibleValueChangeEvent event(this, m_props.Value);
    QAccessible::updateAccessibility(&event);
}
