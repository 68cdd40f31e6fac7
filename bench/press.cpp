// The cost of one press: the button's handler plus the one repaint of the chart at its designed
// size into an image, offscreen. The yardstick, measured in the same run, is filling an image of
// the chart's size white with QPainter.
//
//   bench_press                    wall time per press and per fill (medians of 1,000)
//   bench_press --paints           chart paints per press, the window shown and its events run
//   bench_press --callgrind presses  presses inside qor_bench_presses() for callgrind's
//   bench_press --callgrind fills    --toggle-collect (fills inside qor_bench_fills())
#include "TApplication.h"
#include "TChart.h"
#include "Unit1.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

constexpr int Measured = 1000;      // presses (and fills) timed one by one
constexpr int CallgrindCount = 80;  // presses (and fills) whose instructions are counted

TForm1 *form = nullptr;
QImage *target = nullptr;
int pressNo = 0;

// The presses go round a cycle that leaves the parameters where they started: P0 up ten times,
// P2 up ten times, then both back down; every press draws a different curve from the last.
void press()
{
    using Handler = void (TForm1::*)(QObject *);
    static const Handler cycle[] = {&TForm1::sbP0plusClick, &TForm1::sbP2plusClick,
                                    &TForm1::sbP0minusClick, &TForm1::sbP2minusClick};
    (form->*cycle[(pressNo++ / 10) % 4])(nullptr);
}

void pressAndRepaint()
{
    press();
    form->Chart1->render(target);
}

void fillWhite()
{
    QPainter p(target);
    p.fillRect(target->rect(), Qt::white);
}

double medianNs(void (*op)())
{
    std::vector<double> ns;
    ns.reserve(Measured);
    QElapsedTimer t;
    for (int i = 0; i < Measured; ++i) {
        t.start();
        op();
        ns.push_back(double(t.nsecsElapsed()));
    }
    std::nth_element(ns.begin(), ns.begin() + Measured / 2, ns.end());
    return ns[Measured / 2];
}

// Chart paints caused by one press when the window is on screen and its events run.
double paintsPerPress()
{
    form->show();
    const auto runEvents = [](int ms) {
        const QDeadlineTimer until(ms);
        while (!until.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    };
    runEvents(100);
    constexpr int presses = 40;
    const int before = form->Chart1->paintCount();
    for (int i = 0; i < presses; ++i) {
        press();
        runEvents(25);
    }
    return double(form->Chart1->paintCount() - before) / presses;
}

}  // namespace

// What callgrind counts (--toggle-collect): only these, after the warm-up.
extern "C" __attribute__((noinline)) void qor_bench_presses(int n)
{
    for (int i = 0; i < n; ++i)
        pressAndRepaint();
}

extern "C" __attribute__((noinline)) void qor_bench_fills(int n)
{
    for (int i = 0; i < n; ++i)
        fillWhite();
}

int main(int argc, char **argv)
{
    TApplication app(argc, argv);
    prepareApplication();
    TForm1 window;
    Unit1::Form1 = form = &window;
    QImage image(window.Chart1->size(), QImage::Format_RGB32);
    target = &image;

    if (argc == 2 && std::strcmp(argv[1], "--paints") == 0) {
        std::printf("paints %.2f\n", paintsPerPress());
        return 0;
    }

    // warm-up: one whole cycle of presses, so fonts, glyphs and caches are as after some use
    for (int i = 0; i < 40; ++i) {
        pressAndRepaint();
        fillWhite();
    }

    if (argc == 3 && std::strcmp(argv[1], "--callgrind") == 0) {
        if (std::strcmp(argv[2], "presses") == 0)
            qor_bench_presses(CallgrindCount);
        else
            qor_bench_fills(CallgrindCount);
        std::printf("%d\n", CallgrindCount);
        return 0;
    }

    // alternate the two measurements so that both see the same state of the machine
    std::vector<double> pressNs, fillNs;
    for (int round = 0; round < 5; ++round) {
        pressNs.push_back(medianNs(pressAndRepaint));
        fillNs.push_back(medianNs(fillWhite));
    }
    std::sort(pressNs.begin(), pressNs.end());
    std::sort(fillNs.begin(), fillNs.end());
    const double pressUs = pressNs[2] / 1000, fillUs = fillNs[2] / 1000;
    std::printf("wall %.1f %.1f %.1f\n", pressUs, fillUs, pressUs / fillUs);
    return 0;
}
