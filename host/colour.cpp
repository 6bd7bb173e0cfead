#include "colour.h"

#include <QGuiApplication>
#include <QPalette>

#include <array>
#include <optional>

namespace colours {

namespace {

    struct SystemColour {
        unsigned char r, g, b;
        // Palette role that stands for this colour in a running application, if any.
        std::optional<QPalette::ColorRole> role;
        QPalette::ColorGroup group = QPalette::Active;
    };

    // Index -> classic default scheme and the matching Qt palette role.
    constexpr std::array<SystemColour, 31> kSystemColours { {
        { 192, 192, 192, std::nullopt }, // 0 scroll bar
        { 0, 128, 128, std::nullopt }, // 1 desktop
        { 0, 0, 128, std::nullopt }, // 2 active caption
        { 128, 128, 128, std::nullopt }, // 3 inactive caption
        { 192, 192, 192, QPalette::Window }, // 4 menu
        { 255, 255, 255, QPalette::Base }, // 5 window
        { 0, 0, 0, std::nullopt }, // 6 window frame
        { 0, 0, 0, QPalette::WindowText }, // 7 menu text
        { 0, 0, 0, QPalette::Text }, // 8 window text
        { 255, 255, 255, std::nullopt }, // 9 caption text
        { 192, 192, 192, std::nullopt }, // 10 active border
        { 192, 192, 192, std::nullopt }, // 11 inactive border
        { 128, 128, 128, std::nullopt }, // 12 application workspace
        { 0, 0, 128, QPalette::Highlight }, // 13 highlight
        { 255, 255, 255, QPalette::HighlightedText }, // 14 highlight text
        { 192, 192, 192, QPalette::Button }, // 15 button face
        { 128, 128, 128, QPalette::Dark }, // 16 button shadow
        { 128, 128, 128, QPalette::Text, QPalette::Disabled }, // 17 grey text
        { 0, 0, 0, QPalette::ButtonText }, // 18 button text
        { 192, 192, 192, std::nullopt }, // 19 inactive caption text
        { 255, 255, 255, QPalette::Light }, // 20 button highlight
        { 0, 0, 0, QPalette::Shadow }, // 21 3-D dark shadow
        { 192, 192, 192, QPalette::Midlight }, // 22 3-D light
        { 0, 0, 0, QPalette::ToolTipText }, // 23 tooltip text
        { 255, 255, 225, QPalette::ToolTipBase }, // 24 tooltip background
        { 0, 0, 0, std::nullopt }, // 25 (unused slot, black)
        { 0, 0, 255, QPalette::Link }, // 26 hot-tracked item
        { 16, 132, 208, std::nullopt }, // 27 active caption gradient
        { 181, 181, 181, std::nullopt }, // 28 inactive caption gradient
        { 0, 0, 128, QPalette::Highlight }, // 29 menu highlight
        { 192, 192, 192, QPalette::Window }, // 30 menu bar
    } };

    constexpr std::int32_t colourRef(int r, int g, int b)
    {
        return r | (g << 8) | (b << 16);
    }

} // namespace

std::int32_t ClassicSystemColour(int index)
{
    if (index < 0 || index >= static_cast<int>(kSystemColours.size()))
        return -1;
    const SystemColour& c = kSystemColours[static_cast<std::size_t>(index)];
    return colourRef(c.r, c.g, c.b);
}

std::int32_t TranslateColour(std::uint32_t ref)
{
    // Top byte 0: plain RGB; 2: palette-relative RGB, the same colour without a
    // palette. Other kinds of reference cannot be translated.
    const std::uint32_t kind = ref >> 24;
    if (kind == 0x00 || kind == 0x02)
        return static_cast<std::int32_t>(ref & 0x00FFFFFFu);
    if ((ref & 0x80000000u) == 0)
        return -1;
    if ((ref & 0x7FFFFF00u) != 0)
        return -1;
    const int index = static_cast<int>(ref & 0xFFu);
    const std::int32_t classic = ClassicSystemColour(index);
    if (classic < 0 || qGuiApp == nullptr)
        return classic;
    const SystemColour& c = kSystemColours[static_cast<std::size_t>(index)];
    if (!c.role)
        return classic;
    const QColor q = QGuiApplication::palette().color(c.group, *c.role);
    return colourRef(q.red(), q.green(), q.blue());
}

} // namespace colours
