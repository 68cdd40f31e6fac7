// Painting only draws what chartGeometry() computed, back to front.
#include "TChart.h"
#include "chartmetrics.h"
#include "clip.h"

#include <QPainter>
#include <QPaintEvent>
#include <qdrawutil.h>

#include <cmath>

namespace {

using namespace chart::metrics;

int px(double v)
{
    return int(std::lround(v));
}

QPen gridPen()
{
    QPen pen(QColor(128, 128, 128), 0);   // grey, dotted, one pixel
    pen.setDashPattern({1, 1});
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}

void drawAxes(QPainter &p, const ChartGeometry &g, const QFont &labelFont)
{
    const QRect plot = g.plotRect;
    const QFontMetrics fm(labelFont);
    
    p.setPen(gridPen());
    for (double v : g.xTicks.major) {
        const int x = px(g.xMap.toPixel(v));
        p.drawLine(x, plot.top(), x, plot.bottom());
    }
    for (double v : g.yTicks.major) {
        const int y = px(g.yMap.toPixel(v));
        p.drawLine(plot.left(), y, plot.right(), y);
    }

    p.setPen(QPen(Qt::black, 0));
    p.drawRect(plot.adjusted(0, 0, -1, -1));
    for (double v : g.xTicks.major) {
        const int x = px(g.xMap.toPixel(v));
        p.drawLine(x, plot.bottom() + 1, x, plot.bottom() + TickLength);
    }
    for (double v : g.xTicks.minor) {
        const int x = px(g.xMap.toPixel(v));
        p.drawLine(x, plot.bottom() + 1, x, plot.bottom() + MinorTickLength);
    }
    for (double v : g.yTicks.major) {
        const int y = px(g.yMap.toPixel(v));
        p.drawLine(plot.left() - TickLength, y, plot.left() - 1, y);
    }
    for (double v : g.yTicks.minor) {
        const int y = px(g.yMap.toPixel(v));
        p.drawLine(plot.left() - MinorTickLength, y, plot.left() - 1, y);
    }

    // The two axis lines, two pixels wide, along the left and the bottom of the plot.
    p.fillRect(QRect(plot.left() - 1, plot.top(), 2, plot.height()), Qt::black);
    p.fillRect(QRect(plot.left() - 1, plot.bottom(), plot.width() + 1, 2), Qt::black);

    p.setFont(labelFont);
    const int labelTop = plot.bottom() + TickLength + LabelGap;
    for (double v : g.xTicks.major) {
        const QString text = chart::formatLabel(v);
        const int x = px(g.xMap.toPixel(v)) - fm.horizontalAdvance(text) / 2;
        p.drawText(x, labelTop + fm.ascent(), text);
    }
    const int labelRight = plot.left() - TickLength - LabelGap;
    for (double v : g.yTicks.major) {
        const QString text = chart::formatLabel(v);
        const int y = px(g.yMap.toPixel(v)) - fm.height() / 2 + fm.ascent();
        p.drawText(labelRight - fm.horizontalAdvance(text), y, text);
    }
}

void drawLegend(QPainter &p, const ChartGeometry &g, const TFastLineSeries &series, const QFont &font)
{
    if (g.legendRect.isEmpty())
        return;
    const QRect box = g.legendRect;
        p.fillRect(box.translated(LegendShadow, LegendShadow), Qt::black);
    p.fillRect(box, Qt::white);
    p.setPen(QPen(Qt::black, 0));
    p.drawRect(box.adjusted(0, 0, -1, -1));

    const QFontMetrics fm(font);
    const TChartPen &pen = series.linePen();
    p.setFont(font);
    const int symbolLeft = box.left() + 1 + LegendPadding;
    const int textLeft = symbolLeft + LegendSymbolLength + LegendSymbolGap;
    int rowTop = box.top() + 1 + LegendPadding;
    for (int i = 0; i < g.legendRowCount; ++i, rowTop += g.legendRowHeight) {
        const int mid = rowTop + g.legendRowHeight / 2;
        p.setPen(QPen(chart::toQColor(pen.color), pen.width, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(symbolLeft, mid, symbolLeft + LegendSymbolLength, mid);
        p.setPen(Qt::black);
        p.drawText(textLeft, mid - fm.height() / 2 + fm.ascent(),
                   chart::formatLabel(series.points()[std::size_t(i)].y));
    }
}

}  // namespace

void TChart::paintEvent(QPaintEvent *)
{
    ++m_paintCount;
    const ChartGeometry g = chartGeometry();
    QPainter p(this);

    p.fillRect(rect(), m_color);
    qDrawShadePanel(&p, rect(), palette(), false, 1);
    if (!m_backWallTransparent)
        p.fillRect(g.plotRect, m_backWallColor);

    drawAxes(p, g, m_labelFont);

    // Axis titles: the bottom one centred under its labels, the left one left of its labels,
    // centred on the axis' height.
    const QFontMetrics fm(m_labelFont);
    if (!m_bottomAxis.title.isEmpty()) {
        const QFontMetrics tfm(m_bottomAxis.titleFont);
        p.setFont(m_bottomAxis.titleFont);
        p.setPen(Qt::black);
        const int top = g.plotRect.bottom() + TickLength + LabelGap
                        + fm.height() + AxisTitleGap;
        p.drawText(g.plotRect.center().x() - tfm.horizontalAdvance(m_bottomAxis.title) / 2,
                   top + tfm.ascent(), m_bottomAxis.title);
    }
    if (!m_leftAxis.title.isEmpty()) {
        const QFontMetrics tfm(m_leftAxis.titleFont);
        p.setFont(m_leftAxis.titleFont);
        p.setPen(Qt::black);
        const int right = g.plotRect.left() - TickLength - LabelGap
                          - g.leftLabelsWidth - AxisTitleGap;
        const int midY = g.plotRect.center().y();
        const int textWidth = tfm.horizontalAdvance(m_leftAxis.title);
        if (m_leftAxis.titleAngle == 0) {
            p.drawText(right - textWidth, midY - tfm.height() / 2 + tfm.ascent(), m_leftAxis.title);
        } else {
            p.save();
            p.translate(right - tfm.height() + tfm.ascent(), midY + textWidth / 2);
            p.rotate(-m_leftAxis.titleAngle);
            p.drawText(0, 0, m_leftAxis.title);
            p.restore();
        }
    }

    // The series lie on top of grid and axes, clipped to the plot.
    p.save();
    p.setClipRect(g.plotRect);
    for (const auto &s : m_series) {
        const TChartPen &pen = s->linePen();
        QPolygonF line;
        line.reserve(s->count());
        for (const TChartPoint &pt : s->points())
            line << QPointF(g.xMap.toPixel(pt.x), g.yMap.toPixel(pt.y));
        const double reach = pen.width + 1.0;
        p.setPen(QPen(chart::toQColor(pen.color), pen.width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        for (const QPolygonF &part : chart::clipPolyline(line, QRectF(g.plotRect).adjusted(-reach, -reach, reach, reach)))
            p.drawPolyline(part);
    }
    p.restore();

    if (m_drag == Drag::Zoom) {
        p.setPen(QPen(Qt::black, 0, Qt::DashLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRect(m_dragOrigin, m_dragPos).normalized());
    }

    if (!m_series.empty())
        drawLegend(p, g, *m_series.front(), m_labelFont);
}
