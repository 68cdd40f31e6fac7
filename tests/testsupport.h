// What several suites share: the main window shown as the program shows it, the series it must
// hold, the red of the curve, and counting a chart's paints without fixed sleeps.
#pragma once

#include "TChart.h"
#include "Unit1.h"
#include "curve.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QRgb>
#include <QTest>

#include <algorithm>
#include <memory>
#include <vector>

// A new main window, shown and active as after start-up (Unit1::Form1 points to it); null when
// the window system didn't make it active in time.
inline std::unique_ptr<TForm1> showDesignedForm()
{
    auto form = std::make_unique<TForm1>();
    Unit1::Form1 = form.get();
    form->show();
    form->activateWindow();
    if (!QTest::qWaitForWindowActive(form.get()))
        return nullptr;
    return form;
}

// The points the series must hold for p0 and p2: the sweep's samples ordered by Tko, samples of
// equal Tko in the order they were swept (the series inserts after equal X).
inline std::vector<curve::CurveSample> expectedSeries(int p0, int p2)
{
    std::vector<curve::CurveSample> samples;
    curve::SweepCurve(p0, p2, [&](curve::CurveSample s) { samples.push_back(s); });
    std::stable_sort(samples.begin(), samples.end(),
                     [](curve::CurveSample a, curve::CurveSample b) { return a.Tko < b.Tko; });
    return samples;
}

// The curve's red, as antialiasing leaves it.
inline bool isRed(QRgb c)
{
    return qRed(c) > 200 && qGreen(c) < 60 && qBlue(c) < 60;
}

// Lets the event loop deliver everything queued, posted repaints included.
inline void settle()
{
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

// How often `chart` paints because of `change`: counted from a settled event loop until the
// first paint after the change (within five seconds) and the loop settled again.
template <typename Change>
int paintsCausedBy(TChart &chart, Change change)
{
    settle();
    const int before = chart.paintCount();
    change();
    const QDeadlineTimer deadline(5000);
    while (chart.paintCount() == before && !deadline.hasExpired())
        QTest::qWait(5);
    settle();
    return chart.paintCount() - before;
}
