// The curve formula, its limits, the sweep and the parameter steps.
#include "curve.h"

#include <QtTest>

#include <vector>

using namespace curve;

class TestCurve : public QObject
{
    Q_OBJECT
private slots:
    void calcTko_data();
    void calcTko();
    void sweepOrderAndCount();
    void limitedCurves_data();
    void limitedCurves();
    void steps_data();
    void steps();
    void displayText();
};

void TestCurve::calcTko_data()
{
    QTest::addColumn<int>("p0");
    QTest::addColumn<int>("p2");
    QTest::addColumn<int>("tul");
    QTest::addColumn<int>("tko");
    QTest::newRow("start, coldest") << 20 << 10 << -40 << 80;
    QTest::newRow("start, zero") << 20 << 10 << 0 << 40;
    QTest::newRow("start, warmest") << 20 << 10 << 20 << 20;
    // -15 / 10 must truncate to -1 (floor would give -2)
    QTest::newRow("truncates toward zero, -15") << 10 << 15 << 11 << 9;
    QTest::newRow("truncates toward zero, -45") << 10 << 15 << 13 << 6;
    QTest::newRow("upper limit") << 20 << 15 << -40 << 95;
    QTest::newRow("just below the top") << 20 << 15 << 19 << 21;
    QTest::newRow("P2 = 15 at P0") << 20 << 15 << 20 << 20;
    QTest::newRow("lower limit, all zero") << 0 << 0 << 7 << 1;
    QTest::newRow("both at 50") << 50 << 50 << 20 << 95;
    QTest::newRow("steep, still limited") << 0 << 50 << -19 << 95;
    QTest::newRow("steep, first unlimited") << 0 << 50 << -18 << 90;
    QTest::newRow("steep, last above 1") << 0 << 50 << -1 << 5;
    QTest::newRow("steep, zero gives 1") << 0 << 50 << 0 << 1;
    QTest::newRow("flat at P0") << 33 << 0 << -40 << 33;
}

void TestCurve::calcTko()
{
    QFETCH(int, p0);
    QFETCH(int, p2);
    QFETCH(int, tul);
    QFETCH(int, tko);
    QCOMPARE(CalcTko(p0, p2, tul), tko);
}

void TestCurve::sweepOrderAndCount()
{
    std::vector<CurveSample> samples;
    SweepCurve(20, 10, [&](CurveSample s) { samples.push_back(s); });
    QCOMPARE(int(samples.size()), 61);
    for (int i = 0; i < 61; ++i) {
        QCOMPARE(samples[i].Tul, -40 + i);
        QCOMPARE(samples[i].Tko, 40 - samples[i].Tul);
    }
}

void TestCurve::limitedCurves_data()
{
    QTest::addColumn<int>("p0");
    QTest::addColumn<int>("p2");
    QTest::addColumn<int>("minTko");
    QTest::addColumn<int>("maxTko");
    QTest::newRow("0, 0 is 1 everywhere") << 0 << 0 << 1 << 1;
    QTest::newRow("50, 50 is 95 everywhere") << 50 << 50 << 95 << 95;
    QTest::newRow("flat at 37") << 37 << 0 << 37 << 37;
    QTest::newRow("0, 50 spans both limits") << 0 << 50 << 1 << 95;
}

// Every sample stays within 1..95, and the extreme curves are flat at their limit.
void TestCurve::limitedCurves()
{
    QFETCH(int, p0);
    QFETCH(int, p2);
    QFETCH(int, minTko);
    QFETCH(int, maxTko);
    int lo = 1000, hi = -1000;
    SweepCurve(p0, p2, [&](CurveSample s) {
        lo = std::min(lo, s.Tko);
        hi = std::max(hi, s.Tko);
    });
    QCOMPARE(lo, minTko);
    QCOMPARE(hi, maxTko);
}

void TestCurve::steps_data()
{
    QTest::addColumn<bool>("raise");
    QTest::addColumn<int>("before");
    QTest::addColumn<int>("after");
    QTest::newRow("lower") << false << 20 << 19;
    QTest::newRow("lower to the bound") << false << 1 << 0;
    QTest::newRow("lower at 0 stays") << false << 0 << 0;
    QTest::newRow("raise") << true << 10 << 11;
    QTest::newRow("raise to the bound") << true << 49 << 50;
    QTest::newRow("raise at 50 stays") << true << 50 << 50;
}

void TestCurve::steps()
{
    QFETCH(bool, raise);
    QFETCH(int, before);
    QFETCH(int, after);
    int param = before;
    raise ? RaiseParam(param) : LowerParam(param);
    QCOMPARE(param, after);
}

void TestCurve::displayText()
{
    QCOMPARE(DisplayText("P0", 20), std::string("P0=20"));
    QCOMPARE(DisplayText("P2", 0), std::string("P2=0"));
    QCOMPARE(DisplayText("P2", 50), std::string("P2=50"));
}

QTEST_APPLESS_MAIN(TestCurve)
#include "tst_curve.moc"
