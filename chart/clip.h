// Clipping of a polyline to a rectangle before it reaches QPainter: after a deep zoom the points
// can map to pixel coordinates far outside anything the raster engine handles well.
#pragma once

#include <QPolygonF>
#include <QRectF>

#include <vector>

namespace chart {

// The parts of `line` inside `rect`, each a polyline of its own, in order.
std::vector<QPolygonF> clipPolyline(const QPolygonF &line, const QRectF &rect);

}  // namespace chart
