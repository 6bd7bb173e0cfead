#pragma once
// ucHistogram: a strip chart of the last NumberOfPoints whole-number samples,
// drawn as a connected line over a grid and scrolling left once full. Every
// sample redraws the whole chart into the hidden back buffer picHist, which is
// then copied onto the control's surface in one operation.
#include "chartmodel.h"
#include "chartproperties.h"
#include "usercontrol.h"

#include <QImage>

class ucHistogram : public UserControl {
    Q_OBJECT
public:
    explicit ucHistogram(QWidget* parent = nullptr);

    void NextPoint(std::int32_t value);
    void Refresh();

    // Property getters and setters. A setter stores the value and sends the
    // property-changed notice; none redraws or recomputes the geometry. The
    // surface's own drawing colour ForeColor is used from the next redraw of
    // the series on.
    std::int16_t Appearance() const { return m_model.props.Appearance; }
    void setAppearance(std::int16_t value) { storeOnSurface(&P::Appearance, value); }
    std::int16_t BorderStyle() const { return m_model.props.BorderStyle; }
    void setBorderStyle(std::int16_t value) { storeOnSurface(&P::BorderStyle, value); }
    std::int16_t DrawWidth() const { return m_model.props.DrawWidth; }
    void setDrawWidth(std::int16_t value) { assign(&P::DrawWidth, value); }
    std::int16_t GridTickHorizontal() const { return m_model.props.GridTickHorizontal; }
    void setGridTickHorizontal(std::int16_t value) { assign(&P::GridTickHorizontal, value); }
    std::int16_t GridTickVertical() const { return m_model.props.GridTickVertical; }
    void setGridTickVertical(std::int16_t value) { assign(&P::GridTickVertical, value); }
    std::int32_t NumberOfPoints() const { return m_model.props.NumberOfPoints; }
    // Refused below 1; an accepted count starts a fresh, empty series of that size.
    void setNumberOfPoints(std::int32_t value);
    std::uint32_t BackColor() const { return m_model.props.BackColor; }
    void setBackColor(std::uint32_t value) { storeOnSurface(&P::BackColor, value); }
    std::uint32_t GridColour() const { return m_model.props.GridColour; }
    void setGridColour(std::uint32_t value) { assign(&P::GridColour, value); }
    std::int32_t Max() const { return m_model.props.Max; }
    void setMax(std::int32_t value); // refused below 1
    std::uint32_t ForeColor() const { return m_model.props.ForeColor; }
    void setForeColor(std::uint32_t value) { assign(&P::ForeColor, value); }

    void InitProperties() override;
    void ReadProperties(const PropertyBag& bag) override;
    void WriteProperties(PropertyBag& bag) const override;

    const ChartModel& model() const { return m_model; }
    const QImage& backBuffer() const { return picHist; }
    // The control's surface inside its border, as last copied from picHist.
    const QImage& surface() const { return m_surface; }
    // Border thickness in pixels from BorderStyle and Appearance.
    int borderWidth() const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    using P = HistogramProperties;
    template <typename T> void assign(T P::*member, T value)
    {
        storeProperty(kChartProperties, m_model.props, member, value);
    }
    // The same for a property the surface is filled by or sized for.
    template <typename T> void storeOnSurface(T P::*member, T value)
    {
        assign(member, value);
        applySurface();
    }
    void UserControl_Resize();
    void loaded();
    void applySurface();
    void drawPlan();
    void describe();

    ChartModel m_model;
    ChartPlan m_plan;
    QImage picHist;
    QImage m_surface;
};
