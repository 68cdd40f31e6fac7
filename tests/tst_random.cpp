// Random keyboard and mouse input on the real window, and the chart at extreme zoom and pan.
// Whatever arrives, P0 and P2 stay within 0..50, the labels and the curve follow them, and the
// chart's view stays finite with a bounded number of distinct, readable labels.
//
// The run is reproducible: QOR_RANDOM_SEED and QOR_RANDOM_EVENTS choose it (defaults below);
// the seed is printed at the start, and a failure names the seed, the event number and the
// events that led up to it.
#include "TApplication.h"
#include "TChart.h"
#include "TFastLineSeries.h"
#include "Unit1.h"
#include "curve.h"
#include "localenumbers.h"
#include "testsupport.h"
#include "windowinput.h"

#include <QtTest>
#include <QElapsedTimer>
#include <QImage>
#include <QMessageBox>
#include <QTimer>
#include <QWheelEvent>
#include <QWindow>

#include <algorithm>
#include <cmath>
#include <deque>
#include <functional>
#include <vector>

namespace {

constexpr quint64 DefaultSeed = 20240611;
constexpr int DefaultEvents = 3000;
// Per axis; far more than fit on the chart, which keeps its designed size in every window size.
constexpr std::size_t MaxLabels = 100;
// Farthest a pointer gets from the window in one event: the X11 coordinate range.
constexpr int Reach = 32000;

quint64 envNumber(const char *name, quint64 fallback)
{
    bool ok = false;
    const quint64 v = qEnvironmentVariable(name).toULongLong(&ok, 0);
    return ok ? v : fallback;
}

// splitmix64: the same sequence with every compiler and library, which the standard
// distributions don't promise.
class Rng
{
public:
    explicit Rng(quint64 seed) : m_state(seed) {}
    quint64 next()
    {
        quint64 z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int below(int n) { return int(next() % quint64(n)); }
    int between(int lo, int hi) { return lo + below(hi - lo + 1); }
    bool chance(int percent) { return below(100) < percent; }
    int sign() { return chance(50) ? 1 : -1; }

private:
    quint64 m_state;
};

// ---- the invariants ----------------------------------------------------------------------

QString rangeText(chart::AxisRange r)
{
    return QString("%1..%2").arg(r.minimum, 0, 'g', 17).arg(r.maximum, 0, 'g', 17);
}

QString brokenAxis(const char *name, chart::AxisRange view, chart::AxisRange shown,
                   const chart::AxisTicks &ticks)
{
    if (!std::isfinite(view.minimum) || !std::isfinite(view.maximum) || !(view.minimum < view.maximum))
        return QString("%1 axis view %2").arg(name, rangeText(view));
    if (!(shown == view))
        return QString("%1 axis laid out as %2, view %3").arg(name, rangeText(shown), rangeText(view));
    if (ticks.major.size() > MaxLabels || ticks.minor.size() > 3 * ticks.major.size())
        return QString("%1 axis: %2 labels, %3 minor ticks").arg(name).arg(ticks.major.size()).arg(ticks.minor.size());
    const double eps = ticks.step * 1e-6;
    QString previous;
    for (std::size_t i = 0; i < ticks.major.size(); ++i) {
        const double v = ticks.major[i];
        const QString text = chart::numberText(v);
        if (text.isEmpty() || text.contains("nan") || text.contains("inf"))
            return QString("%1 axis label \"%2\" for %3").arg(name, text).arg(v);
        if (v < view.minimum - eps || v > view.maximum + eps)
            return QString("%1 axis label %2 outside %3").arg(name, text, rangeText(view));
        if (text == previous)
            return QString("%1 axis: two labels read \"%2\" (view %3, step %4)")
                .arg(name, text, rangeText(view)).arg(ticks.step);
        previous = text;
    }
    return {};
}

// What is wrong with the window now, or an empty text.
QString brokenInvariant(const TForm1 &f)
{
    using Unit1::P0;
    using Unit1::P2;
    if (P0 < curve::ParamMin || P0 > curve::ParamMax || P2 < curve::ParamMin || P2 > curve::ParamMax)
        return QString("P0=%1 P2=%2 out of bounds").arg(P0).arg(P2);
    if (f.lbP0->text() != QString("P0=%1").arg(P0) || f.lbP2->text() != QString("P2=%1").arg(P2))
        return QString("labels read %1, %2 for P0=%3 P2=%4").arg(f.lbP0->text(), f.lbP2->text()).arg(P0).arg(P2);

    // exactly the sweep of P0 and P2, ordered by Tko, equal Tko in sweep order
    const std::vector<TChartPoint> &pts = f.Series1->points();
    if (pts.size() != std::size_t(curve::SampleCount))
        return QString("series holds %1 points").arg(pts.size());
    const std::vector<curve::CurveSample> expected = expectedSeries(P0, P2);
    for (std::size_t i = 0; i < pts.size(); ++i) {
        if (i > 0 && pts[i].x < pts[i - 1].x)
            return QString("X falls at point %1").arg(i);
        if (pts[i].x != expected[i].Tko || pts[i].y != expected[i].Tul)
            return QString("point %1 is (%2, %3), the sweep of P0=%4 P2=%5 has (%6, %7)")
                .arg(i).arg(pts[i].x).arg(pts[i].y).arg(P0).arg(P2).arg(expected[i].Tko).arg(expected[i].Tul);
    }

    const ChartGeometry g = f.Chart1->chartGeometry();
    QString broken = brokenAxis("bottom", f.Chart1->bottomAxisView(), g.xRange, g.xTicks);
    if (broken.isEmpty())
        broken = brokenAxis("left", f.Chart1->leftAxisView(), g.yRange, g.yTicks);
    if (broken.isEmpty() && (g.legendRowCount < 0 || g.legendRowCount > curve::SampleCount))
        broken = QString("%1 legend rows").arg(g.legendRowCount);
    return broken;
}

// The plot rectangle in window coordinates (where it is now: the scroll area may have moved it).
QRectF plotInWindow(const TForm1 &f)
{
    const QRect plot = f.Chart1->chartGeometry().plotRect;
    return QRectF(f.Chart1->mapTo(&f, plot.topLeft()), QSizeF(plot.size()));
}

// ---- the random user -----------------------------------------------------------------------

class RandomUser
{
public:
    RandomUser(TForm1 &form, WindowInput &input, quint64 seed) : m_form(form), m_in(input), m_rng(seed) {}

