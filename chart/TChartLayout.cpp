// Where everything of the chart goes, for its current size, settings, view and data.
#include "TChart.h"

#include "chartmetrics.h"

#include <QFontMetrics>

#include <algorithm>


ChartGeometry TChart::chartGeometry() const
{
    using namespace chart::metrics;
    ChartGeometry g;
    const QFontMetrics fm(m_labelFont);
    // Label widths come from the cache: measuring a text runs the shaper, and the same few dozen
    // labels are measured on every paint.
    const auto labelWidth = [this](double value) { return m_labels.label(value, m_labelFont).width; };
    const int w = width(), h = height();
    const int sideMargin = qRound(w * SideMargin), endMargin = qRound(h * EndMargin);
    QRect area(QPoint(sideMargin, endMargin), QPoint(w - 1 - sideMargin, h - 1 - endMargin));
    if (!m_titleText.isEmpty())
        area.setTop(area.top() + int(m_titleText.size()) * fm.height() + TitleSpacing);

    // The legend takes the right of the chart; it lists the first series' points, as many
    // rows as fit, and is as wide as its widest row.
    const TFastLineSeries *first = m_series.empty() ? nullptr : m_series.front().get();
    if (m_legendVisible && first && first->count() > 0) {
        g.legendRowHeight = fm.height() + LegendRowSpacing;
        const int room = area.height() - 2 - 2 * LegendPadding - LegendShadow;
        g.legendRowCount = std::clamp(room / g.legendRowHeight, 0, first->count());
        int textWidth = 0;
        for (int i = 0; i < g.legendRowCount; ++i)
            textWidth = std::max(textWidth, labelWidth(first->points()[std::size_t(i)].y));
        const int legendWidth = 2 + 2 * LegendPadding + LegendSymbolLength + LegendSymbolGap + textWidth;
        const int legendHeight = 2 + 2 * LegendPadding + g.legendRowCount * g.legendRowHeight;
        g.legendRect = QRect(area.right() - LegendShadow - legendWidth + 1, area.top(),
                             legendWidth, legendHeight);
        area.setRight(g.legendRect.left() - LegendGap);
    }
    g.chartRect = area;
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
    for (double v : g.yTicks.major)
        g.leftLabelsWidth = std::max(g.leftLabelsWidth, labelWidth(v));

    int leftTitle = 0;
    if (!m_leftAxis.title.isEmpty()) {
        const QFontMetrics tfm(m_leftAxis.titleFont);
        leftTitle = (m_leftAxis.titleAngle == 0 ? tfm.horizontalAdvance(m_leftAxis.title) : tfm.height())
                    + AxisTitleGap;
    }
    const int left = area.left() + leftTitle + g.leftLabelsWidth + LabelGap + TickLength;
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
        if (fitting >= right || pass == 3)
            break;
        right = fitting;   // the plot only narrows, so this settles
    }
    g.xMap = chart::ScaleMap(g.xRange.minimum, g.xRange.maximum, g.plotRect.left(), g.plotRect.right());
    g.yMap = chart::ScaleMap(g.yRange.minimum, g.yRange.maximum, g.plotRect.bottom(), g.plotRect.top());
    return g;
}
