// The chart control: a white, flat chart with a bottom and a left axis, a legend at the right
// and any number of line series. Its settings are properties, so a Designer form can hold them.
//
// Data flows one way: the series change and ask for a repaint; paintEvent lays the chart out
// (ChartGeometry: plot rectangle, ticks, data <-> pixel maps, legend rows) and draws what that
// computed, in a fixed order: background, grid, axes and labels, titles, series, legend.
// The mouse zooms (left drag right and down), restores (a left drag any other way) and pans
// (right drag) through the same maps. A drag cut short (its button found up without a release,
// the chart hidden, disabled or its window deactivated) is abandoned: the view goes back to
// what it was when the drag began. Resting the mouse near a sample, with no button held,
// shows its exact values in a tooltip (readout.h); any press hides it. copyToClipboard puts the
// first series' table and the chart's picture on the clipboard as one item.
#pragma once

#include "TFastLineSeries.h"
#include "chartcache.h"
#include "chartgeometry.h"
#include "scale.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRect>
#include <QStringList>
#include <QWidget>

#include <memory>
#include <vector>

struct TChartAxis {
    bool automatic = true;     // follow the data when nothing has been zoomed
    double minimum = 0;
    double maximum = 0;
    QString title;
    int titleAngle = 0;        // 0: horizontal; 90: turned to read upwards
    QFont titleFont;
};

class TChart : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QColor color READ color WRITE setColor)
    Q_PROPERTY(QColor backWallColor READ backWallColor WRITE setBackWallColor)
    Q_PROPERTY(bool backWallTransparent READ backWallTransparent WRITE setBackWallTransparent)
    Q_PROPERTY(QStringList titleText READ titleText WRITE setTitleText)
    Q_PROPERTY(bool bottomAxisAutomatic READ bottomAxisAutomatic WRITE setBottomAxisAutomatic)
    Q_PROPERTY(double bottomAxisMinimum READ bottomAxisMinimum WRITE setBottomAxisMinimum)
    Q_PROPERTY(double bottomAxisMaximum READ bottomAxisMaximum WRITE setBottomAxisMaximum)
    Q_PROPERTY(QString bottomAxisTitle READ bottomAxisTitle WRITE setBottomAxisTitle)
    Q_PROPERTY(bool leftAxisAutomatic READ leftAxisAutomatic WRITE setLeftAxisAutomatic)
    Q_PROPERTY(double leftAxisMinimum READ leftAxisMinimum WRITE setLeftAxisMinimum)
    Q_PROPERTY(double leftAxisMaximum READ leftAxisMaximum WRITE setLeftAxisMaximum)
    Q_PROPERTY(QString leftAxisTitle READ leftAxisTitle WRITE setLeftAxisTitle)
    Q_PROPERTY(int leftAxisTitleAngle READ leftAxisTitleAngle WRITE setLeftAxisTitleAngle)
    Q_PROPERTY(QFont leftAxisTitleFont READ leftAxisTitleFont WRITE setLeftAxisTitleFont)
    Q_PROPERTY(bool legendVisible READ legendVisible WRITE setLegendVisible)
    Q_PROPERTY(bool allowZoom READ allowZoom WRITE setAllowZoom)
    Q_PROPERTY(bool allowPanning READ allowPanning WRITE setAllowPanning)
    Q_PROPERTY(QString readoutUnit READ readoutUnit WRITE setReadoutUnit)

