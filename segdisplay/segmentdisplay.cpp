#include "segmentdisplay.h"

#include "displaybag.h"
#include "propertytable.h"
#include "segmentdisplayaccessible.h"
#include "themes.h"

#include <QAccessible>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <QVector>

#include <algorithm>

SegmentDisplay::SegmentDisplay(QWidget* parent)
    : UserControl(parent)
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

void SegmentDisplay::setPicture(PicturePtr New_Picture)
{
    m_props.Picture = std::move(New_Picture);
    notice("Picture");
    m_canvas.CaptureBackground = true;
    recordingOverflow([this] {
        rebuildDisplay();
        showValue(true);
    });
}

void SegmentDisplay::setTheme(int New_Theme)
{
    m_props.Theme = New_Theme;
    notice("Theme");
    applyThemeRow(New_Theme);
    recordingOverflow([this] {
        rebuildDisplay();
        repaintAll();
        showValue(true);
    });
}

void SegmentDisplay::setValue(const QString& New_Value)
{
    m_props.Value = New_Value;
    recordingOverflow([this] { showValue(false); });
    notice("Value");
    announceValue();
}

void SegmentDisplay::afterStore(const PropertyInfo& info)
{
    if (!info.noticeLast)
        notice(info.name);
    recordingOverflow([this, &info] {
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
        notice(info.name);
}

void SegmentDisplay::notice(std::string_view name)
{
    PropertyChanged(propertyfields::keyOf(name));
}

bool SegmentDisplay::recordingOverflow(const std::function<void()>& step)
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

// ---- the host's lifecycle calls

void SegmentDisplay::InitProperties()
{
    m_props = DisplayProperties();
}

void SegmentDisplay::ReadProperties(const PropertyBag& bag)
{
    readDisplayFields(bag, m_props, true);
    evenSegmentSizes(m_props);
    RebuildDisplay();
}

void SegmentDisplay::WriteProperties(PropertyBag& bag) const
{
    writeDisplayFields(bag, m_props, true);
}

// Setting Theme stores the row's values straight into the fields (Picture
// cleared, not emptied, and no background capture), theme 5's PictureMode
// through its own setter at that point, then gives the control the row's
// width and height. Any other number changes nothing here.
void SegmentDisplay::applyThemeRow(int n)
{
    const ThemeRow* row = themeRow(n);
    if (!row)
        return;
    storeThemeHead(m_props, *row);
    m_props.Picture = nullptr;
    if (n == 5)
        setPictureMode(int32_t(PictureLayout::Regular));
    else
        m_props.PictureMode = int32_t(PictureLayout::Regular);
    storeThemeTail(m_props, *row);
    const QSize size = themeSize(*row);
    giveSize(QSize(size.width(), height()));
    giveSize(size);
}

// ---- drawing operations

bool SegmentDisplay::RebuildDisplay()
{
    return recordingOverflow([this] { rebuildDisplay(); });
}

bool SegmentDisplay::RepaintAll()
{
    return recordingOverflow([this] { repaintAll(); });
}

bool SegmentDisplay::ShowValue(bool all)
{
    return recordingOverflow([this, all] { showValue(all); });
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

void SegmentDisplay::showValue(bool all)
{
    m_digits.ShowValue(m_props.Value, all);
}

// ---- control events

void SegmentDisplay::UserControl_Resize()
{
    // Rebuilding (not only recomputing the gradient) keeps the background
    // copy at the control's size, so erasing never copies undefined pixels.
    recordingOverflow([this] {
        rebuildDisplay();
        repaintAll();
    });
}

void SegmentDisplay::resizeEvent(QResizeEvent*)
{
    UserControl_Resize();
}

void SegmentDisplay::showEvent(QShowEvent*)
{
    m_digits.resetThousandsMarks();
}

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
        const bool extends
            = i > 0 && previous.y + 1 == row.y && std::ranges::equal(previous.spans, row.spans);
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
