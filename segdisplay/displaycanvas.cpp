#include "displaycanvas.h"

#include "digitlayout.h"

#include "colour.h"
#include "shapes.h"

#include <algorithm>
#include <cstdlib>

using segraster::Rect;
using segraster::Region;

DisplayCanvas::DisplayCanvas(const DisplayProperties& props, DrawCounters& counters)
    : p(props)
    , m_counters(counters)
{
}

void DisplayCanvas::setSize(int width, int height)
{
    if (width == m_width && height == m_height && !m_surface.isNull())
        return;
    m_width = width;
    m_height = height;
    if (width <= 0 || height <= 0) {
        m_surface = segraster::Surface();
        return;
    }
    if (!m_surface.resize(width, height))
        throw DisplayOverflow("display size refused");
}

void DisplayCanvas::CreateBackgroundCopy()
{
    BackgroundCopy = segraster::Surface();
    m_hasBackgroundCopy = false;
    if (m_width <= 0 || m_height <= 0)
        return;
    if (!BackgroundCopy.resize(m_width, m_height))
        throw DisplayOverflow("background copy size refused");
    m_hasBackgroundCopy = true;
}

void DisplayCanvas::rebuildBackground()
{
    CreateBackgroundCopy();
    BuildGradient();
    if (HasPicture()) {
        PaintPicture();
        DrawBorder();
        BackgroundCopy.blit(0, 0, m_width, m_height, m_surface, 0, 0);
    } else {
        drawGradientInto(BackgroundCopy, 0, 0, m_width, m_height);
        m_surface.blit(0, 0, m_width, m_height, BackgroundCopy, 0, 0);
        DrawBorder();
    }
}

void DisplayCanvas::BuildGradient()
{
    ++m_counters.gradientBuilds;
    const auto c1 = static_cast<std::uint32_t>(colours::TranslateColour(p.BackColor1));
    const auto c2 = static_cast<std::uint32_t>(colours::TranslateColour(p.BackColor2));
    const auto result
        = segraster::BuildGradient(m_gradient, m_width, m_height, c1, c2, p.BackAngle, p.BackMiddleOut);
    if (result == segraster::GradientResult::Overflow)
        throw DisplayOverflow("gradient size refused");
}

void DisplayCanvas::refreshCopyFromGradient()
{
    if (!HasPicture() && m_hasBackgroundCopy)
        drawGradientInto(BackgroundCopy, 0, 0, m_width, m_height);
}

void DisplayCanvas::drawGradientInto(segraster::Surface& target, int x, int y, int w, int h)
{
    if (m_gradient.isEmpty() || w <= 0 || h <= 0)
        return;
    target.drawBottomUpBits(x, y, w, h, m_gradient.bits.data(), m_gradient.width, m_gradient.height, x, y);
}

void DisplayCanvas::PaintBackground()
{
    if (HasPicture()) {
        PaintPicture();
        return;
    }
    const int B = p.BorderWidth;
    drawGradientInto(m_surface, B, B, m_width - 2 * B, m_height - 2 * B);
}

bool DisplayCanvas::HasPicture() const
{
    return p.Picture && !p.Picture->isNull() && p.Picture->width() != 0 && p.Picture->height() != 0;
}

void DisplayCanvas::PaintPicture()
{
    const QImage& picture = *p.Picture;
    const int B = p.BorderWidth;
    switch (PictureLayout(p.PictureMode)) {
    case PictureLayout::Regular:
        m_surface.drawImage(0, 0, picture);
        break;
    case PictureLayout::Stretched:
        m_surface.stretchBlit(
            Rect { B, B, m_width, m_height }, picture, Rect { 0, 0, picture.width(), picture.height() });
        break;
    case PictureLayout::Tiled:
        MakeTileBrush(picture);
        if (TileBrush)
            m_surface.fillTiled(Rect { B, B, m_width - B, m_height - B }, *TileBrush, B, B);
        break;
    default:
        break;
    }
}

void DisplayCanvas::MakeTileBrush(const QImage& picture)
{
    // The pattern keeps the picture's colours without its transparency, as a
    // 24-bit copy would.
    QImage pattern = picture.convertToFormat(QImage::Format_RGB32);
    if (!pattern.isNull())
        TileBrush = std::move(pattern);
}

namespace {

// The outline inset by the border width. Only its part inside the control
// matters (the ring is the outline minus it), so an edge far outside the
// control is pulled in to just beyond the reach of the corner cuts: the
// pixels inside stay the same, and a hostile border width never builds a
// region thousands of rows tall. Edges are clamped one by one, not swapped,
// because an inverted box places its corner cuts by the given edges.
Region innerOutline(int w, int h, int B, int tl, int tr, int bl, int br)
{
    const int reach = 2 * std::max({ std::abs(tl), std::abs(tr), std::abs(bl), std::abs(br) }) + 2;
    const auto pull = [reach](int v, int size) { return std::clamp(v, -reach, size + reach); };
    return segraster::MakeRoundedRegion(
        pull(B, w), pull(B, h), pull(w - B, w), pull(h - B, h), tl, tr, bl, br);
}

} // namespace

void DisplayCanvas::DrawBorder()
{
    const int w = m_width, h = m_height, B = p.BorderWidth;
    const int tl = shapeExtent(p.CurveTopLeft), tr = shapeExtent(p.CurveTopRight);
    const int bl = shapeExtent(p.CurveBottomLeft), br = shapeExtent(p.CurveBottomRight);
    Region outer = segraster::MakeRoundedRegion(0, 0, w, h, tl, tr, bl, br);
    const Region inner = innerOutline(w, h, B, tl, tr, bl, br);
    m_surface.fill(
        outer.subtracted(inner), static_cast<std::uint32_t>(colours::TranslateColour(p.BorderColor)));
    if (!(outer == m_windowShape)) {
        m_windowShape = std::move(outer);
        if (onWindowShape)
            onWindowShape(m_windowShape);
    }
    if (CaptureBackground) {
        BackgroundCopy.blit(0, 0, m_width, m_height, m_surface, 0, 0);
        CaptureBackground = false;
    }
}

void DisplayCanvas::restoreRect(int x, int y, int w, int h)
{
    if (m_hasBackgroundCopy)
        m_surface.blit(x, y, w, h, BackgroundCopy, x, y);
}

void DisplayCanvas::restoreInRegion(const Region& region, int dx, int dy)
{
    if (m_hasBackgroundCopy)
        m_surface.copyInRegion(BackgroundCopy, region, dx, dy);
}

void DisplayCanvas::refresh()
{
    ++m_counters.refreshes;
    if (onRefresh)
        onRefresh();
}