    // Does one random thing and says what.
    QString act()
    {
        m_in.pause(m_rng.chance(10) ? m_rng.between(1, 100) : 2000);
        const int roll = m_rng.below(100);
        if (roll < 22) return key(0);
        if (roll < 27) return key(m_rng.between(1, 30));
        if (roll < 41) return click();
        if (roll < 44) return doubleClick();
        if (roll < 48) return lonePress();
        if (roll < 52) return loneRelease();
        if (roll < 60) return moves();
        if (roll < 74) return leftDrag();
        if (roll < 84) return rightDrag();
        if (roll < 93) return wheel();
        if (roll < 96) return resize();
        return wait();
    }

private:
    struct KeyChoice {
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        QString text;
        QString name;
    };

    KeyChoice pickKey()
    {
        const Qt::KeyboardModifiers none;
        switch (m_rng.below(15)) {
        case 0: return {Qt::Key_Tab, none, "\t", "Tab"};
        case 1: return {Qt::Key_Backtab, Qt::ShiftModifier, {}, "Shift+Tab"};
        case 2: return {Qt::Key_Left, none, {}, "Left"};
        case 3: return {Qt::Key_Right, none, {}, "Right"};
        case 4: return {Qt::Key_Up, none, {}, "Up"};
        case 5: return {Qt::Key_Down, none, {}, "Down"};
        case 6: return {Qt::Key_Return, none, "\r", "Return"};
        case 7: return {Qt::Key_Enter, Qt::KeypadModifier, "\r", "keypad Enter"};
        case 8: return {Qt::Key_Space, none, " ", "Space"};
        case 9: return {Qt::Key_Return, Qt::ShiftModifier, "\r", "Shift+Return"};
        case 10: return {Qt::Key_Return, Qt::ControlModifier, "\r", "Ctrl+Return"};
        case 11: return {Qt::Key_Return, Qt::AltModifier, "\r", "Alt+Return"};
        case 12: return {Qt::Key_Escape, none, "\x1b", "Escape"};
        case 13: {
            const int i = m_rng.below(26);
            return {Qt::Key(Qt::Key_A + i), none, QString(QChar('a' + i)), QString(QChar('A' + i))};
        }
        default: {
            const int i = m_rng.below(12);
            return {Qt::Key(Qt::Key_F1 + i), none, {}, QString("F%1").arg(i + 1)};
        }
        }
    }

