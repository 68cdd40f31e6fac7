// The chart as the main window sets it up, at its designed size, for tests of the chart alone.
// tst_window checks these settings against the chart that Unit1.ui makes, so they can't drift.
#pragma once

#include "TChart.h"
#include "TFastLineSeries.h"
#include "curve.h"

#include <QImage>
#include <QTest>

#include <cmath>
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
    QFont titleFont(QStringLiteral("Arial"));
    titleFont.setPointSize(10);
    titleFont.setBold(true);
    chart.setLeftAxisTitleFont(titleFont);
    chart.setReadoutUnit(QStringLiteral("°C"));
    TFastLineSeries *series = chart.addSeries(std::make_unique<TFastLineSeries>());
    series->setLinePenWidth(3);
    fillCurve(*series, p0, p2);
    return series;
}

// A designed chart of its own, with the curve of p0 and p2, and the ways tests look at it.
struct ChartFixture {
    TChart chart;
    TFastLineSeries *series;

    explicit ChartFixture(int p0 = 20, int p2 = 10) : series(setUpAsDesigned(chart, p0, p2)) {}
    void fill(int p0, int p2) { fillCurve(*series, p0, p2); }
    // Where the chart's maps put a data point now.
    QPointF toPixel(QPointF data) const
    {
        const ChartGeometry g = chart.chartGeometry();
        return {g.xMap.toPixel(data.x()), g.yMap.toPixel(data.y())};
    }
    QPoint toPixel(double x, double y) const
    {
        const QPointF p = toPixel(QPointF(x, y));
        return QPoint(int(std::lround(p.x())), int(std::lround(p.y())));
    }
    QPoint toPoint(QPointF data) const { return toPixel(data).toPoint(); }
    void drag(Qt::MouseButton button, QPoint from, QPoint to)
    {
        QTest::mousePress(&chart, button, {}, from);
        QTest::mouseMove(&chart, to);
        QTest::mouseRelease(&chart, button, {}, to);
    }
    QImage render()
    {
        QImage img(chart.size(), QImage::Format_RGB32);
        chart.render(&img);
        return img;
    }
};
