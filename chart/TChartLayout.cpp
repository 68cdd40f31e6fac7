// Where everything of the chart goes, for its current size, settings, view and data. The title,
// the legend and the axes each take their room from what is left of the chart, in that order.
#include "TChart.h"

#include "chartmetrics.h"

#include <QFontMetrics>

#include <algorithm>
#include <cmath>

using namespace chart::metrics;

namespace {

int px(double v)
{
    return int(std::lround(v));
}

// Passes that narrow the plot for wider bottom labels; one or two settle it in practice.
constexpr int MaxNarrowings = 3;

// The baseline that centres a line of text in `fm` on the pixel row `y`.
int baselineCentredOn(const QFontMetrics &fm, int y)
{
    return y - fm.height() / 2 + fm.ascent();
}

// Pixel positions of `values` through `map`.
std::vector<int> toPixels(const std::vector<double> &values, const chart::ScaleMap &map)
{
    std::vector<int> pixels;
    pixels.reserve(values.size());
    for (double v : values)
        pixels.push_back(px(map.toPixel(v)));
    return pixels;
}

}  // namespace

ChartGeometry TChart::chartGeometry() const
{
    ChartGeometry g;
    const int w = width(), h = height();
    const int sideMargin = qRound(w * SideMargin), endMargin = qRound(h * EndMargin);
    QRect area(QPoint(sideMargin, endMargin), QPoint(w - 1 - sideMargin, h - 1 - endMargin));
    area = placeTitle(area, g);
    area = placeLegend(area, g);
    g.chartRect = area;
    placeAxes(area, g);
    placeAxisTexts(g);
    if (m_drag == Drag::Zoom)
        g.zoomRect = QRect(m_dragOrigin, m_dragPos).normalized();
    return g;
}

// The title's lines, centred at the top; returns what is left below them.
QRect TChart::placeTitle(QRect area, ChartGeometry &g) const
{
    if (m_titleText.isEmpty())
        return area;
    const QFontMetrics fm(m_labelFont);
    int top = area.top();
    for (const QString &line : m_titleText) {
        const int x = area.center().x() - fm.horizontalAdvance(line) / 2;
        g.titleLines.push_back({line, QPoint(x, top + fm.ascent()), 0});
        top += fm.height();
    }
    area.setTop(top + TitleSpacing);
    return area;
}

// The legend at the right: it lists the first series' points, as many rows as fit, and is as
// wide as its widest row. Returns what is left of it.
QRect TChart::placeLegend(QRect area, ChartGeometry &g) const
{
    const TFastLineSeries *first = m_series.empty() ? nullptr : m_series.front().get();
    if (!m_legendVisible || !first || first->count() == 0)
        return area;
    const QFontMetrics fm(m_labelFont);
    const int frameAndPadding = 2 * LegendFrame + 2 * LegendPadding;
    g.legendRowHeight = fm.height() + LegendRowSpacing;
    const int room = area.height() - frameAndPadding - LegendShadow;
    g.legendRowCount = std::clamp(room / g.legendRowHeight, 0, first->count());
    int textWidth = 0;
    for (int i = 0; i < g.legendRowCount; ++i)
        textWidth = std::max(textWidth, m_labels.label(first->points()[std::size_t(i)].y, m_labelFont).width);
    const int legendWidth = frameAndPadding + LegendSymbolLength + LegendSymbolGap + textWidth;
    const int legendHeight = frameAndPadding + g.legendRowCount * g.legendRowHeight;
    g.legendRect = QRect(area.right() - LegendShadow - legendWidth + 1, area.top(), legendWidth, legendHeight);

    const int symbolLeft = g.legendRect.left() + LegendFrame + LegendPadding;
    const int textLeft = symbolLeft + LegendSymbolLength + LegendSymbolGap;
    int rowTop = g.legendRect.top() + LegendFrame + LegendPadding;
    for (int i = 0; i < g.legendRowCount; ++i, rowTop += g.legendRowHeight) {
        const int mid = rowTop + g.legendRowHeight / 2;
        g.legendRows.push_back({QLine(symbolLeft, mid, symbolLeft + LegendSymbolLength, mid),
                                QPoint(textLeft, baselineCentredOn(fm, mid))});
    }
    area.setRight(g.legendRect.left() - LegendGap);
    return area;
}

