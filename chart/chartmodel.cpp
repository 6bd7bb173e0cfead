#include "chartmodel.h"

#include <cmath>
#include <limits>
#include <optional>

namespace {

// A computed value that must fit a 32-bit integer; nothing when it does not
// (an overflow), so the step keeps its previous value.
std::optional<std::int32_t> fitted(double v)
{
    if (!std::isfinite(v) || v < std::numeric_limits<std::int32_t>::min()
        || v > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(v);
}

} // namespace

double roundHalfEven(double v)
{
    return std::nearbyint(v);
}

void ChartModel::makeSeries()
{
    Points.assign(static_cast<std::size_t>(props.NumberOfPoints) + 1, -1);
    Points[0] = 0;
    PointCount = 1;
}

bool ChartModel::nextPoint(std::int32_t value)
{
    if (value > props.Max)
        return false;
    const auto n = static_cast<std::size_t>(props.NumberOfPoints);
    if (Points.size() != n + 1)
        return true; // the series does not match the count: nothing to store, still redraw
    if (isFull()) {
        for (std::size_t i = 1; i <= n; ++i)
            Points[i - 1] = Points[i];
        Points[n] = value;
    } else {
        Points[static_cast<std::size_t>(PointCount)] = value;
        ++PointCount;
    }
    return true;
}

void ChartModel::resize(double innerWidth, double innerHeight)
{
    bufferWidth = innerWidth + 8;
    bufferHeight = innerHeight;
    const double n = props.NumberOfPoints;
    if (const auto step = fitted(roundHalfEven(bufferWidth / n) + 1))
        XStep = *step;
    // Max / GridTickVertical is a division by zero when the tick is 0: the
    // spacing then keeps its old value.
    if (props.GridTickVertical != 0) {
        const double ticks = double(props.Max) / props.GridTickVertical;
        if (const auto sp = fitted(roundHalfEven(bufferHeight / ticks)))
            HGridSpacing = *sp;
    }
    if (const auto sp = fitted(roundHalfEven(bufferWidth / n) * props.GridTickHorizontal))
        VGridSpacing = *sp;
}

void ChartModel::plan(double outerHeight, ChartPlan& out)
{
    out.hGrid.clear();
    out.vGrid.clear();
    out.segments.clear();
    // Spacings of 0 or less would never leave the loops: no grid lines then.
    if (HGridSpacing > 0)
        for (double y = roundHalfEven(bufferHeight); y >= 0; y -= HGridSpacing)
            out.hGrid.push_back(y);
    if (VGridSpacing > 0)
        for (double x = 0; x <= roundHalfEven(bufferWidth); x += VGridSpacing)
            out.vGrid.push_back(x);
    // The grid uses the pen the previous redraw left; the series uses DrawWidth.
    out.gridPenWidth = penWidth;
    if (props.DrawWidth >= 1)
        penWidth = props.DrawWidth;
    out.seriesPenWidth = penWidth;

    const double yScale = roundHalfEven(outerHeight / props.Max);
    const double max = props.Max;
    const std::size_t lastSlot = Points.empty() ? 0 : Points.size() - 1;
    const std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(props.NumberOfPoints), lastSlot);
    for (std::size_t i = 1; i <= n && Points[i] >= 0; ++i) {
        const double x = double(i) * XStep;
        out.segments.push_back({ x, yScale * (max - Points[i - 1]), x + XStep, yScale * (max - Points[i]) });
    }
}
