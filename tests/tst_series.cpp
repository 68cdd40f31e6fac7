// The line series: points kept in ascending X, equal X in the order they came, and the order
// the curve's samples end up in for the shapes that show it (limits, runs of equal Tko).
#include "TChart.h"
#include "TFastLineSeries.h"
#include "curve.h"
#include "testsupport.h"

#include <QtTest>

#include <vector>

using XY = std::pair<double, double>;

namespace {

std::vector<XY> xyOf(const TFastLineSeries &s)
{
    std::vector<XY> out;
    for (const TChartPoint &p : s.points())
        out.emplace_back(p.x, p.y);
    return out;
}

void addCurve(TFastLineSeries &s, int p0, int p2)
{
    curve::SweepCurve(p0, p2, [&](curve::CurveSample c) { s.addXY(c.Tko, c.Tul); });
}

}  // namespace

class TestSeries : public QObject
{
    Q_OBJECT
private slots:
    void insertion_data();
    void insertion();
    void pointCarriesItsData();
    void clearEmpties();
    void curveOrder_data();
    void curveOrder();
    void changesRepaintOnceLater();
};

void TestSeries::insertion_data()
{
    QTest::addColumn<std::vector<XY>>("added");
    QTest::addColumn<std::vector<int>>("indexes");   // what addXY returned, in turn
    QTest::addColumn<std::vector<XY>>("list");
    QTest::newRow("ascending appends")
        << std::vector<XY>{{1, 0}, {2, 0}, {3, 0}} << std::vector<int>{0, 1, 2}
        << std::vector<XY>{{1, 0}, {2, 0}, {3, 0}};
    QTest::newRow("descending goes to the front")
        << std::vector<XY>{{3, 0}, {2, 0}, {1, 0}} << std::vector<int>{0, 0, 0}
        << std::vector<XY>{{1, 0}, {2, 0}, {3, 0}};
    QTest::newRow("equal X after existing ones")
        << std::vector<XY>{{5, 1}, {5, 2}, {5, 3}} << std::vector<int>{0, 1, 2}
        << std::vector<XY>{{5, 1}, {5, 2}, {5, 3}};
    QTest::newRow("equal X inside the list goes after its equals")
        << std::vector<XY>{{1, 0}, {5, 1}, {9, 0}, {5, 2}} << std::vector<int>{0, 1, 2, 2}
        << std::vector<XY>{{1, 0}, {5, 1}, {5, 2}, {9, 0}};
    QTest::newRow("between two")
        << std::vector<XY>{{1, 0}, {3, 0}, {2, 0}} << std::vector<int>{0, 1, 1}
        << std::vector<XY>{{1, 0}, {2, 0}, {3, 0}};
}

void TestSeries::insertion()
{
    QFETCH(std::vector<XY>, added);
    QFETCH(std::vector<int>, indexes);
    QFETCH(std::vector<XY>, list);
    TFastLineSeries s;
    for (std::size_t i = 0; i < added.size(); ++i)
        QCOMPARE(s.addXY(added[i].first, added[i].second), indexes[i]);
    QCOMPARE(xyOf(s), list);
}

void TestSeries::pointCarriesItsData()
{
    TFastLineSeries s;
    s.addXY(2, 20, QStringLiteral("b"), 0x00FF00);
    s.addXY(1, 10, QStringLiteral("a"), 0x0000FF);
    QCOMPARE(s.points()[0].label, QStringLiteral("a"));
    QCOMPARE(s.points()[0].color, chart::TColor(0x0000FF));
    QCOMPARE(s.points()[1].y, 20.0);
    QCOMPARE(s.points()[1].color, chart::TColor(0x00FF00));
}

void TestSeries::clearEmpties()
{
    TFastLineSeries s;
    addCurve(s, 20, 10);
    QCOMPARE(s.count(), 61);
    s.clear();
    QCOMPARE(s.count(), 0);
    addCurve(s, 20, 10);
    QCOMPARE(s.count(), 61);
}

void TestSeries::curveOrder_data()
{
    QTest::addColumn<int>("p0");
    QTest::addColumn<int>("p2");
    QTest::addColumn<std::vector<XY>>("head");
    QTest::addColumn<std::vector<XY>>("tail");
    QTest::newRow("start: straight, no equal X")
        << 20 << 10 << std::vector<XY>{{20, 20}, {21, 19}, {22, 18}}
        << std::vector<XY>{{79, -39}, {80, -40}};
    QTest::newRow("upper limit: a vertical run at 95")
        << 20 << 30 << std::vector<XY>{{20, 20}}
        << std::vector<XY>{{92, -4}, {95, -40}, {95, -39}, {95, -38}};
    QTest::newRow("lower limit: a run at 1 first")
        << 0 << 10 << std::vector<XY>{{1, -1}, {1, 0}, {1, 1}, {1, 2}}
        << std::vector<XY>{{40, -40}};
    QTest::newRow("slope 0.5: saw-tooth pairs")
        << 20 << 5 << std::vector<XY>{{20, 19}, {20, 20}, {21, 17}, {21, 18}, {22, 15}}
        << std::vector<XY>{{49, -39}, {49, -38}, {50, -40}};
    QTest::newRow("flat: all at P0 in sweep order")
        << 7 << 0 << std::vector<XY>{{7, -40}, {7, -39}} << std::vector<XY>{{7, 19}, {7, 20}};
}

void TestSeries::curveOrder()
{
    QFETCH(int, p0);
    QFETCH(int, p2);
    QFETCH(std::vector<XY>, head);
    QFETCH(std::vector<XY>, tail);
    TFastLineSeries s;
    addCurve(s, p0, p2);
    const std::vector<XY> list = xyOf(s);
    QCOMPARE(int(list.size()), 61);
    QCOMPARE(std::vector<XY>(list.begin(), list.begin() + head.size()), head);
    if (tail.size() > 2 && tail[1].first == 95) {
        // the run at 95 is followed by the rest of it, up to Tul = -5
        const auto at = std::find(list.begin(), list.end(), tail.front());
        QVERIFY(at != list.end());
        QCOMPARE(std::vector<XY>(at, at + tail.size()), tail);
        QCOMPARE(list.back(), XY(95, -5));
    } else {
        QCOMPARE(std::vector<XY>(list.end() - tail.size(), list.end()), tail);
    }
    for (std::size_t i = 1; i < list.size(); ++i)
        QVERIFY(list[i - 1].first <= list[i].first);
}

// Adding and emptying only mark the chart; it paints once, after control returns to the loop.
void TestSeries::changesRepaintOnceLater()
{
    TChart chart;
    chart.resize(841, 457);
    TFastLineSeries *s = chart.addSeries(std::make_unique<TFastLineSeries>());
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    QTRY_VERIFY(chart.paintCount() > 0);
    const int paints = paintsCausedBy(chart, [&] {
        const int before = chart.paintCount();
        s->clear();
        addCurve(*s, 20, 10);
        QCOMPARE(chart.paintCount(), before);   // nothing painted inside the change
    });
    QCOMPARE(paints, 1);
}

QTEST_MAIN(TestSeries)
#include "tst_series.moc"