// The plot rectangle inside `area`, with room for the labels and titles around it, and the
// ticks and maps of both axes.
void TChart::placeAxes(QRect area, ChartGeometry &g) const
{
    const QFontMetrics fm(m_labelFont);
    const auto labelWidth = [this](double value) { return m_labels.label(value, m_labelFont).width; };
    g.xRange = bottomAxisView();
    g.yRange = leftAxisView();

    // Vertical extent first: the left labels' width depends on their step, which depends on
    // the plot's height; the bottom labels only need their height, known from the font.
    const int top = area.top() + fm.height() / 2;   // room for the upper half of the top label
    const int bottomTitle =
        m_bottomAxis.title.isEmpty() ? 0 : QFontMetrics(m_bottomAxis.titleFont).height() + AxisTitleGap;
    const int bottom = std::max(top, area.bottom() - (TickLength + LabelGap + fm.height() + bottomTitle));
    g.yTicks = chart::computeTicks(g.yRange, bottom - top,
                                   [&](double) { return double(fm.height() + LabelSpacing); });
    int leftLabelsWidth = 0;
    for (double v : g.yTicks.major)
        leftLabelsWidth = std::max(leftLabelsWidth, labelWidth(v));

    const int left = area.left() + leftTitleExtent() + leftLabelsWidth + LabelGap + TickLength;
    // Room for the right half of the last bottom label: at least that of the set range's maximum,
    // so that ordinary zooms and pans keep the plot's width; half the widest label shown when
    // that is more (other digits, separators or decimals), so that none runs under the legend.
    // The widest, not the last: where the last one falls moves with every pixel of a pan, the
    // widest label's width hardly ever, so the plot's width stays put.
    const int setRangeHalf = labelWidth(axisRange(m_bottomAxis, true).maximum) / 2;
    int right = std::max(left, area.right() - setRangeHalf);
    for (int pass = 0;; ++pass) {
        g.plotRect = QRect(QPoint(left, top), QPoint(right, bottom));
        g.xTicks = chart::computeTicks(g.xRange, g.plotRect.width(), [&](double v) {
            return double(labelWidth(v) + LabelSpacing);
        });
        int widest = 0;
        for (double v : g.xTicks.major)
            widest = std::max(widest, labelWidth(v));
        const int fitting = std::max(left, area.right() - widest / 2);
        if (fitting >= right || pass == MaxNarrowings)
            break;
        right = fitting;   // the plot only narrows, so this settles
    }
    g.xMap = chart::ScaleMap(g.xRange.minimum, g.xRange.maximum, g.plotRect.left(), g.plotRect.right());
    g.yMap = chart::ScaleMap(g.yRange.minimum, g.yRange.maximum, g.plotRect.bottom(), g.plotRect.top());
}

// The room the left axis' title takes beside its labels, gap included; none without a title.
int TChart::leftTitleExtent() const
{
    if (m_leftAxis.title.isEmpty())
        return 0;
    const QFontMetrics tfm(m_leftAxis.titleFont);
    return (m_leftAxis.titleAngle == 0 ? tfm.horizontalAdvance(m_leftAxis.title) : tfm.height())
           + AxisTitleGap;
}

// Tick marks and labels through the maps; the bottom title centred under the bottom labels, the
// left title at the chart's left edge, centred on the axis' height.
void TChart::placeAxisTexts(ChartGeometry &g) const
{
    const QFontMetrics fm(m_labelFont);
    const QRect plot = g.plotRect;
    g.xMarks = {toPixels(g.xTicks.major, g.xMap), toPixels(g.xTicks.minor, g.xMap)};
    g.yMarks = {toPixels(g.yTicks.major, g.yMap), toPixels(g.yTicks.minor, g.yMap)};

    const int labelTop = plot.bottom() + TickLength + LabelGap;
    for (std::size_t i = 0; i < g.xTicks.major.size(); ++i) {
        const double v = g.xTicks.major[i];
        const int x = g.xMarks.major[i] - m_labels.label(v, m_labelFont).width / 2;
        g.xLabels.push_back({v, QPoint(x, labelTop + fm.ascent())});
    }
    const int labelRight = plot.left() - TickLength - LabelGap;
    for (std::size_t i = 0; i < g.yTicks.major.size(); ++i) {
        const double v = g.yTicks.major[i];
        const int x = labelRight - m_labels.label(v, m_labelFont).width;
        g.yLabels.push_back({v, QPoint(x, baselineCentredOn(fm, g.yMarks.major[i]))});
    }

    if (!m_bottomAxis.title.isEmpty()) {
        const QFontMetrics tfm(m_bottomAxis.titleFont);
        const int top = labelTop + fm.height() + AxisTitleGap;
        g.bottomTitle = {m_bottomAxis.title,
                         QPoint(plot.center().x() - tfm.horizontalAdvance(m_bottomAxis.title) / 2,
                                top + tfm.ascent()),
                         0};
    }
    if (!m_leftAxis.title.isEmpty()) {
        const QFontMetrics tfm(m_leftAxis.titleFont);
        const int midY = plot.center().y();
        const int left = g.chartRect.left();
        g.leftTitle.text = m_leftAxis.title;
        g.leftTitle.angle = m_leftAxis.titleAngle;
        // Turned, the text reads upwards from its baseline's left end, centred on the axis.
        g.leftTitle.origin = m_leftAxis.titleAngle == 0
                                 ? QPoint(left, baselineCentredOn(tfm, midY))
                                 : QPoint(left + tfm.ascent(), midY + tfm.horizontalAdvance(m_leftAxis.title) / 2);
    }
}
