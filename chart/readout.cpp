#include "readout.h"

#include "localenumbers.h"

#include <QCoreApplication>
#include <QStringList>

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

namespace {

enum class Shape { Level, Falling, Rising };

struct Stretch {
    Shape shape;
    std::size_t first, last;   // indices into the samples sorted by Y
};

// The samples split into level runs at the lowest or highest X and the slopes between them.
std::vector<Stretch> stretches(const std::vector<TChartPoint> &s)
{
    const auto [lo, hi] = std::minmax_element(s.begin(), s.end(),
        [](const TChartPoint &a, const TChartPoint &b) { return a.x < b.x; });
    const auto levelStartsAt = [&](std::size_t i) {
        return i + 1 < s.size() && s[i + 1].x == s[i].x && (s[i].x == lo->x || s[i].x == hi->x);
    };
    std::vector<Stretch> out;
    std::size_t i = 0;
    while (i + 1 < s.size()) {
        std::size_t j = i;
        if (levelStartsAt(i)) {
            while (j + 1 < s.size() && s[j + 1].x == s[i].x)
                ++j;
            out.push_back({Shape::Level, i, j});
        } else {
            int direction = 0;
            while (j + 1 < s.size() && !(j > i && levelStartsAt(j))) {
                const double step = s[j + 1].x - s[j].x;
                const int sign = step > 0 ? 1 : step < 0 ? -1 : 0;
                if (sign != 0 && direction != 0 && sign != direction)
                    break;   // a turn: the next slope starts here
                if (direction == 0)
                    direction = sign;
                ++j;
            }
            out.push_back({direction > 0 ? Shape::Rising : Shape::Falling, i, j});
        }
        i = j;
    }
    return out;
}

}  // namespace

std::vector<TChartPoint> inAscendingY(std::vector<TChartPoint> points)
{
    std::stable_sort(points.begin(), points.end(),
                     [](const TChartPoint &a, const TChartPoint &b) { return a.y < b.y; });
    return points;
}

QString describeSeries(const std::vector<TChartPoint> &points, const QString &xName,
                       const QString &yName)
{
    if (points.empty())
        return {};
    const std::vector<TChartPoint> s = inAscendingY(points);
    const std::vector<Stretch> parts = stretches(s);

    QStringList phrases;
    if (parts.empty() || parts.front().shape != Shape::Level) {
        const TChartPoint &start = s.front();
        phrases << QCoreApplication::translate("TChart", "%1 %2 at %3 %4", "a sample: Тко 80 at Тул −40")
                       .arg(xName, numberText(start.x), yName, numberText(start.y));
    }
    for (const Stretch &part : parts) {
        const TChartPoint &first = s[part.first], &last = s[part.last];
        const QString x = numberText(last.x), y = numberText(last.y);
        switch (part.shape) {
        case Shape::Level:
            if (phrases.isEmpty()) {
                phrases << QCoreApplication::translate("TChart", "%1 %2 from %3 %4 to %5",
                                                       "a level run: Тко 95 from Тул −40 to −5")
                               .arg(xName, x, yName, numberText(first.y), y);
            } else {
                phrases << QCoreApplication::translate("TChart", "then %1 %2 up to %3 %4",
                                                       "a level run after a slope: then Тко 1 up to Тул 20")
                               .arg(xName, x, yName, y);
            }
            break;
        case Shape::Falling:
            phrases << QCoreApplication::translate("TChart", "then falling to %1 at %2 %3",
                                                   "then falling to 20 at Тул 20")
                           .arg(x, yName, y);
            break;
        case Shape::Rising:
            phrases << QCoreApplication::translate("TChart", "then rising to %1 at %2 %3",
                                                   "then rising to 60 at Тул 20")
                           .arg(x, yName, y);
            break;
        }
    }
    return phrases.join(QCoreApplication::translate("TChart", ", ", "joins the parts of a curve's description"));
}

QString seriesTable(const std::vector<TChartPoint> &points, const QString &xName,
                    const QString &yName)
{
    const QChar tab = u'\t', newline = u'\n';
    QString text = yName + tab + xName + newline;
    for (const TChartPoint &p : inAscendingY(points))
        text += numberText(p.y) + tab + numberText(p.x) + newline;
    return text;
}

}  // namespace chart
