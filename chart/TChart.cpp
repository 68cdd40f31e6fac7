#include "TChart.h"

#include "readout.h"

#include <QEvent>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QToolTip>

#include <algorithm>
#include <cmath>
#include <limits>

using chart::AxisRange;

namespace {

// A left drag shorter than this in both directions is a click and changes nothing; a zoom must
// be at least this long in each direction, so a slip of the hand can't zoom an axis to a sliver.
constexpr int ClickSlop = 3;

QFont arial(int pixelSize, bool bold = false)
{
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}

}  // namespace

TChart::TChart(QWidget *parent)
    : QWidget(parent)
    , m_labelFont(arial(11))   // Arial 8 pt at 96 dpi
{
    m_bottomAxis.titleFont = m_labelFont;
    m_leftAxis.titleFont = m_labelFont;
    m_leftAxis.titleAngle = 90;
    setAttribute(Qt::WA_OpaquePaintEvent);   // paintEvent fills every pixel itself
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);   // a shown readout follows the pointer from sample to sample
}

TChart::~TChart() = default;

TFastLineSeries *TChart::addSeries(std::unique_ptr<TFastLineSeries> series)
{
    series->m_chart = this;
    m_series.push_back(std::move(series));
    seriesChanged();
    return m_series.back().get();
}

TFastLineSeries *TChart::series(int index) const
{
    if (index < 0 || index >= seriesCount())
        return nullptr;
    return m_series[std::size_t(index)].get();
}

void TChart::seriesChanged()
{
    update();   // coalesced by Qt: one paint however many changes came before it
}

void TChart::settingChanged()
{
    update();
}

void TChart::setColor(const QColor &c) { m_color = c; settingChanged(); }
void TChart::setBackWallColor(const QColor &c) { m_backWallColor = c; settingChanged(); }
void TChart::setBackWallTransparent(bool on) { m_backWallTransparent = on; settingChanged(); }
void TChart::setTitleText(const QStringList &lines) { m_titleText = lines; settingChanged(); }
void TChart::setBottomAxisAutomatic(bool on) { m_bottomAxis.automatic = on; settingChanged(); }
void TChart::setBottomAxisMinimum(double v) { m_bottomAxis.minimum = v; settingChanged(); }
void TChart::setBottomAxisMaximum(double v) { m_bottomAxis.maximum = v; settingChanged(); }
void TChart::setBottomAxisTitle(const QString &t) { m_bottomAxis.title = t; settingChanged(); }
void TChart::setLeftAxisAutomatic(bool on) { m_leftAxis.automatic = on; settingChanged(); }
void TChart::setLeftAxisMinimum(double v) { m_leftAxis.minimum = v; settingChanged(); }
void TChart::setLeftAxisMaximum(double v) { m_leftAxis.maximum = v; settingChanged(); }
void TChart::setLeftAxisTitle(const QString &t) { m_leftAxis.title = t; settingChanged(); }
void TChart::setLeftAxisTitleAngle(int degrees) { m_leftAxis.titleAngle = degrees; settingChanged(); }
void TChart::setLeftAxisTitleFont(const QFont &f)
{
    // Sizes in points are taken at the 96 dpi the chart is laid out in, as whole pixels.
    QFont font = f;
    if (f.pointSizeF() > 0)
        font.setPixelSize(int(std::lround(f.pointSizeF() * 96.0 / 72.0)));
    m_leftAxis.titleFont = font;
    settingChanged();
}
void TChart::setLegendVisible(bool on) { m_legendVisible = on; settingChanged(); }

AxisRange TChart::axisRange(const TChartAxis &axis, bool horizontal) const
{
    if (!axis.automatic)
        return {axis.minimum, axis.maximum};
    // Automatic: the extent of the data, or the set range while there is none.
    double lo = std::numeric_limits<double>::infinity(), hi = -lo;
    for (const auto &s : m_series)
        for (const TChartPoint &p : s->points()) {
            const double v = horizontal ? p.x : p.y;
            lo = std::min(lo, v);
            hi = std::max(hi, v);
        }
    if (lo > hi)
        return {axis.minimum, axis.maximum};
    return {lo, hi};
}

AxisRange TChart::bottomAxisView() const
{
    return m_zoomed ? m_xView : axisRange(m_bottomAxis, true);
}

AxisRange TChart::leftAxisView() const
{
    return m_zoomed ? m_yView : axisRange(m_leftAxis, false);
}

void TChart::undoZoom()
{
    m_zoomed = false;
    update();
}

