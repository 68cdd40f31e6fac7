// The readout under the mouse: which sample the pointer picks through the chart's maps (at a
// point, between points, on a run, outside the plot, after zoom and pan), its text, and the
// tooltip that shows it: only while the mouse rests with no button held, never in a drag.
#include "designedchart.h"
#include "curve.h"
#include "localenumbers.h"
#include "readout.h"
#include "userlocale.h"
#include "TApplication.h"

#include <QtTest>
#include <QHelpEvent>
#include <QToolTip>

#include <cmath>

namespace {

// The designed chart, and what the readout offers on it.
struct ReadoutFixture : ChartFixture {
    using ChartFixture::ChartFixture;
    // What the readout offers at a pixel of the chart, "" for nothing.
    QString readoutAt(QPointF pixel) const
    {
        const ChartGeometry g = chart.chartGeometry();
        const auto run = chart::sampleUnderPointer(series->points(), g.xMap, g.yMap, g.plotRect, pixel);
        return run ? chart::readoutText(series->points(), *run, chart.bottomAxisTitle(),
                                        chart.leftAxisTitle(), chart.readoutUnit())
                   : QString();
    }
    // The mouse moving with no button held (QTest would only move the cursor).
    void hover(QPoint pixel)
    {
        QMouseEvent move(QEvent::MouseMove, pixel, chart.mapToGlobal(pixel), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&chart, &move);
    }
    // The mouse resting at a pixel, as Qt reports it after its tooltip delay.
    void rest(QPoint pixel)
    {
        QHelpEvent help(QEvent::ToolTip, pixel, chart.mapToGlobal(pixel));
        QApplication::sendEvent(&chart, &help);
    }
};

enum class View { Designed, Zoomed, DeepZoom, PanToLeftEdge };

}  // namespace

Q_DECLARE_METATYPE(View)

Q_DECLARE_METATYPE(std::vector<TChartPoint>)

class TestReadout : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { prepareApplication(); }   // the user's language, as the program has it
    void cleanup();
    void choice_data();
    void choice();
    void text_data();
    void text();
    void description_data();
    void description();
    void table_data();
    void table();
    void restingShowsTheSample();
    void movingFollowsAndLeavingHides();
    void noTooltipInADrag_data();
    void noTooltipInADrag();
};

void TestReadout::cleanup()
{
    QToolTip::hideText();
    QTRY_VERIFY(!QToolTip::isVisible());
}

