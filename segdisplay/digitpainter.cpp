#include "digitpainter.h"

#include "valuetext.h"

#include "colour.h"
#include "shapes.h"

using segraster::Region;

namespace {

// Separator values other than comma (0) draw as the square dot.
int markKind(int32_t separator)
{
    return separator == 0 ? 0 : 1;
}

std::uint32_t brush(OleColour colour)
{
    return static_cast<std::uint32_t>(colours::TranslateColour(colour));
}

} // namespace

DigitPainter::DigitPainter(const DisplayProperties& props, DisplayCanvas& canvas, DrawCounters& counters)
    : p(props)
    , m_canvas(canvas)
    , m_counters(counters)
{
}

void DigitPainter::buildSet(ShapeSet& set, const SegmentMetrics& m, int32_t yOffset)
{
    const int H = shapeExtent(m.H), W = shapeExtent(m.W), Y0 = shapeExtent(yOffset);
    for (int entry = 0; entry < segraster::kDecimalMark; ++entry)
        set[size_t(entry)] = segraster::MakeSegmentShape(entry, H, W);
    set[segraster::kDecimalMark] = *segraster::MakeMarkShape(markKind(p.DecimalSeparator), H, W, Y0);
    set[segraster::kThousandsMark] = *segraster::MakeMarkShape(markKind(p.ThousandsSeparator), H, W, Y0);
}

void DigitPainter::BuildShapes()
{
    buildSet(MainShapes, mainMetrics(p), p.YOffset);
    buildSet(ExpShapes, expMetrics(p), p.YOffsetExp);
}

void DigitPainter::CreateBrushes()
{
    LitBrush = brush(p.SegmentLitColor);
    BurnInBrush = brush(p.BurnInColor);
    LitBrushNeg = brush(p.SegmentLitColorNeg);
    BurnInBrushNeg = brush(p.BurnInColorNeg);
}

void DigitPainter::resetThousandsMarks()
{
    ThousandsMarks.assign(size_t(drawnDigits(p.NumDigits)), false);
}

void DigitPainter::ShowValue(QString& text, bool all)
{
    normaliseValue(text);
    const bool negative = valueIsNegative(text);
    if (negative != ShowingNegative) {
        // A change of sign repaints every cell in the other colours.
        LastMain = QString(drawnDigits(p.NumDigits), QLatin1Char('X'));
        LastExp = QString(drawnDigitsExp(p.NumDigitsExp), QLatin1Char('X'));
    }
    ShowingNegative = negative;
    const SplitText split = splitValue(text, drawnDigitsExp(p.NumDigitsExp));
    DrawMainDigits(split.main, all);
    if (p.ShowExponent)
        DrawExponentDigits(split.exponent, all);
}

void DigitPainter::DrawMainDigits(QString main, bool all)
{
    const int count = drawnDigits(p.NumDigits);
    if (p.ShowThousandsSeparator) {
        ThousandsMarks = markThousands(main, count, p.ThousandsGrouping);
        DrawThousandsMarks();
    }
    PlaceDecimalMark(main);
    PlaceColon(main);
    const Row row { p.SegmentStyle, MainShapes, mainMetrics(p), p.YOffset, m_layout.CellWidth,
        m_layout.CellHeight };
    paintRow(row, alignRight(main, count), LastMain, m_layout.DigitX.data(), all);
}

void DigitPainter::DrawExponentDigits(const QString& exp, bool all)
{
    const Row row { p.SegmentStyleExp, ExpShapes, expMetrics(p), p.YOffsetExp, m_layout.CellWidthExp,
        m_layout.CellHeightExp };
    paintRow(row, alignRight(exp, drawnDigitsExp(p.NumDigitsExp)), LastExp, m_layout.DigitXExp.data(), all);
}

void DigitPainter::paintRow(
    const Row& row, const QString& aligned, QString& last, const int32_t* xs, bool all)
{
    if (isSegmentShape(row.style)) {
        for (qsizetype i = 0; i < aligned.size(); ++i)
            if (all || i >= last.size() || aligned.at(i) != last.at(i))
                PaintDigit(row, aligned.at(i), xs[i]);
    }
    m_canvas.refresh();
    last = aligned;
}

