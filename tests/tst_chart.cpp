// The chart widget: legend rows, mouse zoom, restore and pan, deep zoom, and what it paints.
#include "designedchart.h"
#include "testsupport.h"
#include "localenumbers.h"
#include "fontfamily.h"

#include <QtTest>
#include <QDir>
#include <QImage>

#include <cmath>

using chart::AxisRange;

Q_DECLARE_METATYPE(AxisRange)

namespace {

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

}  // namespace

class TestChart : public QObject
{
    Q_OBJECT
private slots:
    void paintingStartsNoThreads();   // first, while the process has no other threads
    void designedAxes();
    void automaticAxesOverOneValue();
    void placesWithinTheChart();
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
    void labelsKeepApart_data();
    void labelsKeepApart();
    void panKeepsTheDataWhenLabelsWiden();
    void numbersReadLeftToRight();
    void missingFamilyNamesItsSubstitute_data();
    void missingFamilyNamesItsSubstitute();
};

// The raster engine hands some large fills to a pool of threads; painting the chart must not
// need them: starting and waking them costs more than a grid line, and on a busy machine the
// paint waits for a core.
void TestChart::paintingStartsNoThreads()
{
    const auto threads = [] {
        return QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size();
    };
    const qsizetype before = threads();
    ChartFixture f;
    f.render();
    f.chart.resize(1600, 1200);   // longer grid lines
    f.render();
    QCOMPARE(threads(), before);
}

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

// With P2 = 0 every point has one X: an automatic bottom axis still spans and labels it.
void TestChart::automaticAxesOverOneValue()
{
    ChartFixture f(20, 0);
    f.chart.setBottomAxisAutomatic(true);
    const ChartGeometry g = f.chart.chartGeometry();
    QVERIFY(g.xRange.minimum < 20 && g.xRange.maximum > 20);
    QVERIFY(!g.xTicks.major.empty());
    QVERIFY(g.xMap.pixelsPerUnit() > 0);
}

// Everything the paint draws has its place inside the chart, labels beside their ticks and the
// legend's rows inside its box.
void TestChart::placesWithinTheChart()
{
    ChartFixture f;
    const ChartGeometry g = f.chart.chartGeometry();
    QCOMPARE(g.xLabels.size(), g.xTicks.major.size());
    QCOMPARE(g.yLabels.size(), g.yTicks.major.size());
    for (std::size_t i = 0; i < g.xLabels.size(); ++i) {
        QVERIFY(g.xLabels[i].origin.x() < g.xMarks.major[i]);
        QVERIFY(g.xLabels[i].origin.y() > g.plotRect.bottom());
    }
    for (const PlacedLabel &l : g.yLabels)
        QVERIFY(l.origin.x() < g.plotRect.left() && l.origin.x() >= g.chartRect.left());
    QVERIFY(g.bottomTitle.origin.y() > g.xLabels.front().origin.y());
    QCOMPARE(g.leftTitle.origin.x(), g.chartRect.left());
    QCOMPARE(int(g.legendRows.size()), g.legendRowCount);
    for (const LegendRow &row : g.legendRows)
        QVERIFY(g.legendRect.contains(row.symbol.p1()) && g.legendRect.contains(row.textOrigin));
    QVERIFY(g.zoomRect.isNull());
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
        QCOMPARE(chart::numberText(f.series->points()[i].y), firstRows[i]);
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
        const QString text = chart::numberText(v);
        QVERIFY(!text.isEmpty() && !text.contains("nan") && !text.contains("inf"));
    }
    // labels stay distinct
    QVERIFY(chart::numberText(g.xTicks.major.front()) != chart::numberText(g.xTicks.major.back())
            || g.xTicks.major.size() == 1);
    f.render();   // and it paints
}

void TestChart::labelsKeepApart_data()
{
    QTest::addColumn<QPointF>("pan");   // how far the view moves, in data units
    QTest::addColumn<bool>("zoom");     // into the middle third first, for decimals
    QTest::newRow("as designed") << QPointF(0, 0) << false;
    QTest::newRow("thousands") << QPointF(1234.5, 1000) << false;
    QTest::newRow("thousands with decimals") << QPointF(1234.5, 1000) << true;
    QTest::newRow("negative millions") << QPointF(-2345678, -1234567) << false;
    QTest::newRow("far right, decimals") << QPointF(9.87e11, 0) << true;
}

// In any locale and view: neighbouring labels never touch, and the last bottom label stays
// inside the chart, clear of the legend.
void TestChart::labelsKeepApart()
{
    QFETCH(QPointF, pan);
    QFETCH(bool, zoom);
    ChartFixture f;
    if (zoom) {
        const QRect plot = f.chart.chartGeometry().plotRect;
        const QPoint from = plot.topLeft() + QPoint(plot.width() / 3, plot.height() / 3);
        QTest::mousePress(&f.chart, Qt::LeftButton, {}, from);
        QTest::mouseRelease(&f.chart, Qt::LeftButton, {}, from + QPoint(plot.width() / 3, plot.height() / 3));
    }
    if (!pan.isNull()) {
        const ChartGeometry g = f.chart.chartGeometry();
        const QPoint from = g.plotRect.center();
        const QPoint to = from - QPoint(int(std::lround(pan.x() * g.xMap.pixelsPerUnit())),
                                        int(std::lround(pan.y() * g.yMap.pixelsPerUnit())));
        QTest::mousePress(&f.chart, Qt::RightButton, {}, from);
        QTest::mouseMove(&f.chart, to);
        QTest::mouseRelease(&f.chart, Qt::RightButton, {}, to);
    }
    const ChartGeometry g = f.chart.chartGeometry();
    const QFontMetrics fm(f.chart.labelFont());
    QVERIFY(g.xTicks.major.size() >= 2);
    int previousRight = -1;
    for (double v : g.xTicks.major) {
        const QString text = chart::numberText(v);
        const int width = fm.horizontalAdvance(text);
        const int left = int(std::lround(g.xMap.toPixel(v))) - width / 2;
        QVERIFY2(left > previousRight, qPrintable(text + " touches the label before it"));
        previousRight = left + width - 1;
    }
    QVERIFY2(previousRight <= g.chartRect.right(),
             qPrintable(QString("the last label ends at %1, the chart at %2").arg(previousRight).arg(g.chartRect.right())));
    QVERIFY(previousRight < g.legendRect.left());
    // the left labels lie one above the other, a line's height apart at least
    const double rowGap = (g.yTicks.major[1] - g.yTicks.major[0]) * -g.yMap.pixelsPerUnit();
    QVERIFY(rowGap >= fm.height());
}

