// The chart as the main window sets it up, at its designed size, for tests of the chart alone.
#pragma once

#include "TChart.h"
#include "TFastLineSeries.h"
#include "curve.h"

#include <memory>

// Empties `series` and adds the curve of p0 and p2, as the window's handlers do.
inline void fillCurve(TFastLineSeries &series, int p0, int p2)
{
    series.clear();
    curve::SweepCurve(p0, p2, [&](curve::CurveSample s) { series.addXY(s.Tko, s.Tul); });
}

// Gives `chart` the window's settings and size and one series holding the curve of p0 and p2.
inline TFastLineSeries *setUpAsDesigned(TChart &chart, int p0 = 20, int p2 = 10)
{
    chart.resize(841, 457);
    chart.setTitleText({QString()});
    chart.setBackWallTransparent(true);
    chart.setBottomAxisAutomatic(false);
    chart.setBottomAxisMaximum(100);
    chart.setBottomAxisTitle(QStringLiteral("Тко"));
    chart.setLeftAxisAutomatic(false);
    chart.setLeftAxisMinimum(-45);
    chart.setLeftAxisMaximum(25);
    chart.setLeftAxisTitle(QStringLiteral("Тул"));
    chart.setLeftAxisTitleAngle(0);
    TFastLineSeries *series = chart.addSeries(std::make_unique<TFastLineSeries>());
    series->setLinePenWidth(3);
    fillCurve(*series, p0, p2);
    return series;
}
