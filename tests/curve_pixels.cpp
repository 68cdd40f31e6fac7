// Where the curve for given parameters must appear in the window, for real_window.sh to look up in
// a screenshot of the running program.
//
//   curve_pixels P0 P2 [OLD_P0 OLD_P2] [--zoom X1 Y1 X2 Y2] [--grab FILE]
//   curve_pixels --plot
//
// Builds the window offscreen, steps it to P0 and P2 through its own button handlers (so the chart
// ends up with the same data and axes as the real one), and prints window-relative pixels:
//   size W H          the window's client size
//   on X Y NOTE       must be red: every sample of the curve and the middle of every longer
//                     segment between neighbours in drawing order
//   off X Y NOTE      must not be red: points of the plot well away from the line
//   gone X Y NOTE     must not be red: samples of the OLD curve well away from the new one
// --zoom first drags the left button from X1,Y1 to X2,Y2 (window pixels) on the chart, so the
// points are those of the view that drag gives; only points inside the plot are printed then.
// --grab also saves the window as drawn offscreen into FILE (PNG), to find the window in a
// screenshot where the window system chose its position.
// --plot prints only the plot's rectangle in the window: "plot LEFT TOP RIGHT BOTTOM".
// The samples come from the formula written out here, not from the curve library, so a wrong
// curve in the program can't hide behind the same mistake in the test.
#include "TApplication.h"
#include "TChart.h"
#include "Unit1.h"

#include <QApplication>
#include <QLineF>
#include <QMouseEvent>
#include <QPointF>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// Well clear of a 3 px line, so antialiasing or a pixel of rounding can't colour the point.
constexpr double FarFromLine = 8;
constexpr int OffGridStep = 40;

struct Sample {
    int tul, tko;
};

// The curve as the window draws it: Tul -40..20, ordered by Tko, equal Tko in sweep order.
std::vector<Sample> expectedCurve(int p0, int p2)
{
    std::vector<Sample> samples;
    for (int tul = -40; tul <= 20; ++tul) {
        int tko = ((p0 - tul) * p2) / 10 + p0;   // int division truncates toward zero
        tko = std::clamp(tko, 1, 95);
        samples.push_back({tul, tko});
    }
    std::stable_sort(samples.begin(), samples.end(), [](Sample a, Sample b) { return a.tko < b.tko; });
    return samples;
}

double distanceToSegment(QPointF p, QPointF a, QPointF b)
{
    const QPointF ab = b - a;
    const double len2 = QPointF::dotProduct(ab, ab);
    const double t = len2 > 0 ? std::clamp(QPointF::dotProduct(p - a, ab) / len2, 0.0, 1.0) : 0.0;
    return QLineF(p, a + t * ab).length();
}

double distanceToLine(QPointF p, const std::vector<QPointF> &line)
{
    double best = INFINITY;
    for (std::size_t i = 0; i + 1 < line.size(); ++i)
        best = std::min(best, distanceToSegment(p, line[i], line[i + 1]));
    return line.size() == 1 ? QLineF(p, line[0]).length() : best;
}

bool parseParam(const char *text, int &value)
{
    char *end = nullptr;
    const long v = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || v < 0 || v > 50)
        return false;
    value = int(v);
    return true;
}

// Steps the form's parameters to the wanted values with its own handlers, as button clicks would.
void stepTo(TForm1 &form, int p0, int p2)
{
    while (Unit1::P0 < p0)
        form.sbP0plusClick(form.sbP0plus);
    while (Unit1::P0 > p0)
        form.sbP0minusClick(form.sbP0minus);
    while (Unit1::P2 < p2)
        form.sbP2plusClick(form.sbP2plus);
    while (Unit1::P2 > p2)
        form.sbP2minusClick(form.sbP2minus);
}

// A left-button drag on the chart as the window system would deliver it.
void zoomDrag(TChart *chart, QPoint from, QPoint to)
{
    auto send = [&](QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons held) {
        QMouseEvent e(type, pos, chart->mapToGlobal(pos), button, held, Qt::NoModifier);
        QApplication::sendEvent(chart, &e);
    };
    send(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
}

}  // namespace

