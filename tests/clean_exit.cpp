// The program as a user runs it once: it starts, every button is pressed, the chart is zoomed,
// panned and restored, and the window is closed. The exit status is the program's own (0),
// or 3 when something on the way was not as expected. clean_exit.sh runs it, also under
// valgrind.
#include "TApplication.h"
#include "TChart.h"
#include "TFastLineSeries.h"
#include "Unit1.h"

#include <QCoreApplication>
#include <QTest>
#include <QTimer>

#include <cstdio>

namespace {

bool expect(bool ok, const char *what)
{
    if (!ok) {
        std::fprintf(stderr, "clean_exit: not as expected: %s\n", what);
        QCoreApplication::exit(3);
    }
    return ok;
}

void drag(QWidget *w, Qt::MouseButton button, QPoint from, QPoint to)
{
    QTest::mousePress(w, button, {}, from);
    QTest::mouseMove(w, (from + to) / 2);
    QTest::mouseMove(w, to);
    QTest::mouseRelease(w, button, {}, to);
}

void session(TForm1 &form)
{
    if (!expect(QTest::qWaitForWindowExposed(&form), "the window shows"))
        return;
    for (QPushButton *b : {form.sbP0minus, form.sbP0plus, form.sbP2plus, form.sbP2minus}) {
        QTest::mouseClick(b, Qt::LeftButton);
        if (!expect(form.Series1->count() == 61, "61 points after a press"))
            return;
    }
    // the window's own focus: without a window manager the window is never made active
    if (!expect(form.focusWidget() == form.sbP2minus, "the last button pressed has the focus"))
        return;
    QTest::keyClick(form.focusWidget(), Qt::Key_Return);
    if (!expect(Unit1::P0 == 20 && Unit1::P2 == 9, "P0=20 P2=9 after the presses"))
        return;

    TChart *chart = form.Chart1;
    const QRect plot = chart->chartGeometry().plotRect;
    const QPoint quarter(plot.width() / 4, plot.height() / 4);
    drag(chart, Qt::LeftButton, plot.center() - quarter, plot.center() + quarter);
    if (!expect(chart->isZoomed(), "a drag right and down zooms"))
        return;
    drag(chart, Qt::RightButton, plot.center(), plot.center() + quarter);
    QTest::qWait(50);   // let it paint the panned view
    drag(chart, Qt::LeftButton, plot.center(), plot.center() - quarter);
    if (!expect(!chart->isZoomed(), "a drag left and up restores"))
        return;
    std::puts("clean_exit: pressed every button and Return, zoomed, panned, restored; closing");
    form.close();   // the last window: the loop ends with status 0
}

}  // namespace

int main(int argc, char **argv)
{
    return RunQor(argc, argv, [](TForm1 &form) {
        QTimer::singleShot(0, &form, [&form] { session(form); });
    });
}
