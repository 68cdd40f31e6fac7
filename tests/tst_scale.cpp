// Ticks, the data <-> pixel map and view limits: pure functions, tested by tables.
#include "numberformat.h"
#include "scale.h"

#include <QtTest>

#include <cmath>

using namespace chart;

Q_DECLARE_METATYPE(AxisRange)

class TestScale : public QObject
{
    Q_OBJECT
private slots:
    void niceSteps_data();
    void niceSteps();
    void ticks_data();
    void ticks();
    void unusableRanges_data();
    void unusableRanges();
    void minorTicks();
    void widestLabelInside();
    void map_data();
    void map();
    void degenerateMap();
    void views_data();
    void views();
};

void TestScale::niceSteps_data()
{
    QTest::addColumn<double>("raw");
    QTest::addColumn<double>("step");
    QTest::newRow("exact 1") << 1.0 << 1.0;
    QTest::newRow("1.2 -> 2") << 1.2 << 2.0;
    QTest::newRow("3.8 -> 5") << 3.8 << 5.0;
    QTest::newRow("5 stays") << 5.0 << 5.0;
    QTest::newRow("7 -> 10") << 7.0 << 10.0;
    QTest::newRow("0.003 -> 0.005") << 0.003 << 0.005;
    QTest::newRow("2.5e11 -> 5e11") << 2.5e11 << 5e11;
    QTest::newRow("zero falls back") << 0.0 << 1.0;
    QTest::newRow("nan falls back") << std::nan("") << 1.0;
}

void TestScale::niceSteps()
{
    QFETCH(double, raw);
    QFETCH(double, step);
    QCOMPARE(niceStep(raw), step);
}

void TestScale::ticks_data()
{
    QTest::addColumn<AxisRange>("range");
    QTest::addColumn<double>("length");
    QTest::addColumn<double>("extent");   // room a label needs, in pixels
    QTest::addColumn<double>("step");
    QTest::addColumn<double>("first");
    QTest::addColumn<double>("last");

    // The chart's own axes at their designed size give a step of 5.
    QTest::newRow("bottom axis as designed") << AxisRange{0, 100} << 640.0 << 24.0 << 5.0 << 0.0 << 100.0;
    QTest::newRow("left axis as designed") << AxisRange{-45, 25} << 370.0 << 17.0 << 5.0 << -45.0 << 25.0;
    QTest::newRow("more room, finer step") << AxisRange{0, 100} << 2000.0 << 24.0 << 2.0 << 0.0 << 100.0;
    QTest::newRow("little room, coarser step") << AxisRange{0, 100} << 100.0 << 24.0 << 50.0 << 0.0 << 100.0;
    QTest::newRow("crossing zero") << AxisRange{-7.3, 4.1} << 300.0 << 20.0 << 1.0 << -7.0 << 4.0;
    // never finer than the three decimals a label prints, or neighbours would read the same
    QTest::newRow("tiny span") << AxisRange{1.0001, 1.0011} << 400.0 << 30.0 << 0.001 << 1.001 << 1.001;
    QTest::newRow("deep zoom, left axis") << AxisRange{-10.15, -10.14} << 350.0 << 17.0 << 0.001 << -10.15 << -10.14;
    QTest::newRow("huge span") << AxisRange{-3e12, 9e12} << 500.0 << 60.0 << 2e12 << -2e12 << 8e12;
    QTest::newRow("far from zero") << AxisRange{1e12, 1e12 + 50} << 500.0 << 90.0 << 10.0 << 1e12 << 1e12 + 50;
    QTest::newRow("one pixel") << AxisRange{0, 100} << 1.0 << 24.0 << 5000.0 << 0.0 << 0.0;
}

void TestScale::ticks()
{
    QFETCH(AxisRange, range);
    QFETCH(double, length);
    QFETCH(double, extent);
    QFETCH(double, step);
    QFETCH(double, first);
    QFETCH(double, last);

    const AxisTicks t = computeTicks(range, length, [&](double) { return extent; });
    QVERIFY(qFuzzyCompare(t.step, step));
    QVERIFY(!t.major.empty());
    QVERIFY(qFuzzyCompare(1 + t.major.front(), 1 + first));
    QVERIFY(qFuzzyCompare(1 + t.major.back(), 1 + last));
    // labels never crowd: neighbours are at least `extent` pixels apart
    QVERIFY(t.step * length / (range.maximum - range.minimum) >= extent);
    for (std::size_t i = 1; i < t.major.size(); ++i)
        QVERIFY(t.major[i] > t.major[i - 1]);
}

void TestScale::unusableRanges_data()
{
    QTest::addColumn<AxisRange>("range");
    QTest::addColumn<double>("length");
    QTest::newRow("zero width") << AxisRange{5, 5} << 300.0;
    QTest::newRow("inverted") << AxisRange{10, -10} << 300.0;
    QTest::newRow("nan") << AxisRange{std::nan(""), 1} << 300.0;
    QTest::newRow("infinite") << AxisRange{0, HUGE_VAL} << 300.0;
    QTest::newRow("no room") << AxisRange{0, 100} << 0.0;
}