    QString key(int repeats)
    {
        KeyChoice k = pickKey();
        if (m_rng.chance(10)) {   // any key with any modifiers
            const Qt::KeyboardModifier extra[] = {Qt::ShiftModifier, Qt::ControlModifier, Qt::AltModifier};
            const Qt::KeyboardModifier m = extra[m_rng.below(3)];
            k.mods |= m;
            k.name = QString("%1+%2").arg(m == Qt::ShiftModifier ? "Shift" : m == Qt::ControlModifier ? "Ctrl" : "Alt", k.name);
        }
        const bool x11 = m_rng.chance(50);
        // repeats all flagged, none flagged, or some of each
        const int flagged = m_rng.below(3) * 50;
        m_in.key(k.key, k.mods, k.text, repeats, x11, [&] { return m_rng.chance(flagged); });
        return repeats ? QString("hold %1 (%2 repeats)").arg(k.name).arg(repeats) : QString("key %1").arg(k.name);
    }

    // Anywhere: on the plot, on a button, on the rest of the window or outside it.
    QPointF pickPoint()
    {
        const QSize size = m_form.size();
        const int roll = m_rng.below(100);
        QRectF area;
        if (roll < 35) {
            area = plotInWindow(m_form);
        } else if (roll < 55) {
            QWidget *b[] = {m_form.sbP0minus, m_form.sbP0plus, m_form.sbP2plus, m_form.sbP2minus};
            QWidget *w = b[m_rng.below(4)];
            area = QRectF(w->mapTo(&m_form, QPoint(0, 0)), QSizeF(w->size()));
        } else if (roll < 90) {
            area = QRectF(QPointF(0, 0), QSizeF(size));
        } else {
            area = QRectF(-200, -200, size.width() + 400, size.height() + 400);
        }
        return QPointF(area.left() + m_rng.below(std::max(1, int(area.width()))),
                       area.top() + m_rng.below(std::max(1, int(area.height()))));
    }

    Qt::MouseButton pickButton()
    {
        const int roll = m_rng.below(10);
        return roll < 6 ? Qt::LeftButton : roll < 9 ? Qt::RightButton : Qt::MiddleButton;
    }

    static QString where(QPointF p) { return QString("(%1, %2)").arg(p.x()).arg(p.y()); }
    static const char *name(Qt::MouseButton b)
    {
        return b == Qt::LeftButton ? "left" : b == Qt::RightButton ? "right" : "middle";
    }

    QString click()
    {
        const Qt::MouseButton b = pickButton();
        const QPointF p = pickPoint();
        m_in.press(b, p);
        m_in.release(b, p);
        return QString("%1 click at %2").arg(name(b), where(p));
    }

    QString doubleClick()
    {
        const Qt::MouseButton b = pickButton();
        const QPointF p = pickPoint();
        m_in.press(b, p);
        m_in.release(b, p);
        m_in.pause(50);
        m_in.press(b, p);
        m_in.release(b, p);
        return QString("%1 double click at %2").arg(name(b), where(p));
    }

