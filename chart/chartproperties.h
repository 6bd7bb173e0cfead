#pragma once
// The strip chart's ten designed properties, their defaults, and how they are
// kept in the host's property bag (under their names, defaults omitted).
#include "propertybag.h"
#include "propertyfields.h"

#include <array>
#include <cstdint>

struct HistogramProperties {
    std::int16_t Appearance = 1; // 0 flat, 1 three-dimensional
    std::int16_t BorderStyle = 1; // 0 none, 1 single line
    std::int16_t DrawWidth = 1; // pen width of the series, pixels
    std::int16_t GridTickHorizontal = 10; // samples between vertical grid lines
    std::int16_t GridTickVertical = 25; // value units between horizontal grid lines
    std::int32_t NumberOfPoints = 100;
    std::uint32_t BackColor = 0x80000012; // system colour 18, button text
    std::uint32_t GridColour = 32768; // green 128
    std::int32_t Max = 100;
    std::uint32_t ForeColor = 65280; // green 255

    bool operator==(const HistogramProperties&) const = default;
};

// The ten properties under their names, in the order they are read and written.
inline constexpr std::array<PropertyField<HistogramProperties>, 10> kChartProperties { {
    propertyField("Appearance", &HistogramProperties::Appearance),
    propertyField("BorderStyle", &HistogramProperties::BorderStyle),
    propertyField("DrawWidth", &HistogramProperties::DrawWidth),
    propertyField("GridTickHorizontal", &HistogramProperties::GridTickHorizontal),
    propertyField("GridTickVertical", &HistogramProperties::GridTickVertical),
    propertyField("NumberOfPoints", &HistogramProperties::NumberOfPoints),
    propertyField("BackColor", &HistogramProperties::BackColor),
    propertyField("GridColour", &HistogramProperties::GridColour),
    propertyField("Max", &HistogramProperties::Max),
    propertyField("ForeColor", &HistogramProperties::ForeColor),
} };

// The series is allocated once per load with NumberOfPoints + 1 slots; a
// stored or assigned count above this would only exhaust memory, never draw.
inline constexpr std::int32_t kMaxNumberOfPoints = 1'000'000;

// Values the chart cannot work with: a series of no samples, or a top value
// below one that makes every scale a division by zero.
constexpr bool validNumberOfPoints(std::int32_t n)
{
    return n >= 1 && n <= kMaxNumberOfPoints;
}
constexpr bool validMax(std::int32_t max)
{
    return max >= 1;
}

// Reads the ten properties in their order; absent, unreadable or unusable
// entries take their defaults.
HistogramProperties readHistogramProperties(const PropertyBag& bag);
// Writes the ten properties in their order; defaults are not stored.
void writeHistogramProperties(PropertyBag& bag, const HistogramProperties& p);
