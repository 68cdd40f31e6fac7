#include "TChart.h"

#include "designfont.h"
#include "fontfamily.h"
#include "readout.h"

#include <QAccessible>
#include <QClipboard>
#include <QEvent>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QToolTip>

#include <algorithm>
#include <cmath>
#include <limits>

using chart::AxisRange;

namespace {

// A pan whose view widens or narrows the labels moves the plot's ends; these passes let the view
// follow the plot (one or two settle it in practice).
constexpr int PanSettlePasses = 3;

// An automatic axis over data that all share one value shows this much either side of it.
constexpr double AutomaticHalfSpan = 1;

// A left drag shorter than this in both directions is a click and changes nothing; a zoom must
// be at least this long in each direction, so a slip of the hand can't zoom an axis to a sliver.
constexpr int ClickSlop = 3;

// The chart's texts: Arial 8 pt at 96 dpi.
constexpr int LabelFontPixels = 11;

QFont arial(int pixelSize)
{
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(pixelSize);
    f.setBold(false);   // set, so that the widget's own font never lends the chart its weight
    return withInstalledFamily(f);
}

}  // namespace

TChart::TChart(QWidget *parent)
    : QWidget(parent)
    , m_labelFont(arial(LabelFontPixels))
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
    // A screen reader hears of the new shape once, after the handler that changed it returns.
    if (QAccessible::isActive() && !m_describePending) {
        m_describePending = true;
        QMetaObject::invokeMethod(this, [this] {
            m_describePending = false;
            QAccessibleEvent changed(this, QAccessible::DescriptionChanged);
            QAccessible::updateAccessibility(&changed);
        }, Qt::QueuedConnection);
    }
}

QString TChart::describe() const
{
    QStringList parts;
    for (const auto &s : m_series) {
        if (!s->points().empty())
            parts << chart::describeSeries(s->points(), m_bottomAxis.title, m_leftAxis.title);
    }
    return parts.join(QStringLiteral("; "));
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
    m_leftAxis.titleFont = withInstalledFamily(chart::designPixelFont(f));
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
    // Data all on one value (a vertical curve) still needs an axis to stand on.
    if (lo == hi)
        return {lo - AutomaticHalfSpan, hi + AutomaticHalfSpan};
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

QString TChart::tableText() const
{
    const TFastLineSeries *first = series(0);
    return chart::seriesTable(first ? first->points() : std::vector<TChartPoint>{},
                              m_bottomAxis.title, m_leftAxis.title);
}

void TChart::copyToClipboard()
{
    auto data = std::make_unique<QMimeData>();
    data->setText(tableText());
    data->setImageData(toImage());
    QGuiApplication::clipboard()->setMimeData(data.release());   // the clipboard owns it
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
        // Every pixel shows what the pixel d before it showed when the drag began, so the data
        // under the origin of the drag stays under the pointer. The plot's ends move when the
        // labels of the new view are wider or narrower; the view then follows the plot, at the
        // drag's scale, rather than the scale following the view (which would drift).
        const QPoint d = m_dragPos - m_dragOrigin;
        double x1 = m_dragXMap.pixel1(), x2 = m_dragXMap.pixel2();
        double y1 = m_dragYMap.pixel1(), y2 = m_dragYMap.pixel2();
        m_zoomed = true;
        for (int pass = 0; pass < PanSettlePasses; ++pass) {
            m_xView = chart::clampView({m_dragXMap.toData(x1 - d.x()), m_dragXMap.toData(x2 - d.x())});
            m_yView = chart::clampView({m_dragYMap.toData(y1 - d.y()), m_dragYMap.toData(y2 - d.y())});
            const ChartGeometry g = chartGeometry();
            if (g.xMap.pixel1() == x1 && g.xMap.pixel2() == x2 && g.yMap.pixel1() == y1
                && g.yMap.pixel2() == y2)
                break;
            x1 = g.xMap.pixel1();
            x2 = g.xMap.pixel2();
            y1 = g.yMap.pixel1();
            y2 = g.yMap.pixel2();
        }
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
                undoZoom();
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
