// The chart keeps its background and label widths between paints (chartcache.h). Whatever
// changes, a chart that has painted before must show exactly what a new chart in the same state
// shows: a stale cache would be worse than a slow chart.
#include "designedchart.h"

#include <QtTest>
#include <QImage>
#include <QPainter>

#include <functional>

namespace {

void refill(TChart &chart, int p0, int p2)
{
    fillCurve(*chart.series(0), p0, p2);
}

void drag(TChart &chart, Qt::MouseButton button, QPoint delta)
{
    const QRect plot = chart.chartGeometry().plotRect;
    const QPoint from = plot.topLeft() + QPoint(plot.width() / 4, plot.height() / 4);
    QTest::mousePress(&chart, button, {}, from);
    QTest::mouseMove(&chart, from + delta);
    QTest::mouseRelease(&chart, button, {}, from + delta);
}

struct Change {
    const char *name;
    std::function<void(TChart &)> apply;
    qreal devicePixelRatio = 1;
};

const std::vector<Change> &changes()
{
    static const std::vector<Change> list = {
        {"nothing", [](TChart &) {}},
        {"new curve, same legend width", [](TChart &c) { refill(c, 21, 10); }},
        {"new curve, wider legend", [](TChart &c) { refill(c, 35, 27); }},
        {"resized", [](TChart &c) { c.resize(600, 300); }},
        {"title lines", [](TChart &c) { c.setTitleText({"Heating", "curve"}); }},
        {"back wall", [](TChart &c) { c.setBackWallTransparent(false); c.setBackWallColor(QColor(200, 230, 255)); }},
        {"chart colour", [](TChart &c) { c.setColor(QColor(240, 240, 200)); }},
        {"left title font", [](TChart &c) { QFont f(QStringLiteral("Arial")); f.setPixelSize(20); c.setLeftAxisTitleFont(f); }},
        {"left title turned", [](TChart &c) { c.setLeftAxisTitleAngle(90); }},
        {"bottom title", [](TChart &c) { c.setBottomAxisTitle(QStringLiteral("outdoor")); }},
        {"no legend", [](TChart &c) { c.setLegendVisible(false); }},
        {"bottom axis range", [](TChart &c) { c.setBottomAxisMaximum(250); }},
        {"zoomed", [](TChart &c) { drag(c, Qt::LeftButton, {200, 150}); }},
        {"panned", [](TChart &c) { drag(c, Qt::RightButton, {-90, 40}); }},
        {"frame colours", [](TChart &c) {
             QPalette pal = c.palette();
             pal.setColor(QPalette::Light, Qt::red);
             pal.setColor(QPalette::Dark, Qt::blue);
             c.setPalette(pal);
         }},
        {"widget font", [](TChart &c) { QFont f = c.font(); f.setItalic(true); c.setFont(f); }},
        {"right to left", [](TChart &c) { c.setLayoutDirection(Qt::RightToLeft); }},
        {"twice the pixels", [](TChart &) {}, 2},
    };
    return list;
}

QImage render(TChart &chart, qreal devicePixelRatio = 1)
{
    QImage img(chart.size() * devicePixelRatio, QImage::Format_RGB32);
    img.setDevicePixelRatio(devicePixelRatio);
    img.fill(Qt::magenta);
    chart.render(&img);
    return img;
}

}  // namespace

class TestChartCache : public QObject
{
    Q_OBJECT
private slots:
    void sameAsNewChart_data();
    void sameAsNewChart();
    void paintedThroughAnotherPainter_data();
    void paintedThroughAnotherPainter();
};

void TestChartCache::sameAsNewChart_data()
{
    QTest::addColumn<int>("change");
    for (int i = 0; i < int(changes().size()); ++i)
        QTest::newRow(changes()[std::size_t(i)].name) << i;
}

void TestChartCache::sameAsNewChart()
{
    QFETCH(int, change);
    const Change &c = changes()[std::size_t(change)];

    TChart used;
    setUpAsDesigned(used);
    render(used);
    render(used);   // painted twice: the background is now kept
    c.apply(used);
    const QImage first = render(used, c.devicePixelRatio);
    const QImage again = render(used, c.devicePixelRatio);

    TChart fresh;
    setUpAsDesigned(fresh);
    c.apply(fresh);
    const QImage expected = render(fresh, c.devicePixelRatio);

    QVERIFY(first == expected);
    QVERIFY(again == expected);
}

// Painted through a painter that scales or shifts by part of a pixel (QWidget::render onto a
// QPainter): the kept image must not stand in for the strokes it was made of.
void TestChartCache::paintedThroughAnotherPainter_data()
{
    QTest::addColumn<QTransform>("transform");
    QTest::newRow("scaled") << QTransform::fromScale(0.7, 0.7);
    QTest::newRow("half a pixel along") << QTransform::fromTranslate(0.5, 0.25);
}

void TestChartCache::paintedThroughAnotherPainter()
{
    QFETCH(QTransform, transform);
    const auto paint = [&](TChart &chart) {
        QImage img(chart.size(), QImage::Format_RGB32);
        img.fill(Qt::magenta);
        QPainter p(&img);
        p.setTransform(transform);
        chart.render(&p);
        return img;
    };
    TChart used;
    setUpAsDesigned(used);
    paint(used);
    paint(used);
    TChart fresh;
    setUpAsDesigned(fresh);
    QVERIFY(paint(used) == paint(fresh));
}

QTEST_MAIN(TestChartCache)
#include "tst_chartcache.moc"