MarkGeometry DigitPainter::markGeometry() const
{
    return { m_layout.CellWidth, m_layout.CellHeight, p.InterDigitGap, p.YOffset, p.SegmentStyle,
        mainMetrics(p) };
}

void DigitPainter::eraseMark(int32_t separator, const Region& shape, int32_t x, int32_t y)
{
    if (markKind(separator) == 0)
        RestoreInShape(shape, x, y);
    else
        m_canvas.restoreRect(x, y, p.SegmentWidth, p.SegmentWidth);
}

void DigitPainter::DrawThousandsMarks()
{
    const MarkGeometry g = markGeometry();
    const Region& shape = MainShapes[segraster::kThousandsMark];
    for (size_t i = 0; i < ThousandsMarks.size(); ++i) {
        const MarkPos at = markPosition(p.ThousandsSeparator, m_layout.DigitX[i], g);
        if (ThousandsMarks[i])
            PaintSegment(shape, at.x, at.y, '1');
        else
            eraseMark(p.ThousandsSeparator, shape, at.x, at.y);
    }
}

void DigitPainter::PlaceDecimalMark(QString& main)
{
    const Region& shape = MainShapes[segraster::kDecimalMark];
    if (DecimalMarkPos.x >= 0)
        eraseMark(p.DecimalSeparator, shape, DecimalMarkPos.x, DecimalMarkPos.y);
    const int k = markCell(main, QLatin1Char('.'), drawnDigits(p.NumDigits));
    DecimalMarkPos.x = -1;
    if (k >= 0) {
        DecimalMarkPos = markPosition(p.DecimalSeparator, m_layout.DigitX[size_t(k)], markGeometry());
        PaintSegment(shape, DecimalMarkPos.x, DecimalMarkPos.y, '1');
    }
    removeFirst(main, QLatin1Char('.'));
}

void DigitPainter::PlaceColon(QString& main)
{
    if (ColonPos.x >= 0) {
        m_canvas.restoreRect(ColonPos.x, ColonPos.y1, p.SegmentWidth, p.SegmentWidth);
        m_canvas.restoreRect(ColonPos.x, ColonPos.y2, p.SegmentWidth, p.SegmentWidth);
    }
    const int k = markCell(main, QLatin1Char(':'), drawnDigits(p.NumDigits));
    ColonPos.x = -1;
    if (k >= 0) {
        ColonPos = colonPosition(m_layout.DigitX[size_t(k)], markGeometry());
        const Region& shape = MainShapes[segraster::kDecimalMark];
        PaintSegment(shape, ColonPos.x, ColonPos.y1, '1');
        PaintSegment(shape, ColonPos.x, ColonPos.y2, '1');
    }
    removeFirst(main, QLatin1Char(':'));
}

void DigitPainter::PaintDigit(const Row& row, QChar ch, int32_t x)
{
    ++m_counters.cellPaints;
    m_canvas.restoreRect(x, row.top, row.cellW, row.cellH);
    const int r = patternIndex(ch, p.ShowBurnIn);
    if (r < 0)
        return;
    const auto places = segmentPlaces(row.style, x, row.top, row.m);
    for (size_t k = 0; k < places.size(); ++k)
        PaintSegment(
            row.shapes[size_t(places[k].shape)], places[k].x, places[k].y, kSegmentPatterns[size_t(r)][k]);
}

void DigitPainter::PaintSegment(const Region& shape, int32_t x, int32_t y, char bit)
{
    std::uint32_t colour;
    if (bit == '0' && p.ShowBurnIn)
        colour = ShowingNegative ? BurnInBrushNeg : BurnInBrush;
    else if (bit == '1')
        colour = ShowingNegative ? LitBrushNeg : LitBrush;
    else
        return;
    // The shape stays where it was built; the surface paints it moved to (x, y).
    if (p.SegmentFillStyle == int32_t(SegmentFill::Solid))
        m_canvas.surface().fill(shape, colour, x, y);
    else
        m_canvas.surface().frame(shape, colour, x, y);
}

void DigitPainter::RestoreInShape(const Region& shape, int32_t x, int32_t y)
{
    m_canvas.restoreInRegion(shape, x, y);
}
