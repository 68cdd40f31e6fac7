// window_image OUT.png [zoomed]: the window as the user's locale shows it, grabbed offscreen.
// "zoomed" first zooms into the curve with a left drag and then pans it far to the right and up
// with a right drag, as a user does, so that the labels run into the thousands with decimals.
#include "TApplication.h"
#include "TChart.h"
#include "Unit1.h"

#include <QtTest>

#include <cstdio>

namespace {

QPoint at(const ChartGeometry &g, double x, double y)
{
    return QPoint(int(g.xMap.toPixel(x)), int(g.yMap.toPixel(y)));
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fputs("usage: window_image OUT.png [zoomed]\n", stderr);
        return 2;
    }
    TApplication app(argc, argv);
    prepareApplication();
    TForm1 form;
    Unit1::Form1 = &form;
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        return 1;
    if (argc > 2 && qstrcmp(argv[2], "zoomed") == 0) {
        TChart *chart = form.Chart1;
        ChartGeometry g = chart->chartGeometry();
        QTest::mousePress(chart, Qt::LeftButton, {}, at(g, 40, 0));
        QTest::mouseMove(chart, at(g, 41.7, -1));
        QTest::mouseRelease(chart, Qt::LeftButton, {}, at(g, 41.7, -1));
        // right and up by about a thousand: the data moves with the pointer, to the left and down
        g = chart->chartGeometry();
        const QPoint from = g.plotRect.center();
        const QPoint to = from - QPoint(int(1234.5 * g.xMap.pixelsPerUnit()), int(-1000.25 * -g.yMap.pixelsPerUnit()));
        QTest::mousePress(chart, Qt::RightButton, {}, from);
        QTest::mouseMove(chart, to);
        QTest::mouseRelease(chart, Qt::RightButton, {}, to);
    }
    QApplication::processEvents();
    return form.grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