public:
    explicit TChart(QWidget *parent = nullptr);
    ~TChart() override;

    // The chart owns its series; the returned pointer stays valid as long as the chart.
    TFastLineSeries *addSeries(std::unique_ptr<TFastLineSeries> series);
    TFastLineSeries *series(int index) const;
    int seriesCount() const { return int(m_series.size()); }

    QColor color() const { return m_color; }
    void setColor(const QColor &c);
    QColor backWallColor() const { return m_backWallColor; }
    void setBackWallColor(const QColor &c);
    bool backWallTransparent() const { return m_backWallTransparent; }
    void setBackWallTransparent(bool on);
    QStringList titleText() const { return m_titleText; }
    void setTitleText(const QStringList &lines);

    bool bottomAxisAutomatic() const { return m_bottomAxis.automatic; }
    void setBottomAxisAutomatic(bool on);
    double bottomAxisMinimum() const { return m_bottomAxis.minimum; }
    void setBottomAxisMinimum(double v);
    double bottomAxisMaximum() const { return m_bottomAxis.maximum; }
    void setBottomAxisMaximum(double v);
    QString bottomAxisTitle() const { return m_bottomAxis.title; }
    void setBottomAxisTitle(const QString &t);

    bool leftAxisAutomatic() const { return m_leftAxis.automatic; }
    void setLeftAxisAutomatic(bool on);
    double leftAxisMinimum() const { return m_leftAxis.minimum; }
    void setLeftAxisMinimum(double v);
    double leftAxisMaximum() const { return m_leftAxis.maximum; }
    void setLeftAxisMaximum(double v);
    QString leftAxisTitle() const { return m_leftAxis.title; }
    void setLeftAxisTitle(const QString &t);
    int leftAxisTitleAngle() const { return m_leftAxis.titleAngle; }
    void setLeftAxisTitleAngle(int degrees);
    QFont leftAxisTitleFont() const { return m_leftAxis.titleFont; }
    void setLeftAxisTitleFont(const QFont &f);

    bool legendVisible() const { return m_legendVisible; }
    void setLegendVisible(bool on);
    bool allowZoom() const { return m_allowZoom; }
    void setAllowZoom(bool on) { m_allowZoom = on; }
    bool allowPanning() const { return m_allowPanning; }
    void setAllowPanning(bool on) { m_allowPanning = on; }
    // Written after each value of the tooltip readout, e.g. "°C"; none when empty.
    QString readoutUnit() const { return m_readoutUnit; }
    void setReadoutUnit(const QString &unit) { m_readoutUnit = unit; }

    // The ranges shown now: the set (or automatic) ranges, or those of a zoom or pan.
    chart::AxisRange bottomAxisView() const;
    chart::AxisRange leftAxisView() const;
    bool isZoomed() const { return m_zoomed; }
    void undoZoom();

    // The first series as a table (readout.h's seriesTable), headed by the axis titles.
    QString tableText() const;
    // The chart as it shows now, painted into an image without repainting the widget.
    QImage toImage();
    // Both of the above as one clipboard item: text and image.
    void copyToClipboard();

    ChartGeometry chartGeometry() const;
    // The font of the axis labels and the legend.
    const QFont &labelFont() const { return m_labelFont; }

    // How often the chart has painted itself; lets tests and benchmarks see repaints coalesce.
    int paintCount() const { return m_paintCount; }

    // Called by a series when its points or pen change.
    void seriesChanged();

    // What a screen reader says of the chart in place of the picture: the shape of each series,
    // in the axes' own titles ("Тко 80 at Тул -40, then falling to 20 at Тул 20").
    QString describe() const;

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void settingChanged();
    void paintChart(QPainter &p);
    chart::AxisRange axisRange(const TChartAxis &axis, bool horizontal) const;
    // The parts of chartGeometry(), in the order they take room from the chart.
    QRect placeTitle(QRect area, ChartGeometry &g) const;
    QRect placeLegend(QRect area, ChartGeometry &g) const;
    void placeAxes(QRect area, ChartGeometry &g) const;
    void placeAxisTexts(ChartGeometry &g) const;
    int leftTitleExtent() const;
    void endDrag();
    void abandonDrag();
    Qt::MouseButton dragButton() const;
    void showReadout(QPoint pos, QPoint globalPos);
    void hideReadout();

    QColor m_color = Qt::white;
    QColor m_backWallColor = Qt::white;
    bool m_backWallTransparent = false;
    QStringList m_titleText;
    TChartAxis m_bottomAxis, m_leftAxis;
    bool m_legendVisible = true;
    bool m_allowZoom = true;
    bool m_allowPanning = true;
    QFont m_labelFont;          // axis labels, legend and default axis titles
    std::vector<std::unique_ptr<TFastLineSeries>> m_series;

    // zoom and pan
    bool m_zoomed = false;
    chart::AxisRange m_xView, m_yView;
    enum class Drag { None, Zoom, Pan } m_drag = Drag::None;
    QPoint m_dragOrigin, m_dragPos;
    chart::ScaleMap m_dragXMap, m_dragYMap;   // the maps as they were when the drag began
    // the view as it was when the drag began, put back when a drag is cut short
    bool m_dragWasZoomed = false;
    chart::AxisRange m_dragXView, m_dragYView;

    QString m_readoutUnit;
    bool m_readoutShown = false;   // our tooltip is up (another widget's is left alone)

    mutable chart::LabelCache m_labels;   // label texts and widths, for layout and painting
    chart::BackgroundLayer m_background;   // what is behind the curve, kept between paints

    int m_paintCount = 0;
    bool m_describePending = false;   // a description change is queued for screen readers
};