// When the view's labels become wider (more digits, separators) the plot's ends move; the
// pan still keeps the data that was under the pointer under it, and the scale of the drag.
void TestChart::panKeepsTheDataWhenLabelsWiden()
{
    ChartFixture f;
    const ChartGeometry g = f.chart.chartGeometry();
    const QPoint from = g.plotRect.center();
    const QPointF data(g.xMap.toData(from.x()), g.yMap.toData(from.y()));
    const QPoint to = from - QPoint(int(5000 * g.xMap.pixelsPerUnit()), int(-5000 * -g.yMap.pixelsPerUnit()));
    QTest::mousePress(&f.chart, Qt::RightButton, {}, from);
    QTest::mouseMove(&f.chart, to);
    QTest::mouseRelease(&f.chart, Qt::RightButton, {}, to);
    const ChartGeometry after = f.chart.chartGeometry();
    // the room the left labels take, from the plot's left edge to the leftmost label's start
    const auto leftLabelRoom = [](const ChartGeometry &geometry) {
        int start = geometry.plotRect.left();
        for (const PlacedLabel &l : geometry.yLabels)
            start = std::min(start, l.origin.x());
        return geometry.plotRect.left() - start;
    };
    QVERIFY(leftLabelRoom(after) > leftLabelRoom(g));   // the labels did widen: "5,010" vs "-45"
    QVERIFY(after.plotRect.left() > g.plotRect.left());
    QVERIFY2(std::abs(after.xMap.toPixel(data.x()) - to.x()) < 0.01,
             qPrintable(QString("the data is at %1, the pointer at %2").arg(after.xMap.toPixel(data.x())).arg(to.x())));
    QVERIFY(std::abs(after.yMap.toPixel(data.y()) - to.y()) < 0.01);
    QVERIFY(std::abs(after.xMap.pixelsPerUnit() - g.xMap.pixelsPerUnit()) < 1e-9);
}

// In a right-to-left layout (-reverse, Arabic, Hebrew) the chart paints exactly as left to
// right: "-45" and the legend's "-1" keep their minus in front.
void TestChart::numbersReadLeftToRight()
{
    // shown and grabbed, as a screenshot would take it
    const auto shot = [](ChartFixture &f) {
        f.chart.show();
        return QTest::qWaitForWindowExposed(&f.chart) ? f.chart.grab().toImage() : QImage();
    };
    ChartFixture ltr(0, 10);   // the legend starts with "-1"
    const QImage expected = shot(ltr);
    QVERIFY(!expected.isNull());
    QGuiApplication::setLayoutDirection(Qt::RightToLeft);   // as -reverse does
    auto restore = qScopeGuard([] { QGuiApplication::setLayoutDirection(Qt::LeftToRight); });
    ChartFixture rtl(0, 10);
    QCOMPARE(rtl.chart.layoutDirection(), Qt::RightToLeft);
    QCOMPARE(shot(rtl), expected);
    // the same once the background is kept as an image
    QCOMPARE(rtl.chart.grab().toImage(), expected);
}

void TestChart::missingFamilyNamesItsSubstitute_data()
{
    QTest::addColumn<QString>("family");
    QTest::addColumn<QStringList>("substitutes");
    QTest::addColumn<QString>("named");
    QTest::newRow("missing, substitute installed")
        << "QOR Missing Sans" << QStringList{"QOR Missing Too", "Liberation Sans"} << "Liberation Sans";
    QTest::newRow("installed: kept though it has a substitute")
        << "Liberation Serif" << QStringList{"Liberation Sans"} << "Liberation Serif";
    QTest::newRow("missing, no substitute installed")
        << "QOR Missing Sans" << QStringList{"QOR Missing Too"} << "QOR Missing Sans";
    QTest::newRow("missing, no substitutes") << "QOR Missing Sans" << QStringList{} << "QOR Missing Sans";
}

void TestChart::missingFamilyNamesItsSubstitute()
{
    QFETCH(QString, family);
    QFETCH(QStringList, substitutes);
    QFETCH(QString, named);
    QFont::insertSubstitutions(family, substitutes);
    QFont font(family);
    font.setPixelSize(13);
    font.setBold(true);
    const QFont result = withInstalledFamily(font);
    QFont::removeSubstitutions(family);
    QCOMPARE(result.family(), named);
    QCOMPARE(result.pixelSize(), 13);
    QVERIFY(result.bold());
}

QTEST_MAIN(TestChart)
#include "tst_chart.moc"