    QString lonePress()
    {
        const Qt::MouseButton b = pickButton();
        const QPointF p = pickPoint();
        m_in.press(b, p);
        return QString("%1 press at %2").arg(name(b), where(p));
    }

    QString loneRelease()
    {
        const Qt::MouseButton b = pickButton();
        const QPointF p = pickPoint();
        m_in.release(b, p);
        return QString("%1 release at %2").arg(name(b), where(p));
    }

    QString moves()
    {
        const int n = m_rng.between(1, 5);
        QPointF p;
        for (int i = 0; i < n; ++i)
            m_in.move(p = pickPoint());
        return QString("%1 moves to %2").arg(n).arg(where(p));
    }

    // A drag distance: none, one pixel, around the click slop, ordinary, or beyond the window.
    int pickLength()
    {
        switch (m_rng.below(6)) {
        case 0: return 0;
        case 1: return m_rng.sign();
        case 2: return m_rng.sign() * m_rng.between(2, 4);
        case 3: return m_rng.sign() * m_rng.between(5, 300);
        case 4: return m_rng.sign() * m_rng.between(300, 3000);
        default: return m_rng.sign() * m_rng.between(3000, Reach);
        }
    }

    QString dragWith(Qt::MouseButton b)
    {
        const QPointF from = pickPoint();
        const QPointF to = from + QPointF(pickLength(), pickLength());
        const int steps = m_rng.between(0, 4);
        m_in.drag(b, from, to, steps);
        return QString("%1 drag %2 -> %3 in %4 moves").arg(name(b), where(from), where(to)).arg(steps);
    }

    QString leftDrag()
    {
        if (m_rng.chance(70))
            return dragWith(Qt::LeftButton);
        // a zoom into the plot, so that runs of them reach the narrowest views
        const QRectF plot = plotInWindow(m_form);
        const QPointF from(plot.left() + m_rng.below(int(plot.width())), plot.top() + m_rng.below(int(plot.height())));
        const QPointF to = from + QPointF(m_rng.between(3, int(plot.width()) / 2), m_rng.between(3, int(plot.height()) / 2));
        m_in.drag(Qt::LeftButton, from, to, 1);
        return QString("left drag (zoom) %1 -> %2").arg(where(from), where(to));
    }
    QString rightDrag() { return dragWith(Qt::RightButton); }

    QString wheel()
    {
        const QPointF p = pickPoint();
        const int steps[] = {1, 120, 360, 12000, 1 << 20};
        const int amount = m_rng.sign() * steps[m_rng.below(5)];
        const bool vertical = m_rng.chance(70);
        const QPoint angle = vertical ? QPoint(0, amount) : QPoint(amount, 0);
        const QPoint pixels = m_rng.chance(30) ? angle / 8 : QPoint();
        const Qt::KeyboardModifiers mods = m_rng.chance(20) ? Qt::AltModifier
                                           : m_rng.chance(20) ? Qt::ControlModifier
                                                              : Qt::NoModifier;
        m_in.wheel(p, angle, pixels, mods);
        return QString("wheel %1 %2 at %3").arg(vertical ? "vertical" : "horizontal").arg(amount).arg(where(p));
    }

    QString resize()
    {
        QSize s;
        switch (m_rng.below(5)) {
        case 0: s = QSize(1, 1); break;
        case 1: s = QSize(4000, 3000); break;
        case 2: s = QSize(1044, 540); break;   // as designed
        case 3: s = QSize(m_rng.between(1, 200), m_rng.between(1, 200)); break;
        default: s = QSize(m_rng.between(1, 4000), m_rng.between(1, 3000)); break;
        }
        m_form.resize(s);
        QCoreApplication::processEvents();
        return QString("resize to %1 x %2").arg(s.width()).arg(s.height());
    }

    QString wait()
    {
        const int ms = m_rng.between(1, 20);
        QTest::qWait(ms);   // long enough for the window system to ask for a repaint
        return QString("wait %1 ms").arg(ms);
    }

