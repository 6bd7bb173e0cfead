// Everything of the display that is not a digit: the control surface, the
// background copy the digits are erased from, the gradient, the picture
// modes, the border ring and the rounded window shape.
#pragma once

#include "displayproperties.h"
#include "drawcounters.h"

#include "gradient.h"
#include "region.h"
#include "surface.h"

#include <QImage>

#include <functional>
#include <optional>

class DisplayCanvas {
public:
    DisplayCanvas(const DisplayProperties& props, DrawCounters& counters);

    // The control's inner size in pixels; the control surface follows it
    // (refused sizes leave an empty surface and raise DisplayOverflow).
    void setSize(int width, int height);
    int width() const { return m_width; }
    int height() const { return m_height; }

    // The background part of a rebuild: a fresh BackgroundCopy, the
    // gradient, then picture or gradient painted with the border.
    void rebuildBackground();
    // Background inside the border, for a full repaint.
    void PaintBackground();
    void DrawBorder();
    // Recomputes the gradient at the current size; throws DisplayOverflow.
    void BuildGradient();
    // Puts the current gradient into BackgroundCopy when no picture is shown,
    // so erased cells match a background whose gradient changed.
    void refreshCopyFromGradient();

    bool HasPicture() const;

    // Copies a w x h block from BackgroundCopy to the same place on the surface.
    void restoreRect(int x, int y, int w, int h);
    // Copies BackgroundCopy back inside one region moved by (dx, dy), at the
    // same coordinates.
    void restoreInRegion(const segraster::Region& region, int dx = 0, int dy = 0);

    // Show what the surface now holds.
    void refresh();

    segraster::Surface& surface() { return m_surface; }
    const segraster::Surface& surface() const { return m_surface; }
    const segraster::Surface& backgroundCopy() const { return BackgroundCopy; }
    const segraster::GradientImage& gradient() const { return m_gradient; }
    const segraster::Region& windowShape() const { return m_windowShape; }

    // Raised by the Picture setter: the next DrawBorder copies the surface
    // (picture and border) into BackgroundCopy.
    bool CaptureBackground = false;

    std::function<void()> onRefresh;
    std::function<void(const segraster::Region&)> onWindowShape;

private:
    void CreateBackgroundCopy();
    void PaintPicture();
    void MakeTileBrush(const QImage& picture);
    void drawGradientInto(segraster::Surface& target, int x, int y, int w, int h);

    const DisplayProperties& p;
    DrawCounters& m_counters;
    int m_width = 0;
    int m_height = 0;
    segraster::Surface m_surface;
    segraster::Surface BackgroundCopy;
    bool m_hasBackgroundCopy = false;
    segraster::GradientImage m_gradient;
    std::optional<QImage> TileBrush;
    segraster::Region m_windowShape;
};