void TestReadout::choice_data()
{
    QTest::addColumn<int>("p0");
    QTest::addColumn<int>("p2");
    QTest::addColumn<View>("view");
    QTest::addColumn<QPointF>("sample");   // the pointer is placed relative to this data point,
    QTest::addColumn<QPointF>("offset");   // in pixels, through the map in force after the view
    QTest::addColumn<QString>("expected");

    const QPointF at(0, 0);
    QTest::newRow("at a point") << 20 << 10 << View::Designed << QPointF(50, -10) << at
                                << "Тул = -10 °C → Тко = 50 °C";
    QTest::newRow("near a point, within reach") << 20 << 10 << View::Designed << QPointF(50, -10)
                                                << QPointF(4, -5) << "Тул = -10 °C → Тко = 50 °C";
    QTest::newRow("just beyond reach of the only point") << 20 << 50 << View::Designed
                                                         << QPointF(95, 5) << QPointF(0, -9) << "";
    // (50, -10) and (51, -11) are about 9 px apart: the nearer one wins
    QTest::newRow("between two, nearer the first") << 20 << 10 << View::Designed
                                                   << QPointF(50.4, -10.4) << at
                                                   << "Тул = -10 °C → Тко = 50 °C";
    QTest::newRow("between two, nearer the second") << 20 << 10 << View::Designed
                                                    << QPointF(50.6, -10.6) << at
                                                    << "Тул = -11 °C → Тко = 51 °C";
    // P2 = 50: neighbouring samples are 5 apart in Tko, some 37 px
    QTest::newRow("between two far apart") << 20 << 50 << View::Designed << QPointF(92.5, 5.5) << at << "";
    QTest::newRow("on the run at the upper limit") << 20 << 30 << View::Designed << QPointF(95, -20)
                                                   << QPointF(-3, 2) << "Тул = -40…-5 °C → Тко = 95 °C";
    QTest::newRow("on the run at the lower limit") << 0 << 10 << View::Designed << QPointF(1, 20) << at
                                                   << "Тул = -1…20 °C → Тко = 1 °C";
    QTest::newRow("on a saw-tooth pair") << 20 << 5 << View::Designed << QPointF(20, 19) << at
                                         << "Тул = 19…20 °C → Тко = 20 °C";
    QTest::newRow("one vertical stroke") << 20 << 0 << View::Designed << QPointF(20, 0) << at
                                         << "Тул = -40…20 °C → Тко = 20 °C";
    QTest::newRow("outside the plot, left of the axis") << 0 << 10 << View::Designed << QPointF(1, 20)
                                                        << QPointF(-8, 0) << "";
    QTest::newRow("zoomed: the sample where it is drawn now") << 20 << 10 << View::Zoomed
                                                              << QPointF(50, -10) << QPointF(6, 0)
                                                              << "Тул = -10 °C → Тко = 50 °C";
    // zoomed so far that neighbours are some 190 px apart: the gap between them is empty
    QTest::newRow("deep zoom: between two is nothing") << 20 << 10 << View::DeepZoom
                                                       << QPointF(50.5, -10.5) << at << "";
    QTest::newRow("deep zoom: at a point") << 20 << 10 << View::DeepZoom << QPointF(51, -11)
                                           << QPointF(-5, 5) << "Тул = -11 °C → Тко = 51 °C";
    // panned so (50, -10) is drawn 2 px inside the left edge of the plot
    QTest::newRow("panned: inside the plot's edge") << 20 << 10 << View::PanToLeftEdge
                                                    << QPointF(50, -10) << QPointF(-1, 0)
                                                    << "Тул = -10 °C → Тко = 50 °C";
    QTest::newRow("panned: outside the plot's edge") << 20 << 10 << View::PanToLeftEdge
                                                     << QPointF(50, -10) << QPointF(-4, 0) << "";
}

void TestReadout::choice()
{
    QFETCH(int, p0);
    QFETCH(int, p2);
    QFETCH(View, view);
    QFETCH(QPointF, sample);
    QFETCH(QPointF, offset);
    QFETCH(QString, expected);

    ReadoutFixture f(p0, p2);
    switch (view) {
    case View::Designed:
        break;
    case View::Zoomed:
        f.drag(Qt::LeftButton, f.toPoint({40, 0}), f.toPoint({60, -30}));
        break;
    case View::DeepZoom:
        f.drag(Qt::LeftButton, f.toPoint({49, -9}), f.toPoint({52, -12}));
        break;
    case View::PanToLeftEdge: {
        const int left = f.chart.chartGeometry().plotRect.left();
        const QPoint from = f.toPoint({40, -20});
        f.drag(Qt::RightButton, from, from + QPoint(int(std::lround(left + 2 - f.toPixel(sample).x())), 0));
        QVERIFY(std::abs(f.toPixel(sample).x() - (left + 2)) < 1);
        break;
    }
    }
    QCOMPARE(f.chart.isZoomed(), view != View::Designed);
    QCOMPARE(f.readoutAt(f.toPixel(sample) + offset), expected);
}

void TestReadout::text_data()
{
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QList<QPointF>>("points");
    QTest::addColumn<QString>("expected");
    QTest::newRow("positive, no unit") << QString() << QList<QPointF>{{50, 10}} << "Y = 10 → X = 50";
    QTest::newRow("zero is never negative") << "°C" << QList<QPointF>{{-0.0, -0.0}}
                                            << "Y = 0 °C → X = 0 °C";
    QTest::newRow("fractions and thousands") << "m" << QList<QPointF>{{1234.5, -0.25}}
                                             << inUsersLocale("Y = -0.25 m → X = 1,234.5 m",
                                                              "Y = -0,25 m → X = 1.234,5 m",
                                                              "Y = -0,25 m → X = 1\u00a0234,5 m");
    QTest::newRow("a run, listed out of order") << "°C" << QList<QPointF>{{95, -5}, {95, -40}, {95, -6}}
                                                << "Y = -40…-5 °C → X = 95 °C";
}

