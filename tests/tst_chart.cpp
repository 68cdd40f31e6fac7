// The chart widget: legend rows, mouse zoom, restore and pan, deep zoom, and what it paints.
#include "designedchart.h"

#include <QtTest>
#include <QImage>

#include <cmath>

using chart::AxisRange;

Q_DECLARE_METATYPE(AxisRange)

namespace {

// The chart as the main window sets it up, at its designed size.
struct ChartFixture {
    TChart chart;
    TFastLineSeries *series;

    ChartFixture(int p0 = 20, int p2 = 10) : series(setUpAsDesigned(chart, p0, p2)) {}
    void fill(int p0, int p2) { fillCurve(*series, p0, p2); }
    QPoint toPixel(double x, double y) const
    {
        const ChartGeometry g = chart.chartGeometry();
        return QPoint(int(std::lround(g.xMap.toPixel(x))), int(std::lround(g.yMap.toPixel(y))));
    }
    QImage render()
    {
        QImage img(chart.size(), QImage::Format_RGB32);
        chart.render(&img);
        return img;
    }
};

bool near(double a, double b, double tolerance)
{
    return std::abs(a - b) <= tolerance;
}

// A move as the window system sends it, with the buttons it says are held.
void moveWith(QWidget *w, QPoint pos, Qt::MouseButtons held)
{
    QMouseEvent e(QEvent::MouseMove, pos, w->mapToGlobal(pos), Qt::NoButton, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

bool isRed(QRgb c)
{
    return qRed(c) > 200 && qGreen(c) < 60 && qBlue(c) < 60;
}

}  // namespace

class TestChart : public QObject
{
    Q_OBJECT
private slots:
    void designedAxes();
    void legendRows_data();
    void legendRows();
    void legendDropsRowsThatDontFit();
    void curveIsPaintedWhereTheMapPutsIt();
    void zoomIntoDraggedRectangle();
    void otherDragsRestore_data();
    void otherDragsRestore();
    void clickDoesNothing();
    void panFollowsTheMouse();
    void dragCutShortIsAbandoned_data();
    void dragCutShortIsAbandoned();
    void zoomSurvivesNewData();
    void extremeViews_data();
    void extremeViews();
    void oneRepaintPerRefill();
};

void TestChart::designedAxes()
{
    ChartFixture f;
    const ChartGeometry g = f.chart.chartGeometry();
    QCOMPARE(g.xTicks.step, 5.0);
    QCOMPARE(g.yTicks.step, 5.0);
    QCOMPARE(g.xTicks.major.front(), 0.0);
    QCOMPARE(g.xTicks.major.back(), 100.0);
    QCOMPARE(g.yTicks.major.front(), -45.0);
    QCOMPARE(g.yTicks.major.back(), 25.0);
    QVERIFY(g.legendRect.left() > g.plotRect.right());
    QVERIFY(f.chart.rect().contains(g.legendRect));
}

void TestChart::legendRows_data()
{
    QTest::addColumn<int>("p0");
    QTest::addColumn<int>("p2");
    QTest::addColumn<QStringList>("firstRows");
    QTest::newRow("start: Tul from 20 down") << 20 << 10 << QStringList{"20", "19", "18", "17"};
    QTest::newRow("run at the lower limit comes first") << 0 << 10 << QStringList{"-1", "0", "1", "2"};
    QTest::newRow("saw-tooth pairs") << 20 << 5 << QStringList{"19", "20", "17", "18"};
}

void TestChart::legendRows()
{
    QFETCH(int, p0);
    QFETCH(int, p2);
    QFETCH(QStringList, firstRows);
    ChartFixture f(p0, p2);
    const ChartGeometry g = f.chart.chartGeometry();
    QVERIFY2(g.legendRowCount >= 26 && g.legendRowCount <= 28, qPrintable(QString::number(g.legendRowCount)));
    for (int i = 0; i < firstRows.size(); ++i)
        QCOMPARE(chart::formatLabel(f.series->points()[i].y), firstRows[i]);
}

void TestChart::legendDropsRowsThatDontFit()
{
    ChartFixture f;
    const int full = f.chart.chartGeometry().legendRowCount;
    f.chart.resize(841, 200);
    const ChartGeometry g = f.chart.chartGeometry();
    QVERIFY(g.legendRowCount < full);
    QVERIFY(g.legendRowCount > 0);
    QVERIFY(g.legendRect.bottom() < 200);
    f.chart.resize(841, 20);
    QCOMPARE(f.chart.chartGeometry().legendRowCount, 0);
}

void TestChart::curveIsPaintedWhereTheMapPutsIt()
{
    ChartFixture f;
    const QImage img = f.render();
    // points of the line from (20, 20) to (80, -40), and its middle
    for (auto [x, y] : {std::pair{20.0, 20.0}, {50.0, -10.0}, {80.0, -40.0}, {35.0, 5.0}})
        QVERIFY2(isRed(img.pixel(f.toPixel(x, y))), qPrintable(QString("%1,%2").arg(x).arg(y)));
    // away from the line nothing is red
    QVERIFY(!isRed(img.pixel(f.toPixel(80, 20))));
    QVERIFY(!isRed(img.pixel(f.toPixel(20, -40))));
}

void TestChart::zoomIntoDraggedRectangle()
{
    ChartFixture f;
    const QPoint from = f.toPixel(20, 10), to = f.toPixel(60, -30);
    QTest::mousePress(&f.chart, Qt::LeftButton, {}, from);
    QTest::mouseMove(&f.chart, to);
    QTest::mouseRelease(&f.chart, Qt::LeftButton, {}, to);
    QVERIFY(f.chart.isZoomed());
    const AxisRange x = f.chart.bottomAxisView(), y = f.chart.leftAxisView();
    const double xPixel = 100.0 / f.chart.chartGeometry().plotRect.width();
    QVERIFY(near(x.minimum, 20, 2 * xPixel) && near(x.maximum, 60, 2 * xPixel));
    QVERIFY(near(y.minimum, -30, 0.5) && near(y.maximum, 10, 0.5));
    // the drag maps back to the data it covered
    const ChartGeometry g = f.chart.chartGeometry();
    QVERIFY(near(g.xMap.toData(g.plotRect.left()), x.minimum, 1e-9));
}

void TestChart::otherDragsRestore_data()
{
    QTest::addColumn<QPoint>("delta");
    QTest::newRow("left and up") << QPoint(-60, -40);
    QTest::newRow("right and up") << QPoint(60, -40);
    QTest::newRow("left and down") << QPoint(-60, 40);
    QTest::newRow("straight left") << QPoint(-60, 0);
    // one direction within the click's slop: no sliver of an axis
    QTest::newRow("wide and a pixel down") << QPoint(200, 1);
    QTest::newRow("tall and a pixel right") << QPoint(1, 200);
    QTest::newRow("wide and level") << QPoint(200, 0);
}

void TestChart::otherDragsRestore()
{
    QFETCH(QPoint, delta);
    ChartFixture f;
    QTest::mousePress(&f.chart, Qt::LeftButton, {}, f.toPixel(20, 10));
    QTest::mouseRelease(&f.chart, Qt::LeftButton, {}, f.toPixel(60, -30));
    QVERIFY(f.chart.isZoomed());
    const QPoint start = f.toPixel(40, -10);
    QTest::mousePress(&f.chart, Qt::LeftButton, {}, start);
    QTest::mouseRelease(&f.chart, Qt::LeftButton, {}, start + delta);
    QVERIFY(!f.chart.isZoomed());
    QCOMPARE(f.chart.bottomAxisView(), (AxisRange{0, 100}));
    QCOMPARE(f.chart.leftAxisView(), (AxisRange{-45, 25}));
}

void TestChart::clickDoesNothing()
{
    ChartFixture f;
    const QPoint at = f.toPixel(40, 0);
    QTest::mouseClick(&f.chart, Qt::LeftButton, {}, at);
    QVERIFY(!f.chart.isZoomed());
    QTest::mousePress(&f.chart, Qt::LeftButton, {}, at);
    QTest::mouseRelease(&f.chart, Qt::LeftButton, {}, at + QPoint(1, 1));
    QVERIFY(!f.chart.isZoomed());
}

void TestChart::panFollowsTheMouse()
{
    ChartFixture f;
    const ChartGeometry g = f.chart.chartGeometry();
    const QPoint from = f.toPixel(40, 0);
    const QPoint to = from + QPoint(100, 50);
    QTest::mousePress(&f.chart, Qt::RightButton, {}, from);
    QTest::mouseMove(&f.chart, from + QPoint(50, 25));
    QTest::mouseMove(&f.chart, to);
    QTest::mouseRelease(&f.chart, Qt::RightButton, {}, to);
    // the data that was under the pointer is under it still
    // (within a pixel: the labels of the new range may be a little wider or narrower)
    const ChartGeometry after = f.chart.chartGeometry();
    QVERIFY(near(after.xMap.toData(to.x()), g.xMap.toData(from.x()), 1.5 / g.xMap.pixelsPerUnit()));
    QVERIFY(near(after.yMap.toData(to.y()), g.yMap.toData(from.y()), 1.5 / -g.yMap.pixelsPerUnit()));
    // spans unchanged, shifted by the distance dragged in data units
    const AxisRange x = f.chart.bottomAxisView();
    QVERIFY(near(x.maximum - x.minimum, 100, 1e-9));
    QVERIFY(near(x.minimum, -100 / g.xMap.pixelsPerUnit(), 1e-9));
}

// A drag whose end never reaches the chart leaves the view as it was, and the next drag
// zooms into its own rectangle, not one from the stale corner.
void TestChart::dragCutShortIsAbandoned_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("cut");
    for (Qt::MouseButton b : {Qt::LeftButton, Qt::RightButton}) {
        const char *name = b == Qt::LeftButton ? "zoom" : "pan";
        for (const char *cut : {"button up unseen", "pressed again", "hidden", "disabled", "grab lost"})
            QTest::addRow("%s, %s", name, cut) << int(b) << QString(cut);
    }
}

void TestChart::dragCutShortIsAbandoned()
{
    QFETCH(int, button);
    QFETCH(QString, cut);
    const auto b = Qt::MouseButton(button);
    ChartFixture f;
    f.chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.chart));
    const QPoint from = f.toPixel(20, 10), mid = f.toPixel(60, -30);
    QTest::mousePress(&f.chart, b, {}, from);
    moveWith(&f.chart, mid, b);
    if (cut == "button up unseen") {
        moveWith(&f.chart, mid + QPoint(10, 10), Qt::NoButton);
    } else if (cut == "pressed again") {
        QTest::mousePress(&f.chart, b, {}, mid);   // starts a drag of its own; end it as a click
        QTest::mouseRelease(&f.chart, b, {}, mid);
    } else if (cut == "hidden") {
        f.chart.hide();
        f.chart.show();
    } else if (cut == "disabled") {
        f.chart.setEnabled(false);
        f.chart.setEnabled(true);
    } else {
        QEvent ungrab(QEvent::UngrabMouse);
        QApplication::sendEvent(&f.chart, &ungrab);
    }
    QVERIFY(!f.chart.isZoomed());
    QCOMPARE(f.chart.bottomAxisView(), (AxisRange{0, 100}));
    QCOMPARE(f.chart.leftAxisView(), (AxisRange{-45, 25}));
    // a late release of the cut drag does nothing
    QTest::mouseRelease(&f.chart, b, {}, mid + QPoint(20, 20));
    QVERIFY(!f.chart.isZoomed());

    const QPoint a = f.toPixel(40, 0), c = f.toPixel(80, -20);
    QTest::mousePress(&f.chart, Qt::LeftButton, {}, a);
    moveWith(&f.chart, c, Qt::LeftButton);
    QTest::mouseRelease(&f.chart, Qt::LeftButton, {}, c);
    QVERIFY(f.chart.isZoomed());
    const AxisRange x = f.chart.bottomAxisView(), y = f.chart.leftAxisView();
    QVERIFY2(near(x.minimum, 40, 1) && near(x.maximum, 80, 1), qPrintable(QString("%1..%2").arg(x.minimum).arg(x.maximum)));
    QVERIFY2(near(y.minimum, -20, 1) && near(y.maximum, 0, 1), qPrintable(QString("%1..%2").arg(y.minimum).arg(y.maximum)));
}