    TForm1 &m_form;
    WindowInput &m_in;
    Rng m_rng;
};

// Windows with an event loop of their own would stop the run: the error box that an exception
// escaping a handler opens (noted, as a failure), and Qt's own popups such as the scroll bars'
// context menu (closed, as a user would).
class ErrorBoxWatch : public QObject
{
public:
    ErrorBoxWatch()
    {
        connect(&m_timer, &QTimer::timeout, this, [this] {
            if (QWidget *popup = QApplication::activePopupWidget())
                popup->close();
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                seen << box->text();
                box->reject();
            }
        });
        m_timer.start(1);
    }
    QStringList seen;

private:
    QTimer m_timer;
};

QtMessageHandler defaultMessages = nullptr;

// The offscreen platform can't grab the keyboard for a popup menu or raise it; those warnings
// say nothing about QOR and would bury everything else.
void withoutOffscreenLimits(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (!text.startsWith(QLatin1String("This plugin does not support")))
        defaultMessages(type, context, text);
}

}  // namespace

class TestRandom : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void randomInput();
    void extremeViews_data();
    void extremeViews();

private:
    // Paints the chart as on screen; returns how long it took.
    qint64 renderChart();
    void zoomOnce();
    void panTo(double x, double y);

    std::unique_ptr<TForm1> form;
    std::unique_ptr<ErrorBoxWatch> errorBoxes;
    QImage canvas;
};

void TestRandom::initTestCase()
{
    defaultMessages = qInstallMessageHandler(withoutOffscreenLimits);
    prepareApplication();
}

void TestRandom::init()
{
    form = showDesignedForm();
    QVERIFY(form);
    errorBoxes = std::make_unique<ErrorBoxWatch>();
    canvas = QImage(form->Chart1->size(), QImage::Format_RGB32);
}

void TestRandom::cleanup()
{
    errorBoxes.reset();
    form.reset();
}

qint64 TestRandom::renderChart()
{
    QElapsedTimer t;
    t.start();
    form->Chart1->render(&canvas);
    return t.nsecsElapsed() / 1000;
}

void TestRandom::randomInput()
{
    const quint64 seed = envNumber("QOR_RANDOM_SEED", DefaultSeed);
    const int events = int(envNumber("QOR_RANDOM_EVENTS", DefaultEvents));
    qInfo("random input: QOR_RANDOM_SEED=%llu QOR_RANDOM_EVENTS=%d", seed, events);

    WindowInput input(*form);
    RandomUser user(*form, input, seed);
    int event = 0;
    QString failure;
    input.afterEach = [&] {
        if (failure.isEmpty())
            failure = brokenInvariant(*form);
        if (failure.isEmpty() && !errorBoxes->seen.isEmpty())
            failure = "error box: " + errorBoxes->seen.join("; ");
    };

    std::deque<QString> recent;
    for (event = 1; event <= events; ++event) {
        recent.push_back(user.act());
        if (recent.size() > 12)
            recent.pop_front();
        // paint now and then, so that drawing runs on every kind of state the input leaves
        if (event % 7 == 0)
            renderChart();
        if (event % 500 == 0)
            form->grab();
        if (!failure.isEmpty()) {
            QString history;
            for (const QString &e : recent)
                history += "\n    " + e;
            QFAIL(qPrintable(QString("seed %1, event %2: %3\n  last events:%4\n  replay: QOR_RANDOM_SEED=%1 QOR_RANDOM_EVENTS=%2")
                                 .arg(seed).arg(event).arg(failure, history)));
        }
    }
    input.releaseAll(QPointF(1, 1));
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
    qInfo("random input: %d events (%d window-system events), seed %llu, ended at P0=%d P2=%d",
          events, input.eventCount(), seed, Unit1::P0, Unit1::P2);
}

// Zooms into the middle third of the plot, as a user drags right and down.
void TestRandom::zoomOnce()
{
    WindowInput input(*form);
    const QRectF plot = plotInWindow(*form);
    const QPointF from = plot.topLeft() + QPointF(plot.width() / 3, plot.height() / 3);
    input.drag(Qt::LeftButton, from, from + QPointF(plot.width() / 3, plot.height() / 3));
}