void TestReadout::text()
{
    QFETCH(QString, unit);
    QFETCH(QList<QPointF>, points);
    QFETCH(QString, expected);
    std::vector<TChartPoint> pts;
    for (QPointF p : points)
        pts.push_back({p.x(), p.y(), chart::clBlack, QString()});
    QCOMPARE(chart::readoutText(pts, {0, int(pts.size()) - 1}, "X", "Y", unit), expected);
}

// The heating curve's samples, as the window adds them: X = Тко, Y = Тул.
static QList<QPointF> heatingCurve(int p0, int p2)
{
    QList<QPointF> points;
    curve::SweepCurve(p0, p2, [&](curve::CurveSample s) { points << QPointF(s.Tko, s.Tul); });
    return points;
}

void TestReadout::description_data()
{
    QTest::addColumn<QList<QPointF>>("points");
    QTest::addColumn<QString>("expected");
    QTest::newRow("straight") << heatingCurve(20, 10)
        << "Tko 80 at Tul -40, then falling to 20 at Tul 20";
    QTest::newRow("level at 95, then falling") << heatingCurve(20, 30)
        << "Tko 95 from Tul -40 to -5, then falling to 20 at Tul 20";
    QTest::newRow("falling, then level at 1") << heatingCurve(0, 10)
        << "Tko 40 at Tul -40, then falling to 1 at Tul -1, then Tko 1 up to Tul 20";
    QTest::newRow("level at 95 and at 1") << heatingCurve(0, 50)
        << "Tko 95 from Tul -40 to -19, then falling to 1 at Tul 0, then Tko 1 up to Tul 20";
    QTest::newRow("all at 95") << heatingCurve(50, 50) << "Tko 95 from Tul -40 to 20";
    QTest::newRow("all at 1") << heatingCurve(0, 0) << "Tko 1 from Tul -40 to 20";
    QTest::newRow("P2 = 0: vertical") << heatingCurve(20, 0) << "Tko 20 from Tul -40 to 20";
    // truncation makes steps of several samples; only the last one, at the lowest Tko, is a run
    QTest::newRow("staircase, P2 = 1") << heatingCurve(20, 1)
        << "Tko 26 at Tul -40, then falling to 20 at Tul 11, then Tko 20 up to Tul 20";
    QTest::newRow("staircase, P2 = 5") << heatingCurve(20, 5)
        << "Tko 50 at Tul -40, then falling to 20 at Tul 19, then Tko 20 up to Tul 20";
    QTest::newRow("staircase, P2 = 9") << heatingCurve(20, 9)
        << "Tko 74 at Tul -40, then falling to 20 at Tul 19, then Tko 20 up to Tul 20";
    // any series: read along Y whatever the order of its points
    QTest::newRow("rising, listed backwards") << QList<QPointF>{{3, 2}, {2, 1}, {1, 0}}
        << "Tko 1 at Tul 0, then rising to 3 at Tul 2";
    QTest::newRow("a turn") << QList<QPointF>{{5, 0}, {1, 1}, {4, 2}}
        << "Tko 5 at Tul 0, then falling to 1 at Tul 1, then rising to 4 at Tul 2";
    QTest::newRow("decimals and thousands") << QList<QPointF>{{1234.5, -0.25}, {0.5, 3}}
        << "Tko " + chart::numberText(1234.5) + " at Tul " + chart::numberText(-0.25)
               + ", then falling to " + chart::numberText(0.5) + " at Tul 3";
    QTest::newRow("one sample") << QList<QPointF>{{7, -3}} << "Tko 7 at Tul -3";
    QTest::newRow("none") << QList<QPointF>{} << "";
}

void TestReadout::description()
{
    QFETCH(QList<QPointF>, points);
    QFETCH(QString, expected);
    if (inUsersLocale("en", "de", "ru") != "en")
        QSKIP("the shape is read here in English; tst_access reads it in German and Russian");
    std::vector<TChartPoint> pts;
    for (QPointF p : points)
        pts.push_back({p.x(), p.y(), chart::clBlack, QString()});
    QCOMPARE(chart::describeSeries(pts, "Tko", "Tul"), expected);
}

static std::vector<TChartPoint> pointsAt(std::initializer_list<std::pair<double, double>> xy)
{
    std::vector<TChartPoint> points;
    for (auto [x, y] : xy) {
        TChartPoint p;
        p.x = x;
        p.y = y;
        points.push_back(p);
    }
    return points;
}

