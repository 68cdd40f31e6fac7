#include "clip.h"

#include <cmath>

namespace chart {

namespace {

// Liang-Barsky: shrinks [t0, t1] of the segment a->b to the part inside rect.
bool clipSegment(QPointF a, QPointF b, const QRectF &rect, double &t0, double &t1)
{
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x() - rect.left(), rect.right() - a.x(), a.y() - rect.top(),
                         rect.bottom() - a.y()};
    t0 = 0;
    t1 = 1;
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0) {
            if (t > t1)
                return false;
            if (t > t0)
                t0 = t;
        } else {
            if (t < t0)
                return false;
            if (t < t1)
                t1 = t;
        }
    }
    return true;
}

bool finite(QPointF p)
{
    return std::isfinite(p.x()) && std::isfinite(p.y());
}

}  // namespace

std::vector<QPolygonF> clipPolyline(const QPolygonF &line, const QRectF &rect)
{
    std::vector<QPolygonF> parts;
    QPolygonF current;
    auto flush = [&] {
        if (!current.isEmpty())
            parts.push_back(current);
        current.clear();
    };

    if (line.size() == 1) {
        if (finite(line[0]) && rect.contains(line[0]))
            parts.push_back(line);
        return parts;
    }
    for (qsizetype i = 0; i + 1 < line.size(); ++i) {
        const QPointF a = line[i], b = line[i + 1];
        double t0, t1;
        if (!finite(a) || !finite(b) || !clipSegment(a, b, rect, t0, t1)) {
            flush();
            continue;
        }
        const QPointF from = a + (b - a) * t0;
        const QPointF to = a + (b - a) * t1;
        if (t0 > 0 || current.isEmpty()) {
            flush();
            current << from;
        }
        current << to;
        if (t1 < 1)
            flush();
    }
    flush();
    return parts;
}

}  // namespace chart
