#include "uchistogram.h"

#include "chartproperties.h"
#include "colour.h"
#include "units.h"

#include <QPainter>
#include <QResizeEvent>
#include <qdrawutil.h>

#include <algorithm>
#include <cstring>
#include <optional>

namespace {

// RGB of a colour reference, or nothing when it names no colour (the drawing
// step that needs it is then skipped).
std::optional<QColor> rgbOf(std::uint32_t ref)
{
    const std::int32_t rgb = colours::TranslateColour(ref);
    if (rgb < 0)
        return std::nullopt;
    return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
}

// Twips to device pixels, kept inside what the painter can handle.
double px(double twips)
{
    return std::clamp(twips / units::kTwipsPerPixel, -1e6, 1e6);
}

void drawLines(QPainter& p, const std::vector<ChartLine>& lines)
{
    for (const ChartLine& l : lines)
        p.drawLine(QLineF(px(l.x1), px(l.y1), px(l.x2), px(l.y2)));
}

constexpr int kCopyOffset = 8; // device pixels hidden at the left of the picture

// A plain source copy of `from` onto `to` with its left edge `shift` pixels
// to the left of the target's: row by row, as both are 32-bit images.
void copyShiftedLeft(const QImage& from, QImage& to, int shift)
{
    const int w = std::min(from.width() - shift, to.width());
    const int h = std::min(from.height(), to.height());
    if (w <= 0 || h <= 0 || from.depth() != 32 || to.depth() != 32)
        return;
    for (int y = 0; y < h; ++y)
        std::memcpy(to.scanLine(y), from.constScanLine(y) + std::size_t(shift) * 4, std::size_t(w) * 4);
}

} // namespace

ucHistogram::ucHistogram(QWidget* parent)
    : UserControl(parent)
{
    setObjectName(QStringLiteral("ucHistogram"));
    setAccessibleName(tr("曲线图"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    loaded();
}

void ucHistogram::InitProperties()
{
    m_model.props = HistogramProperties();
    loaded();
}

void ucHistogram::ReadProperties(const PropertyBag& bag)
{
    m_model.props = readHistogramProperties(bag);
    loaded();
}

void ucHistogram::WriteProperties(PropertyBag& bag) const
{
    writeHistogramProperties(bag, m_model.props);
}

void ucHistogram::loaded()
{
    m_model.makeSeries();
    applySurface();
    if (const auto back = rgbOf(m_model.props.BackColor); back && !picHist.isNull())
        picHist.fill(*back);
    describe();
}

int ucHistogram::borderWidth() const
{
    if (m_model.props.BorderStyle != 1)
        return 0;
    return m_model.props.Appearance == 1 ? 2 : 1;
}

// The control's own surface: its background colour inside the border.
void ucHistogram::applySurface()
{
    const int b = borderWidth();
    const QSize inner(std::max(0, width() - 2 * b), std::max(0, height() - 2 * b));
    if (m_surface.size() != inner)
        m_surface = QImage(inner, QImage::Format_RGB32);
    if (const auto back = rgbOf(m_model.props.BackColor); back && !m_surface.isNull())
        m_surface.fill(*back);
    update();
}

void ucHistogram::resizeEvent(QResizeEvent* event)
{
    UserControl::resizeEvent(event);
    UserControl_Resize();
}

void ucHistogram::UserControl_Resize()
{
    const int b = borderWidth();
    const double innerW = units::twipsFromPixels(std::max(0, width() - 2 * b));
    const double innerH = units::twipsFromPixels(std::max(0, height() - 2 * b));
    m_model.resize(innerW, innerH);
    const int bufW = int(std::ceil(m_model.bufferWidth / units::kTwipsPerPixel));
    const int bufH = int(std::ceil(m_model.bufferHeight / units::kTwipsPerPixel));
    picHist = QImage(bufW, bufH, QImage::Format_RGB32);
    if (const auto back = rgbOf(m_model.props.BackColor); back && !picHist.isNull())
        picHist.fill(*back);
    applySurface();
}

void ucHistogram::NextPoint(std::int32_t value)
{
    if (!m_model.nextPoint(value))
        return;
    drawPlan();
    describe();
}

void ucHistogram::Refresh()
{
    drawPlan();
}

void ucHistogram::drawPlan()
{
    m_model.plan(units::twipsFromPixels(height()), m_plan);
    if (picHist.isNull())
        return;
    if (const auto back = rgbOf(m_model.props.BackColor))
        picHist.fill(*back);
    QPainter p(&picHist);
    if (const auto grid = rgbOf(m_model.props.GridColour)) {
        p.setPen(QPen(*grid, m_plan.gridPenWidth));
        const double w = px(m_model.bufferWidth), h = px(m_model.bufferHeight);
        for (double y : m_plan.hGrid)
            p.drawLine(QLineF(0, px(y), w, px(y)));
        for (double x : m_plan.vGrid)
            p.drawLine(QLineF(px(x), 0, px(x), h));
    }
    if (const auto fore = rgbOf(m_model.props.ForeColor)) {
        p.setPen(QPen(*fore, m_plan.seriesPenWidth));
        drawLines(p, m_plan.segments);
    }
    p.end();
    copyShiftedLeft(picHist, m_surface, kCopyOffset);
    update();
}

void ucHistogram::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const int b = borderWidth();
    p.drawImage(b, b, m_surface);
    if (m_model.props.BorderStyle != 1)
        return;
    if (m_model.props.Appearance == 1)
        qDrawWinPanel(&p, rect(), palette(), true);
    else
        qDrawPlainRect(&p, rect(), Qt::black, 1);
}

void ucHistogram::describe()
{
    const auto& pts = m_model.Points;
    const int last = m_model.isFull() ? m_model.props.NumberOfPoints : m_model.PointCount - 1;
    const QString latest
        = last >= 1 && std::size_t(last) < pts.size() ? QString::number(pts[std::size_t(last)]) : tr("无");
    setAccessibleDescription(tr("最近 %1 个采样的曲线，上限 %2，最新值 %3")
                                 .arg(m_model.props.NumberOfPoints)
                                 .arg(m_model.props.Max)
                                 .arg(latest));
}

void ucHistogram::setNumberOfPoints(std::int32_t value)
{
    if (!validNumberOfPoints(value))
        return;
    assign(&HistogramProperties::NumberOfPoints, value);
    m_model.makeSeries();
    describe();
}

void ucHistogram::setMax(std::int32_t value)
{
    if (!validMax(value))
        return;
    assign(&HistogramProperties::Max, value);
    describe();
}
