// Scale maths of the chart, kept apart from painting so it can be tested on its own:
//  - computeTicks divides an axis range into label positions 1, 2 or 5 x 10^n apart, as close as
//    the labels allow without crowding, plus the minor ticks between them;
//  - ScaleMap converts data values to pixels and back (painting and the mouse share it);
//  - clampView keeps a zoomed or panned range finite and wide enough to label.
#pragma once

#include <functional>
#include <vector>

namespace chart {

struct AxisRange {
    double minimum = 0;
    double maximum = 0;
    friend bool operator==(const AxisRange &, const AxisRange &) = default;
};

struct AxisTicks {
    double step = 0;             // distance between labels; 0 when the range can't be labelled
    std::vector<double> major;   // label positions, ascending
    std::vector<double> minor;   // three between each pair of neighbouring labels
};

// Smallest value of the form 1, 2 or 5 x 10^n that is >= rawStep (rawStep > 0 and finite).
double niceStep(double rawStep);

// The finest step labels can show: numbers are written with three decimals, so closer labels would
// print the same text.
inline constexpr double LabelResolution = 0.001;

// Labels for [minimum, maximum] on an axis lengthPx pixels long. labelExtent(value) gives the room
// one label needs along the axis (text width or height plus a gap); the step grows until every
// label it would print keeps that distance from its neighbours, and is never finer than
// LabelResolution. An empty,
// inverted or non-finite range gives no ticks.
AxisTicks computeTicks(AxisRange range, double lengthPx,
                       const std::function<double(double)> &labelExtent, int minorPerStep = 3);

// Linear data <-> pixel map; the pixel range may be inverted (the vertical axis grows upwards).
class ScaleMap
{
public:
    ScaleMap() = default;
    ScaleMap(double data1, double data2, double pixel1, double pixel2);

    double toPixel(double value) const { return m_p1 + (value - m_d1) * m_factor; }
    double toData(double pixel) const;

    double data1() const { return m_d1; }
    double data2() const { return m_d2; }
    double pixel1() const { return m_p1; }
    double pixel2() const { return m_p2; }
    double pixelsPerUnit() const { return m_factor; }

private:
    double m_d1 = 0, m_d2 = 1, m_p1 = 0, m_p2 = 1, m_factor = 1;
};

// Zoom and pan limits: a view never moves its centre beyond +-ViewLimit and is never narrower
// than MinSpan (or a billionth of its distance from zero), so labels stay distinct and finite.
inline constexpr double ViewLimit = 1e13;
inline constexpr double MinSpan = 0.01;
AxisRange clampView(AxisRange range);

}  // namespace chart