int main(int argc, char **argv)
{
    const char *grabFile = nullptr;
    if (argc >= 5 && std::string(argv[argc - 2]) == "--grab") {
        grabFile = argv[argc - 1];
        argc -= 2;
    }
    int zoom[4] = {};
    const bool zoomed = argc >= 7 && std::string(argv[argc - 5]) == "--zoom";
    if (zoomed) {
        for (int i = 0; i < 4; ++i)
            zoom[i] = std::atoi(argv[argc - 4 + i]);
        argc -= 5;
    }
    const bool plotOnly = argc == 2 && std::string(argv[1]) == "--plot";
    int p0 = 0, p2 = 0, oldP0 = 0, oldP2 = 0;
    const bool withOld = argc == 5;
    if (!plotOnly && (!(argc == 3 || withOld) || !parseParam(argv[1], p0) || !parseParam(argv[2], p2)
        || (withOld && (!parseParam(argv[3], oldP0) || !parseParam(argv[4], oldP2))))) {
        std::fputs("usage: curve_pixels P0 P2 [OLD_P0 OLD_P2] [--zoom X1 Y1 X2 Y2]   (each P 0..50)\n"
                   "       curve_pixels --plot\n", stderr);
        return 2;
    }

    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    prepareApplication();
    TForm1 form;
    Unit1::Form1 = &form;
    form.show();
    if (plotOnly) {
        const QRect plot = form.Chart1->chartGeometry().plotRect.translated(form.Chart1->mapTo(&form, QPoint(0, 0)));
        std::printf("plot %d %d %d %d\n", plot.left(), plot.top(), plot.right(), plot.bottom());
        return 0;
    }
    stepTo(form, p0, p2);
    if (zoomed) {
        const QPoint origin = form.Chart1->mapTo(&form, QPoint(0, 0));
        zoomDrag(form.Chart1, QPoint(zoom[0], zoom[1]) - origin, QPoint(zoom[2], zoom[3]) - origin);
    }
    QApplication::processEvents();
    if (grabFile && !form.grab().save(QString::fromLocal8Bit(grabFile))) {
        std::fprintf(stderr, "curve_pixels: cannot write %s\n", grabFile);
        return 1;
    }

    const ChartGeometry g = form.Chart1->chartGeometry();
    const QPointF origin = form.Chart1->mapTo(&form, QPoint(0, 0));
    auto toWindow = [&](double x, double y) { return origin + QPointF(g.xMap.toPixel(x), g.yMap.toPixel(y)); };
    auto pixelsOf = [&](const std::vector<Sample> &curve) {
        std::vector<QPointF> line;
        for (Sample s : curve)
            line.push_back(toWindow(s.tko, s.tul));
        return line;
    };
    auto print = [](const char *kind, QPointF p, const std::string &note) {
        const QPoint px = p.toPoint();
        std::printf("%s %d %d %s\n", kind, px.x(), px.y(), note.c_str());
    };

    std::printf("size %d %d\n", form.width(), form.height());

    const std::vector<Sample> curve = expectedCurve(p0, p2);
    const std::vector<QPointF> line = pixelsOf(curve);
    // zoomed in, the line is clipped to the plot: points near its frame could go either way
    const QRectF inside = QRectF(g.plotRect).translated(origin).adjusted(4, 4, -4, -4);
    auto printOn = [&](QPointF p, const std::string &note) {
        if (!zoomed || inside.contains(p))
            print("on", p, note);
    };
    for (std::size_t i = 0; i < curve.size(); ++i) {
        const std::string sample = "Tko=" + std::to_string(curve[i].tko) + ",Tul=" + std::to_string(curve[i].tul);
        printOn(line[i], sample);
        // the middle of a segment shows the drawing order, not just the samples
        if (i + 1 < curve.size() && QLineF(line[i], line[i + 1]).length() >= 6)
            printOn((line[i] + line[i + 1]) / 2, "between " + sample + " and the next");
    }

    const QRectF plot = QRectF(g.plotRect).translated(origin).adjusted(FarFromLine, FarFromLine, -FarFromLine, -FarFromLine);
    for (double y = plot.top(); y <= plot.bottom(); y += OffGridStep)
        for (double x = plot.left(); x <= plot.right(); x += OffGridStep)
            if (distanceToLine({x, y}, line) >= FarFromLine)
                print("off", {x, y}, "plot point away from the line");

    if (withOld) {
        const std::vector<Sample> old = expectedCurve(oldP0, oldP2);
        const std::vector<QPointF> oldLine = pixelsOf(old);
        for (std::size_t i = 0; i < old.size(); ++i)
            if (distanceToLine(oldLine[i], line) >= FarFromLine)
                print("gone", oldLine[i],
                      "old Tko=" + std::to_string(old[i].tko) + ",Tul=" + std::to_string(old[i].tul));
    }
    return 0;
}
