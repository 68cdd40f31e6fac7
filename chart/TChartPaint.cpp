// Painting only draws what chartGeometry() placed (chartgeometry.h), back to front. Everything
// behind the curve is drawn from a BackgroundLook alone (chartcache.h), so that it can come from a
// kept image; the curve, the zoom rectangle and the legend, which change with every press, are
// drawn each time.
#include "TChart.h"
#include "chartmetrics.h"
#include "clip.h"

#include <QPainter>
#include <QPaintEvent>
#include <qdrawutil.h>

#include <algorithm>
#include <cmath>

namespace {

using namespace chart::metrics;
using chart::BackgroundLook;
using chart::LabelCache;

// The grid's grey.
constexpr QRgb GridGrey = 0xFF808080;

QPen gridPen()
{
    QPen pen(QColor(GridGrey), 0);   // grey, dotted, one pixel
    pen.setDashPattern({1, 1});
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}

// The grid's dotted lines. Unscaled, the dotted pen puts a grey pixel on every other pixel from
// the line's start, leaving out the end pixel (a lone pixel when start and end meet); that is
// drawn as an image of the dots instead, because the raster engine dashes pixel by pixel, and
// an image rather than a textured fill, which for more than about a hundred rows the engine
// hands to a pool of threads (started at the first paint, and on a busy machine waited for).
// Scaled or shifted by part of a pixel, the pen keeps its dots one device pixel apart and an
// image would not: the pen draws.
class DottedLines
{
public:
    explicit DottedLines(QPainter &p)
        : m_p(p), m_asImages(chart::wholePixelShift(p.deviceTransform()))
    {
        if (!m_asImages)
            p.setPen(gridPen());
    }

    void across(int x1, int x2, int y)
    {
        if (m_asImages)
            m_p.drawImage(QPoint(x1, y), dots(m_across, std::max(1, x2 - x1), 1));
        else
            m_p.drawLine(x1, y, x2, y);
    }
    void down(int x, int y1, int y2)
    {
        if (m_asImages)
            m_p.drawImage(QPoint(x, y1), dots(m_down, 1, std::max(1, y2 - y1)));
        else
            m_p.drawLine(x, y1, x, y2);
    }

private:
    // A line of `width` by `height` pixels (one of them 1): grey, clear, grey, … from its first
    // pixel. Kept for the next line of the same length.
    static const QImage &dots(QImage &kept, int width, int height)
    {
        if (kept.size() != QSize(width, height)) {
            kept = QImage(width, height, QImage::Format_ARGB32_Premultiplied);
            kept.fill(Qt::transparent);
            for (int i = 0; i < std::max(width, height); i += 2)
                kept.setPixel(width == 1 ? 0 : i, height == 1 ? 0 : i, GridGrey);
        }
        return kept;
    }

    QPainter &m_p;
    const bool m_asImages;
    QImage m_across, m_down;
};

// A one-pixel outline on the edge pixels of `r`. Unscaled, four fills cover the pixels that a
// one-pixel pen would, without the raster engine stroking the outline pixel by pixel; scaled, the
// pen stays one device pixel wide and the fills would not, so the pen draws.
void drawFrame(QPainter &p, const QRect &r, const QColor &color)
{
    if (!chart::wholePixelShift(p.deviceTransform())) {
        p.setPen(QPen(color, 0));
        p.drawRect(r.adjusted(0, 0, -1, -1));
        return;
    }
    p.fillRect(QRect(r.left(), r.top(), r.width(), 1), color);
    p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), color);
    p.fillRect(QRect(r.left(), r.top(), 1, r.height()), color);
    p.fillRect(QRect(r.right(), r.top(), 1, r.height()), color);
}

// `font` as QPainter::setFont would complete it from the widget's font, with nothing left for
// the painter to fill in: the background then looks the same on any painter.
QFont completeFont(const QFont &font, const QFont &widgetFont)
{
    QFont f = font.resolve(widgetFont);
    f.setResolveMask(QFont::AllPropertiesResolved);
    return f;
}

// A text at its place, turned about its origin when it has an angle.
void drawPlacedText(QPainter &p, const PlacedText &t)
{
    if (t.text.isEmpty())
        return;
    if (t.angle == 0) {
        p.drawText(t.origin, t.text);
        return;
    }
    p.save();
    p.translate(t.origin);
    p.rotate(-t.angle);
    p.drawText(0, 0, t.text);
    p.restore();
}

