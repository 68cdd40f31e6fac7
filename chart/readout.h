// The chart's values as text: the sample under the mouse pointer for the tooltip, a one-line
// summary of a series for screen readers, and the whole series as a table to copy. Pure functions over the points and the chart's maps,
// so they follow zoom and pan exactly as painting does.
#pragma once

#include "TFastLineSeries.h"
#include "scale.h"

#include <QPointF>
#include <QRect>
#include <QString>

#include <optional>
#include <vector>

namespace chart {

// How far from its point, in pixels, a sample still counts as under the pointer.
inline constexpr double ReadoutReach = 8.0;

// Indices (inclusive) into a series' points: one sample, or a run that shares one X value.
struct SampleRun {
    int first = 0;
    int last = 0;
    friend bool operator==(const SampleRun &, const SampleRun &) = default;
};

// The sample whose point lies nearest to `pointer` (the first of equally near ones), if the
// pointer is inside the plot, the point is drawn inside it too and no more than `reach` pixels
// away; widened to the run of neighbouring samples with the same X, since a truncated or limited
// curve gives one X to several Y and the user asks what that X covers.
std::optional<SampleRun> sampleUnderPointer(const std::vector<TChartPoint> &points,
                                            const ScaleMap &xMap, const ScaleMap &yMap,
                                            const QRect &plotRect, QPointF pointer,
                                            double reach = ReadoutReach);

// "Тул = -10 °C → Тко = 50 °C" for one sample, "Тул = -40…-5 °C → Тко = 95 °C" for a run:
// the Y name and value(s), then the X name and value, each followed by `unit` when it is set.
// Numbers are written as the axis labels write them (numberText), in the user's language.
QString readoutText(const std::vector<TChartPoint> &points, SampleRun run, const QString &xName,
                    const QString &yName, const QString &unit);

// The shape of a curve read along Y (the series' samples in ascending Y), for screen readers:
// "Тко 95 from Тул -40 to -5, then falling to 20 at Тул 20". Runs of one X at the lowest or
// highest X of the series (where a curve is limited) are named with their Y range; everything
// between them is a slope, named by its direction and where it ends; steps of a staircase inside
// a slope are not runs. Empty for no points.
// The points in ascending Y, the order the curve was swept in; points with the same Y keep their
// list order. The screen readers' table, the description and the copied table all read this.
std::vector<TChartPoint> inAscendingY(std::vector<TChartPoint> points);

QString describeSeries(const std::vector<TChartPoint> &points, const QString &xName,
                       const QString &yName);

// The series as a tab-separated table for the clipboard: a header row "yName<TAB>xName", then
// one row "y<TAB>x" per point in inAscendingY's order, each row ended by a newline. Numbers as numberText writes them.
QString seriesTable(const std::vector<TChartPoint> &points, const QString &xName,
                    const QString &yName);

}  // namespace chart