// Nothing to label: no ticks, and no hang or division by zero on the way.
void TestScale::unusableRanges()
{
    QFETCH(AxisRange, range);
    QFETCH(double, length);
    const AxisTicks t = computeTicks(range, length, [](double) { return 20.0; });
    QVERIFY(t.major.empty());
    QVERIFY(t.minor.empty());
    QCOMPARE(t.step, 0.0);
}

void TestScale::minorTicks()
{
    const AxisTicks t = computeTicks({0, 10}, 200, [](double) { return 30.0; });
    QCOMPARE(t.step, 2.0);
    QCOMPARE(int(t.major.size()), 6);
    QCOMPARE(int(t.minor.size()), 5 * 3);
    QCOMPARE(t.minor[0], 0.5);
    QCOMPARE(t.minor[2], 1.5);
    // a zero computed by adding steps to -0.3 must print as 0
    const AxisTicks z = computeTicks({-0.3, 0.3}, 600, [](double) { return 20.0; });
    QVERIFY(std::find(z.major.begin(), z.major.end(), 0.0) != z.major.end());
    for (double v : z.major)
        QVERIFY(formatNumber(v) != "-0");
}

// The step makes room for the widest label wherever it is, not only at the ends: "1,000.5"
// between "999" and "1,001" in English, or any label with a wider separator in another locale.
void TestScale::widestLabelInside()
{
    const auto extent = [](double v) { return v > 30 && v < 70 ? 90.0 : 24.0; };
    const AxisTicks t = computeTicks({0, 100}, 640, extent);
    QCOMPARE(t.step, 20.0);   // 10 would crowd 40 .. 60; the ends alone would allow 5
    for (double v : t.major)
        QVERIFY(t.step * 640 / 100 >= extent(v));
}

void TestScale::map_data()
{
    QTest::addColumn<AxisRange>("data");
    QTest::addColumn<double>("p1");
    QTest::addColumn<double>("p2");
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("pixel");
    QTest::newRow("left end") << AxisRange{0, 100} << 50.0 << 850.0 << 0.0 << 50.0;
    QTest::newRow("right end") << AxisRange{0, 100} << 50.0 << 850.0 << 100.0 << 850.0;
    QTest::newRow("middle") << AxisRange{0, 100} << 50.0 << 850.0 << 25.0 << 250.0;
    QTest::newRow("vertical, bottom") << AxisRange{-45, 25} << 400.0 << 50.0 << -45.0 << 400.0;
    QTest::newRow("vertical, zero") << AxisRange{-45, 25} << 400.0 << 50.0 << 0.0 << 175.0;
    QTest::newRow("outside the range") << AxisRange{0, 10} << 0.0 << 100.0 << 20.0 << 200.0;
    QTest::newRow("far away") << AxisRange{1e12, 1e12 + 1} << 0.0 << 100.0 << 1e12 + 0.5 << 50.0;
}

void TestScale::map()
{
    QFETCH(AxisRange, data);
    QFETCH(double, p1);
    QFETCH(double, p2);
    QFETCH(double, value);
    QFETCH(double, pixel);
    const ScaleMap m(data.minimum, data.maximum, p1, p2);
    QVERIFY(std::abs(m.toPixel(value) - pixel) < 1e-6);
    QVERIFY(std::abs(m.toData(pixel) - value) < 1e-6 * std::max(1.0, std::abs(value)) + 1e-3);
}

void TestScale::degenerateMap()
{
    const ScaleMap m(5, 5, 0, 100);
    QCOMPARE(m.toPixel(7), 0.0);
    QCOMPARE(m.toData(42), 5.0);
    QVERIFY(std::isfinite(m.toData(1e9)));
}

void TestScale::views_data()
{
    QTest::addColumn<AxisRange>("in");
    QTest::addColumn<AxisRange>("out");
    QTest::newRow("ordinary range unchanged") << AxisRange{0, 100} << AxisRange{0, 100};
    QTest::newRow("inverted is put right") << AxisRange{25, -45} << AxisRange{-45, 25};
    QTest::newRow("too narrow widens about its centre") << AxisRange{10, 10} << AxisRange{9.995, 10.005};
    QTest::newRow("too far is pulled back") << AxisRange{1e20, 1e20 + 10} << AxisRange{ViewLimit - 5000, ViewLimit + 5000};
    QTest::newRow("nan gives a sane range") << AxisRange{std::nan(""), 3} << AxisRange{-1, 1};
}

void TestScale::views()
{
    QFETCH(AxisRange, in);
    QFETCH(AxisRange, out);
    const AxisRange r = clampView(in);
    QVERIFY2(std::abs(r.minimum - out.minimum) <= 1e-9 * std::max(1.0, std::abs(out.minimum)),
             qPrintable(QString::number(r.minimum, 'g', 17)));
    QVERIFY2(std::abs(r.maximum - out.maximum) <= 1e-9 * std::max(1.0, std::abs(out.maximum)),
             qPrintable(QString::number(r.maximum, 'g', 17)));
    QVERIFY(r.maximum > r.minimum);
}

QTEST_APPLESS_MAIN(TestScale)
#include "tst_scale.moc"
