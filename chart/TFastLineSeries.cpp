#include "TFastLineSeries.h"

#include "TChart.h"

#include <algorithm>

int TFastLineSeries::addXY(double x, double y, const QString &label, chart::TColor color)
{
    // The first point with a greater X; everything before it has X <= x.
    const auto at = std::upper_bound(m_points.begin(), m_points.end(), x,
                                     [](double value, const TChartPoint &p) { return value < p.x; });
    const auto inserted = m_points.insert(at, TChartPoint{x, y, color, label});
    changed();
    return int(inserted - m_points.begin());
}

void TFastLineSeries::clear()
{
    m_points.clear();
    changed();
}

void TFastLineSeries::setLinePenColor(chart::TColor color)
{
    m_linePen.color = color;
    changed();
}

void TFastLineSeries::setLinePenWidth(int width)
{
    m_linePen.width = std::max(0, width);
    changed();
}

void TFastLineSeries::changed()
{
    if (m_chart)
        m_chart->seriesChanged();
}
