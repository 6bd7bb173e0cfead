#pragma once
// The strip chart without a window: the series, the geometry computed on
// resize, and what one redraw draws, all in twips (the chart's scale units).
#include "chartproperties.h"

#include <cstdint>
#include <vector>

struct ChartLine {
    double x1, y1, x2, y2;
};

// One redraw's content: horizontal grid lines (their y), vertical grid lines
// (their x), the series segments, and the pen width each part is drawn with.
struct ChartPlan {
    std::vector<double> hGrid;
    std::vector<double> vGrid;
    std::vector<ChartLine> segments;
    int gridPenWidth = 1;
    int seriesPenWidth = 1;
};

class ChartModel {
public:
    HistogramProperties props;

    // Points(0) .. Points(NumberOfPoints); -1 marks an empty slot.
    std::vector<std::int32_t> Points;
    std::int32_t PointCount = 1; // next slot to fill; NumberOfPoints + 1 when full
    std::int32_t XStep = 0;
    std::int32_t HGridSpacing = 0;
    std::int32_t VGridSpacing = 0;
    double bufferWidth = 0; // back buffer, twips
    double bufferHeight = 0;
    int penWidth = 1; // the back buffer's pen, left from the previous redraw

    // A fresh, empty series of NumberOfPoints + 1 slots.
    void makeSeries();
    // Adds one sample. False (and nothing changed) when it lies above Max.
    bool nextPoint(std::int32_t value);
    // Geometry for a control whose inner area is this many twips.
    void resize(double innerWidth, double innerHeight);
    // The next redraw's content for a control of this outer height (twips);
    // it takes over the series pen width for the redraw after it.
    void plan(double outerHeight, ChartPlan& out);

    bool isFull() const { return PointCount > props.NumberOfPoints; }
};

// Nearest whole number, halves to the even neighbour.
double roundHalfEven(double v);
