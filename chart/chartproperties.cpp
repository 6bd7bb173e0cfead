#include "chartproperties.h"

HistogramProperties readHistogramProperties(const PropertyBag& bag)
{
    const HistogramProperties d;
    HistogramProperties p;
    for (const auto& field : kChartProperties)
        propertyfields::readField(bag, field, p, d);
    if (!validNumberOfPoints(p.NumberOfPoints))
        p.NumberOfPoints = d.NumberOfPoints;
    if (!validMax(p.Max))
        p.Max = d.Max;
    return p;
}

void writeHistogramProperties(PropertyBag& bag, const HistogramProperties& p)
{
    const HistogramProperties d;
    for (const auto& field : kChartProperties)
        propertyfields::writeField(bag, field, p, d);
}