// Moves the view's centre to (x, y) with the mouse alone: right drags pan; where a drag
// would have to reach beyond the screen, a zoom rectangle dragged out past the plot first
// widens the view.
void TestRandom::panTo(double x, double y)
{
    WindowInput input(*form);
    for (int step = 0; step < 100; ++step) {
        const ChartGeometry g = form->Chart1->chartGeometry();
        const double dx = (x - (g.xRange.minimum + g.xRange.maximum) / 2) * g.xMap.pixelsPerUnit();
        const double dy = (y - (g.yRange.minimum + g.yRange.maximum) / 2) * g.yMap.pixelsPerUnit();
        if (std::abs(dx) < 1 && std::abs(dy) < 1)
            return;
        const QRectF plot = plotInWindow(*form);
        if (std::abs(dx) > Reach || std::abs(dy) > Reach) {
            const QPointF corner = plot.topLeft() + QPointF(2, 2);
            input.drag(Qt::LeftButton, corner, corner + QPointF(Reach, Reach));
        } else {
            const QPointF centre = plot.center();
            input.drag(Qt::RightButton, centre, centre - QPointF(std::round(dx), std::round(dy)));
        }
    }
    QFAIL(qPrintable(QString("view centre did not reach (%1, %2)").arg(x).arg(y)));
}

void TestRandom::extremeViews_data()
{
    QTest::addColumn<bool>("pan");
    QTest::addColumn<double>("x");   // where the pan takes the view's centre before zooming
    QTest::addColumn<double>("y");
    QTest::newRow("200 zooms into the curve") << false << 0.0 << 0.0;
    QTest::newRow("pan to +1e12, 200 zooms") << true << 1e12 << 1e12;
    QTest::newRow("pan to -1e12, 200 zooms") << true << -1e12 << -1e12;
    QTest::newRow("pan across, 200 zooms") << true << -1e12 << 1e12;
}

// The real window after 200 nested zooms and pans of 1e12: every repaint has finite ranges and
// few distinct labels, and the buttons still work.
void TestRandom::extremeViews()
{
    QFETCH(bool, pan);
    QFETCH(double, x);
    QFETCH(double, y);
    if (pan) {
        panTo(x, y);
        if (QTest::currentTestFailed())
            return;
        const double cx = (form->Chart1->bottomAxisView().minimum + form->Chart1->bottomAxisView().maximum) / 2;
        QVERIFY2(std::abs(cx - x) <= std::abs(x) * 0.01, qPrintable(QString::number(cx, 'g', 17)));
    }
    qint64 slowest = 0;
    for (int i = 1; i <= 200; ++i) {
        zoomOnce();
        slowest = std::max(slowest, renderChart());
        const QString broken = brokenInvariant(*form);
        QVERIFY2(broken.isEmpty(), qPrintable(QString("zoom %1: %2").arg(i).arg(broken)));
    }
    qInfo("after 200 zooms: bottom %s, left %s; slowest repaint %lld us",
          qPrintable(rangeText(form->Chart1->bottomAxisView())),
          qPrintable(rangeText(form->Chart1->leftAxisView())), slowest);

    // still responsive: a press retunes the curve and the chart repaints from the loop
    const int painted = form->Chart1->paintCount();
    QTest::mouseClick(form->sbP2plus, Qt::LeftButton);
    QCOMPARE(Unit1::P2, 11);
    QTRY_VERIFY(form->Chart1->paintCount() > painted);
    QVERIFY2(brokenInvariant(*form).isEmpty(), qPrintable(brokenInvariant(*form)));
    QVERIFY(form->Chart1->isZoomed());   // a press leaves the view alone
}

// TApplication, so that exceptions are caught as in the program.
int main(int argc, char **argv)
{
    TApplication app(argc, argv);
    TestRandom test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_random.moc"