void TChart::mousePressEvent(QMouseEvent *event)
{
    hideReadout();
    // A press of the drag's own button: its release never came (it went to another window).
    if (m_drag != Drag::None && event->button() == dragButton())
        abandonDrag();
    const ChartGeometry g = chartGeometry();
    const QPoint pos = event->position().toPoint();
    if (m_drag != Drag::None || !g.plotRect.contains(pos)) {
        event->ignore();
        return;
    }
    if (event->button() == Qt::LeftButton && m_allowZoom)
        m_drag = Drag::Zoom;
    else if (event->button() == Qt::RightButton && m_allowPanning)
        m_drag = Drag::Pan;
    else {
        event->ignore();
        return;
    }
    m_dragOrigin = m_dragPos = pos;
    m_dragXMap = g.xMap;
    m_dragYMap = g.yMap;
    m_dragWasZoomed = m_zoomed;
    m_dragXView = m_xView;
    m_dragYView = m_yView;
}

void TChart::mouseMoveEvent(QMouseEvent *event)
{
    if (m_drag == Drag::None) {
        if (event->buttons() != Qt::NoButton)
            hideReadout();
        else if (m_readoutShown && QToolTip::isVisible())
            showReadout(event->position().toPoint(), event->globalPosition().toPoint());
        event->ignore();
        return;
    }
    if (!(event->buttons() & dragButton())) {   // released where we didn't see it
        abandonDrag();
        event->ignore();
        return;
    }
    m_dragPos = event->position().toPoint();
    if (m_drag == Drag::Pan) {
        // Shift so that the data under the origin of the drag stays under the pointer.
        const QPoint d = m_dragPos - m_dragOrigin;
        m_xView = chart::clampView({m_dragXMap.toData(m_dragXMap.pixel1() - d.x()),
                                    m_dragXMap.toData(m_dragXMap.pixel2() - d.x())});
        m_yView = chart::clampView({m_dragYMap.toData(m_dragYMap.pixel1() - d.y()),
                                    m_dragYMap.toData(m_dragYMap.pixel2() - d.y())});
        m_zoomed = true;
    }
    update();
}

void TChart::mouseReleaseEvent(QMouseEvent *event)
{
    const bool zoomEnds = m_drag == Drag::Zoom && event->button() == Qt::LeftButton;
    const bool panEnds = m_drag == Drag::Pan && event->button() == Qt::RightButton;
    if (!zoomEnds && !panEnds) {
        event->ignore();
        return;
    }
    if (zoomEnds) {
        m_dragPos = event->position().toPoint();
        const QPoint d = m_dragPos - m_dragOrigin;
        if (std::abs(d.x()) >= ClickSlop || std::abs(d.y()) >= ClickSlop) {
            if (d.x() >= ClickSlop && d.y() >= ClickSlop) {
                m_xView = chart::clampView({m_dragXMap.toData(m_dragOrigin.x()),
                                            m_dragXMap.toData(m_dragPos.x())});
                m_yView = chart::clampView({m_dragYMap.toData(m_dragPos.y()),
                                            m_dragYMap.toData(m_dragOrigin.y())});
                m_zoomed = true;
            } else {
                m_zoomed = false;
            }
        }
    }
    endDrag();
}

bool TChart::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {   // the mouse has rested
        const auto *help = static_cast<QHelpEvent *>(event);
        showReadout(help->pos(), help->globalPos());
        event->setAccepted(m_readoutShown);
        return true;
    }
    if (event->type() == QEvent::Leave)
        hideReadout();
    if (event->type() == QEvent::Hide || event->type() == QEvent::UngrabMouse)
        abandonDrag();
    return QWidget::event(event);
}

void TChart::showReadout(QPoint pos, QPoint globalPos)
{
    const TFastLineSeries *first = series(0);
    std::optional<chart::SampleRun> run;
    if (m_drag == Drag::None && first) {
        const ChartGeometry g = chartGeometry();
        run = chart::sampleUnderPointer(first->points(), g.xMap, g.yMap, g.plotRect, pos);
    }
    if (!run) {
        hideReadout();
        return;
    }
    QToolTip::showText(globalPos,
                       chart::readoutText(first->points(), *run, m_bottomAxis.title,
                                          m_leftAxis.title, m_readoutUnit),
                       this);
    m_readoutShown = true;
}

void TChart::hideReadout()
{
    if (m_readoutShown)
        QToolTip::hideText();
    m_readoutShown = false;
}

void TChart::changeEvent(QEvent *event)
{
    // A drag cut short must leave no stale rectangle and no half-done pan.
    if ((event->type() == QEvent::EnabledChange && !isEnabled())
        || (event->type() == QEvent::ActivationChange && !isActiveWindow()))
        abandonDrag();
    QWidget::changeEvent(event);
}

Qt::MouseButton TChart::dragButton() const
{
    switch (m_drag) {
    case Drag::Zoom: return Qt::LeftButton;
    case Drag::Pan: return Qt::RightButton;
    case Drag::None: break;
    }
    return Qt::NoButton;
}

void TChart::abandonDrag()
{
    if (m_drag == Drag::None)
        return;
    m_zoomed = m_dragWasZoomed;
    m_xView = m_dragXView;
    m_yView = m_dragYView;
    endDrag();
}

void TChart::endDrag()
{
    m_drag = Drag::None;
    update();
}
