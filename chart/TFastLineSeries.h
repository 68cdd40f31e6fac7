// A line series: an ordered list of points (X, Y, colour, label), kept in ascending X, drawn as
// one polyline in list order with its line pen. Every change asks the owning chart to repaint;
// the repaint itself happens later, once, from the event loop.
#pragma once

#include "tcolor.h"

#include <QString>

#include <vector>

class TChart;

struct TChartPoint {
    double x = 0;
    double y = 0;
    chart::TColor color = chart::clBlack;
    QString label;
};

struct TChartPen {
    chart::TColor color = chart::clRed;
    int width = 1;
};

class TFastLineSeries
{
public:
    TFastLineSeries() = default;
    TFastLineSeries(const TFastLineSeries &) = delete;
    TFastLineSeries &operator=(const TFastLineSeries &) = delete;

    // Inserts after every point whose X is <= x (so equal X keep the order they came in) and
    // returns the new point's index.
    int addXY(double x, double y, const QString &label = {}, chart::TColor color = chart::clBlack);
    void clear();

    int count() const { return int(m_points.size()); }
    const std::vector<TChartPoint> &points() const { return m_points; }

    const TChartPen &linePen() const { return m_linePen; }
    void setLinePenColor(chart::TColor color);
    void setLinePenWidth(int width);

private:
    friend class TChart;  // sets m_chart when the series is added to a chart
    void changed();

    std::vector<TChartPoint> m_points;
    TChartPen m_linePen;
    TChart *m_chart = nullptr;
};
