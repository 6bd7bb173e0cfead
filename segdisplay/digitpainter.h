// The digit rows of the display: the cached segment shapes and brushes, the
// cell layout, and painting the Value text cell by cell, repainting only the
// cells whose character changed.
#pragma once

#include "digitlayout.h"
#include "displaycanvas.h"
#include "displayproperties.h"
#include "drawcounters.h"

#include "region.h"

#include <QString>

#include <array>
#include <cstdint>
#include <vector>

using ShapeSet = std::array<segraster::Region, 10>;

class DigitPainter {
public:
    DigitPainter(const DisplayProperties& props, DisplayCanvas& canvas, DrawCounters& counters);

    void BuildShapes();
    void CreateBrushes();
    // Makes `layout` the layout in force (computed beforehand, so a refused
    // layout never leaves a half-built display).
    void LayoutDigits(const DigitLayout& layout) { m_layout = layout; }
    const DigitLayout& layout() const { return m_layout; }
    // ThousandsMarks re-sized to the row, all False.
    void resetThousandsMarks();

    // Normalises `text` in place and paints it; `all` repaints every cell.
    void ShowValue(QString& text, bool all);

    // What was painted last, for the sign switch and for tests.
    QString LastMain;
    QString LastExp;
    bool ShowingNegative = false;
    std::vector<bool> ThousandsMarks;
    MarkPos DecimalMarkPos { -1, -1 };
    ColonPosition ColonPos { -1, -1, -1 };

    ShapeSet MainShapes;
    ShapeSet ExpShapes;
    std::uint32_t LitBrush = 0;
    std::uint32_t BurnInBrush = 0;
    std::uint32_t LitBrushNeg = 0;
    std::uint32_t BurnInBrushNeg = 0;

private:
    struct Row {
        int32_t style;
        const ShapeSet& shapes;
        SegmentMetrics m;
        int32_t top;
        int32_t cellW;
        int32_t cellH;
    };

    void buildSet(ShapeSet& set, const SegmentMetrics& m, int32_t yOffset);
    void DrawMainDigits(QString main, bool all);
    void DrawExponentDigits(const QString& exp, bool all);
    void paintRow(const Row& row, const QString& aligned, QString& last, const int32_t* xs, bool all);
    void DrawThousandsMarks();
    void PlaceDecimalMark(QString& main);
    void PlaceColon(QString& main);
    void eraseMark(int32_t separator, const segraster::Region& shape, int32_t x, int32_t y);
    MarkGeometry markGeometry() const;
    void PaintDigit(const Row& row, QChar ch, int32_t x);
    void PaintSegment(const segraster::Region& shape, int32_t x, int32_t y, char bit);
    void RestoreInShape(const segraster::Region& shape, int32_t x, int32_t y);

    const DisplayProperties& p;
    DisplayCanvas& m_canvas;
    DrawCounters& m_counters;
    DigitLayout m_layout;
};
