#include "chartproperties.h"

HistogramProperties readHistogramProperties(const PropertyBag& bag)
{
    const HistogramProperties d;
    HistogramProperties p;
    p.Appearance = bag.readInt16("Appearance", d.Appearance);
    p.BorderStyle = bag.readInt16("BorderStyle", d.BorderStyle);
    p.DrawWidth = bag.readInt16("DrawWidth", d.DrawWidth);
    p.GridTickHorizontal = bag.readInt16("GridTickHorizontal", d.GridTickHorizontal);
    p.GridTickVertical = bag.readInt16("GridTickVertical", d.GridTickVertical);
    p.NumberOfPoints = bag.readInt32("NumberOfPoints", d.NumberOfPoints);
    p.BackColor = bag.readColour("BackColor", d.BackColor);
    p.GridColour = bag.readColour("GridColour", d.GridColour);
    p.Max = bag.readInt32("Max", d.Max);
    p.ForeColor = bag.readColour("ForeColor", d.ForeColor);
    if (!validNumberOfPoints(p.NumberOfPoints))
        p.NumberOfPoints = d.NumberOfPoints;
    if (!validMax(p.Max))
        p.Max = d.Max;
    return p;
}

void writeHistogramProperties(PropertyBag& bag, const HistogramProperties& p)
{
    const HistogramProperties d;
    bag.writeInt16("Appearance", p.Appearance, d.Appearance);
    bag.writeInt16("BorderStyle", p.BorderStyle, d.BorderStyle);
    bag.writeInt16("DrawWidth", p.DrawWidth, d.DrawWidth);
    bag.writeInt16("GridTickHorizontal", p.GridTickHorizontal, d.GridTickHorizontal);
    bag.writeInt16("GridTickVertical", p.GridTickVertical, d.GridTickVertical);
    bag.writeInt32("NumberOfPoints", p.NumberOfPoints, d.NumberOfPoints);
    bag.writeColour("BackColor", p.BackColor, d.BackColor);
    bag.writeColour("GridColour", p.GridColour, d.GridColour);
    bag.writeInt32("Max", p.Max, d.Max);
    bag.writeColour("ForeColor", p.ForeColor, d.ForeColor);
}