void TestChart::zoomSurvivesNewData()
{
    ChartFixture f;
    QTest::mousePress(&f.chart, Qt::LeftButton, {}, f.toPixel(20, 10));
    QTest::mouseRelease(&f.chart, Qt::LeftButton, {}, f.toPixel(60, -30));
    const AxisRange x = f.chart.bottomAxisView();
    f.fill(30, 40);
    QVERIFY(f.chart.isZoomed());
    QCOMPARE(f.chart.bottomAxisView(), x);
}

void TestChart::extremeViews_data()
{
    QTest::addColumn<int>("zooms");
    QTest::addColumn<double>("pan");
    QTest::newRow("200 nested zooms") << 200 << 0.0;
    QTest::newRow("far right") << 0 << 1e12;
    QTest::newRow("far left") << 0 << -1e12;
    QTest::newRow("deep zoom, then far") << 60 << 1e12;
}

// However deep the zoom or far the pan: finite ranges, a bounded number of labels, no "nan".
void TestChart::extremeViews()
{
    QFETCH(int, zooms);
    QFETCH(double, pan);
    ChartFixture f;
    for (int i = 0; i < zooms; ++i) {
        const QRect plot = f.chart.chartGeometry().plotRect;
        const QPoint from = plot.topLeft() + QPoint(plot.width() / 4, plot.height() / 4);
        QTest::mousePress(&f.chart, Qt::LeftButton, {}, from);
        QTest::mouseRelease(&f.chart, Qt::LeftButton, {}, from + QPoint(plot.width() / 3, plot.height() / 3));
    }
    for (int step = 0; pan != 0 && step < 40; ++step) {
        const ChartGeometry g = f.chart.chartGeometry();
        const double remaining = pan - (f.chart.bottomAxisView().minimum + f.chart.bottomAxisView().maximum) / 2;
        if (std::abs(remaining) < 1)
            break;
        // drag so far that one drag covers the distance (or as far as the widget allows)
        const double px = std::clamp(remaining * g.xMap.pixelsPerUnit(), -2e9, 2e9);
        const QPoint from = g.plotRect.center();
        QTest::mousePress(&f.chart, Qt::RightButton, {}, from);
        QTest::mouseMove(&f.chart, from - QPoint(int(px), 0));
        QTest::mouseRelease(&f.chart, Qt::RightButton, {}, from - QPoint(int(px), 0));
    }
    const ChartGeometry g = f.chart.chartGeometry();
    for (AxisRange r : {g.xRange, g.yRange}) {
        QVERIFY(std::isfinite(r.minimum) && std::isfinite(r.maximum));
        QVERIFY(r.maximum > r.minimum);
    }
    QVERIFY(g.xTicks.major.size() >= 1 && g.xTicks.major.size() < 100);
    QVERIFY(g.yTicks.major.size() >= 1 && g.yTicks.major.size() < 100);
    for (double v : g.xTicks.major) {
        const QString text = chart::formatLabel(v);
        QVERIFY(!text.isEmpty() && !text.contains("nan") && !text.contains("inf"));
    }
    // labels stay distinct
    QVERIFY(chart::formatLabel(g.xTicks.major.front()) != chart::formatLabel(g.xTicks.major.back())
            || g.xTicks.major.size() == 1);
    f.render();   // and it paints
}

void TestChart::oneRepaintPerRefill()
{
    ChartFixture f;
    f.chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.chart));
    QTest::qWait(30);
    const int before = f.chart.paintCount();
    f.fill(25, 12);
    QTest::qWait(50);
    QCOMPARE(f.chart.paintCount(), before + 1);
}

QTEST_MAIN(TestChart)
#include "tst_chart.moc"
