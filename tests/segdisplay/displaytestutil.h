// Helpers shared by the display's widget tests.
#pragma once

#include "propertytext.h"
#include "segmentdisplay.h"

#include <QString>

#include <gtest/gtest.h>

#include <memory>

// Gives the control its size as the host does; a control that is not shown
// gets the resize event at once instead of when it is first shown.
inline void giveSize(SegmentDisplay& display, int w, int h)
{
    display.giveSize(QSize(w, h), UserControl::SizeNotice::Always);
}

inline std::unique_ptr<SegmentDisplay> sizedDisplay(int w = 403, int h = 31)
{
    auto display = std::make_unique<SegmentDisplay>();
    giveSize(*display, w, h);
    return display;
}

inline void setText(SegmentDisplay& display, const char* name, const char* value)
{
    QString error;
    ASSERT_TRUE(setPropertyFromText(display, QString::fromLatin1(name), QString::fromUtf8(value), &error))
        << error.toStdString();
}

// 0xRRGGBB of a surface pixel.
inline unsigned pixelAt(const SegmentDisplay& display, int x, int y)
{
    return display.surfaceImage().pixel(x, y) & 0xFFFFFFu;
}
