#include "readout.h"

#include "localenumbers.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>
#include <limits>

namespace chart {

std::optional<SampleRun> sampleUnderPointer(const std::vector<TChartPoint> &points,
                                            const ScaleMap &xMap, const ScaleMap &yMap,
                                            const QRect &plotRect, QPointF pointer, double reach)
{
    const auto inPlot = [&](double x, double y) {
        return x >= plotRect.left() && x <= plotRect.right() && y >= plotRect.top()
               && y <= plotRect.bottom();
    };
    if (!inPlot(pointer.x(), pointer.y()))
        return std::nullopt;

    int best = -1;
    double bestDistance2 = reach * reach;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const double px = xMap.toPixel(points[i].x), py = yMap.toPixel(points[i].y);
        if (!inPlot(px, py))   // clipped away: not on screen, so not offered either
            continue;
        const double dx = px - pointer.x(), dy = py - pointer.y();
        const double distance2 = dx * dx + dy * dy;
        if (distance2 < bestDistance2 || (best < 0 && distance2 == bestDistance2)) {
            best = int(i);
            bestDistance2 = distance2;
        }
    }
    if (best < 0)
        return std::nullopt;

    // Points are kept in ascending X, so every sample sharing this X is a neighbour.
    SampleRun run{best, best};
    const double x = points[std::size_t(best)].x;
    while (run.first > 0 && points[std::size_t(run.first - 1)].x == x)
        --run.first;
    while (run.last + 1 < int(points.size()) && points[std::size_t(run.last + 1)].x == x)
        ++run.last;
    return run;
}

QString readoutText(const std::vector<TChartPoint> &points, SampleRun run, const QString &xName,
                    const QString &yName, const QString &unit)
{
    double lo = std::numeric_limits<double>::infinity(), hi = -lo;
    for (int i = run.first; i <= run.last; ++i) {
        lo = std::min(lo, points[std::size_t(i)].y);
        hi = std::max(hi, points[std::size_t(i)].y);
    }
    const QString suffix = unit.isEmpty() ? QString() : QLatin1Char(' ') + unit;
    QString yText = numberText(lo);
    if (hi > lo)
        yText += QChar(0x2026) + numberText(hi);   // ellipsis: the run's coldest to warmest
    //: Tooltip of the sample under the mouse: %1 = %2 is the Y axis' title and value(s), %4 = %5
    //: the X axis' title and value; %3 is the unit with its leading space, or nothing.
    return QCoreApplication::translate("TChart", "%1 = %2%3 → %4 = %5%3")
        .arg(yName, yText, suffix, xName, numberText(points[std::size_t(run.first)].x));
}

QString describeSeries(const std::vector<TChartPoint> &points, const QString &xName,
                       const QString &yName)
{
    if (points.empty())
        return {};
    const auto byY = [](const TChartPoint &a, const TChartPoint &b) { return a.y < b.y; };
    const TChartPoint &low = *std::min_element(points.begin(), points.end(), byY);
    const TChartPoint &high = *std::max_element(points.begin(), points.end(), byY);
    //: What a screen reader says of the curve: "Tko from 80 at Tul -40 to 20 at Tul 20", the X
    //: values at the lowest and at the highest Y.
    return QCoreApplication::translate("TChart", "%1 from %2 at %3 %4 to %5 at %3 %6")
        .arg(xName, numberText(low.x), yName, numberText(low.y), numberText(high.x), numberText(high.y));
}

QString seriesTable(const std::vector<TChartPoint> &points, const QString &xName,
                    const QString &yName)
{
    std::vector<const TChartPoint *> rows;
    rows.reserve(points.size());
    for (const TChartPoint &p : points)
        rows.push_back(&p);
    std::stable_sort(rows.begin(), rows.end(),
                     [](const TChartPoint *a, const TChartPoint *b) { return a->y < b->y; });

    const QChar tab = u'\t', newline = u'\n';
    QString text = yName + tab + xName + newline;
    for (const TChartPoint *p : rows)
        text += numberText(p->y) + tab + numberText(p->x) + newline;
    return text;
}

}  // namespace chart