void drawAxes(QPainter &p, const BackgroundLook &s, LabelCache &labels)
{
    const QRect plot = s.plotRect;
    {
        DottedLines grid(p);
        for (int x : s.xMarks.major)
            grid.down(x, plot.top(), plot.bottom());
        for (int y : s.yMarks.major)
            grid.across(plot.left(), plot.right(), y);
    }

    drawFrame(p, plot, Qt::black);
    p.setPen(QPen(Qt::black, 0));
    for (int x : s.xMarks.major)
        p.drawLine(x, plot.bottom() + 1, x, plot.bottom() + TickLength);
    for (int x : s.xMarks.minor)
        p.drawLine(x, plot.bottom() + 1, x, plot.bottom() + MinorTickLength);
    for (int y : s.yMarks.major)
        p.drawLine(plot.left() - TickLength, y, plot.left() - 1, y);
    for (int y : s.yMarks.minor)
        p.drawLine(plot.left() - MinorTickLength, y, plot.left() - 1, y);

    // The two axis lines, along the left and the bottom of the plot.
    p.fillRect(QRect(plot.left() - 1, plot.top(), AxisLineWidth, plot.height()), Qt::black);
    p.fillRect(QRect(plot.left() - 1, plot.bottom(), plot.width() + 1, AxisLineWidth), Qt::black);

    p.setFont(completeFont(s.labelFont, s.widgetFont));
    for (const auto *placed : {&s.xLabels, &s.yLabels})
        for (const PlacedLabel &l : *placed)
            p.drawText(l.origin, labels.label(l.value, s.labelFont).text);
    for (const PlacedText &line : s.titleLines)
        drawPlacedText(p, line);
}

void drawAxisTitles(QPainter &p, const BackgroundLook &s)
{
    p.setPen(Qt::black);
    p.setFont(completeFont(s.bottomTitleFont, s.widgetFont));
    drawPlacedText(p, s.bottomTitle);
    p.setFont(completeFont(s.leftTitleFont, s.widgetFont));
    drawPlacedText(p, s.leftTitle);
}

// Everything behind the curve, from the look alone.
void paintBackground(QPainter &p, const BackgroundLook &s, LabelCache &labels)
{
    const QRect all(QPoint(0, 0), s.size);
    p.fillRect(all, s.color);
    qDrawShadePanel(&p, all, s.palette, false, 1);
    if (!s.backWallTransparent)
        p.fillRect(s.plotRect, s.backWallColor);
    drawAxes(p, s, labels);
    drawAxisTitles(p, s);
}

// The series lie on top of grid and axes, clipped to the plot.
void drawSeries(QPainter &p, const ChartGeometry &g,
                const std::vector<std::unique_ptr<TFastLineSeries>> &series)
{
    p.save();
    p.setClipRect(g.plotRect);
    for (const auto &s : series) {
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
}

void drawLegend(QPainter &p, const ChartGeometry &g, const TFastLineSeries &series,
                const QFont &font, const QFont &widgetFont, LabelCache &labels)
{
    if (g.legendRect.isEmpty())
        return;
    const QRect box = g.legendRect;
    p.fillRect(box.translated(LegendShadow, LegendShadow), Qt::black);
    p.fillRect(box, Qt::white);
    drawFrame(p, box, Qt::black);

    const QFont drawFont = completeFont(font, widgetFont);
    // The texts are laid out once and kept (QStaticText), placed by their top: their baselines
    // go where drawText puts them. Scaled, drawText places the glyphs a little differently.
    const bool laidOut = chart::wholePixelShift(p.deviceTransform());
    const qreal ascent = QFontMetricsF(drawFont).ascent();
    const TChartPen &pen = series.linePen();
    const QPen symbolPen(chart::toQColor(pen.color), pen.width, Qt::SolidLine, Qt::FlatCap);
    p.setFont(drawFont);
    for (std::size_t i = 0; i < g.legendRows.size(); ++i) {
        const LegendRow &row = g.legendRows[i];
        p.setPen(symbolPen);
        p.drawLine(row.symbol);
        p.setPen(Qt::black);
        const LabelCache::Label &label = labels.label(series.points()[i].y, font);
        if (laidOut)
            p.drawStaticText(QPointF(row.textOrigin.x(), row.textOrigin.y() - ascent), label.glyphs);
        else
            p.drawText(row.textOrigin, label.text);
    }
}

}  // namespace

void TChart::paintEvent(QPaintEvent *)
{
    ++m_paintCount;
    QPainter p(this);
    paintChart(p);
}

QImage TChart::toImage()
{
    const qreal ratio = devicePixelRatioF();
    QImage image(size() * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    QPainter p(&image);
    // as a painter on the widget starts out, so the picture matches the screen
    p.setPen(palette().color(foregroundRole()));
    p.setBackground(palette().brush(backgroundRole()));
    p.setFont(font());
    paintChart(p);
    return image;
}

void TChart::paintChart(QPainter &p)
{
    // Everything painted is laid out left to right (positions come from chartGeometry()), and the
    // texts are numbers and titles: in a right-to-left layout "-45" must not become "45-".
    p.setLayoutDirection(Qt::LeftToRight);
    const ChartGeometry g = chartGeometry();

    const BackgroundLook background{size(), m_color, palette(), m_backWallTransparent, m_backWallColor,
                                    g.plotRect, g.xMarks, g.yMarks, g.xLabels, g.yLabels,
                                    g.titleLines, g.bottomTitle, g.leftTitle, font(), m_labelFont,
                                    m_bottomAxis.titleFont, m_leftAxis.titleFont};
    m_background.paint(p, background, [&](QPainter &q) { paintBackground(q, background, m_labels); });

    drawSeries(p, g, m_series);

    if (!g.zoomRect.isNull()) {
        p.setPen(QPen(Qt::black, 0, Qt::DashLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(g.zoomRect);
    }

    if (!m_series.empty())
        drawLegend(p, g, *m_series.front(), m_labelFont, font(), m_labels);
}