// The table: rows by ascending Y whatever order the points are kept in (a series keeps them by
// X), points sharing a Y in their list order, numbers as the axis labels write them.
void TestReadout::table_data()
{
    QTest::addColumn<std::vector<TChartPoint>>("points");
    QTest::addColumn<QString>("expected");
    QTest::newRow("no points") << pointsAt({}) << "Y\tX\n";
    QTest::newRow("kept by X, falling in Y")
        << pointsAt({{20, 20}, {40, 0}, {80, -40}}) << "Y\tX\n-40\t80\n0\t40\n20\t20\n";
    QTest::newRow("one X for several Y (a limited curve)")
        << pointsAt({{1, 5}, {1, -3}, {7, -4}}) << "Y\tX\n-4\t7\n-3\t1\n5\t1\n";
    QTest::newRow("equal Y keep their order")
        << pointsAt({{3, 0}, {1, 0}, {2, 0}}) << "Y\tX\n0\t3\n0\t1\n0\t2\n";
    // whatever the locale makes of them, exactly the labels' text (never "-0", never 1234.5)
    QTest::newRow("fractions and thousands as labels")
        << pointsAt({{1234.5, -0.25}, {-0.0001, 1e6}})
        << "Y\tX\n" + chart::numberText(-0.25) + "\t" + chart::numberText(1234.5) + "\n"
               + chart::numberText(1e6) + "\t" + chart::numberText(-0.0001) + "\n";
}

void TestReadout::table()
{
    QFETCH(std::vector<TChartPoint>, points);
    QFETCH(QString, expected);
    QCOMPARE(chart::seriesTable(points, "X", "Y"), expected);
}

void TestReadout::restingShowsTheSample()
{
    ReadoutFixture f;
    f.rest(f.toPoint({50, -10}));
    QVERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), QStringLiteral("Тул = -10 °C → Тко = 50 °C"));
    // a rest far from the curve shows nothing
    cleanup();
    f.rest(f.toPoint({80, 20}));
    QVERIFY(!QToolTip::isVisible());
}

void TestReadout::movingFollowsAndLeavingHides()
{
    ReadoutFixture f;
    f.rest(f.toPoint({50, -10}));
    QVERIFY(QToolTip::isVisible());
    f.hover(f.toPoint({30, 10}));
    QCOMPARE(QToolTip::text(), QStringLiteral("Тул = 10 °C → Тко = 30 °C"));
    // off the curve, then back: it stays down until the mouse rests again
    f.hover(f.toPoint({80, 20}));
    QTRY_VERIFY(!QToolTip::isVisible());
    f.hover(f.toPoint({30, 10}));
    QVERIFY(!QToolTip::isVisible());

    f.rest(f.toPoint({30, 10}));
    QVERIFY(QToolTip::isVisible());
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&f.chart, &leave);
    QTRY_VERIFY(!QToolTip::isVisible());
}

void TestReadout::noTooltipInADrag_data()
{
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::newRow("zoom") << Qt::LeftButton;
    QTest::newRow("pan") << Qt::RightButton;
}

void TestReadout::noTooltipInADrag()
{
    QFETCH(Qt::MouseButton, button);
    ReadoutFixture withTip, without;
    const QPoint from = withTip.toPoint({40, 0}), over = withTip.toPoint({50, -10}),
                 to = withTip.toPoint({60, -20});

    withTip.rest(from);
    QVERIFY(QToolTip::isVisible());
    QTest::mousePress(&withTip.chart, button, {}, from);   // the drag starts: the tip goes
    QTRY_VERIFY(!QToolTip::isVisible());
    QTest::mouseMove(&withTip.chart, over);                // across a sample, button held
    withTip.rest(over);                                    // even if a rest is reported
    QVERIFY(!QToolTip::isVisible());
    QTest::mouseMove(&withTip.chart, to);
    QTest::mouseRelease(&withTip.chart, button, {}, to);
    QVERIFY(!QToolTip::isVisible());

    // and the drag did exactly what it does with no tooltip about
    without.drag(button, from, to);
    QVERIFY(withTip.chart.isZoomed());
    QCOMPARE(withTip.chart.bottomAxisView(), without.chart.bottomAxisView());
    QCOMPARE(withTip.chart.leftAxisView(), without.chart.leftAxisView());
}

QTEST_MAIN(TestReadout)
#include "tst_readout.moc"
