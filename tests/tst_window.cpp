// The main window: layout, texts, fonts, focus and keyboard, scroll bars, the starting curve,
// the four buttons and the error box.
#include "TApplication.h"
#include "TChart.h"
#include "TFastLineSeries.h"
#include "Unit1.h"
#include "curve.h"
#include "designedchart.h"
#include "testsupport.h"
#include "userlocale.h"

#include <QtTest>
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>

#include <algorithm>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <stdexcept>

using XY = std::pair<double, double>;

namespace {

QPushButton *buttonNamed(TForm1 &f, const QString &name)
{
    return f.findChild<QPushButton *>(name);
}

// The series must be exactly the sweep of the current parameters, in list order.
void verifySeriesIsCurve(const TForm1 &f)
{
    const auto &pts = f.Series1->points();
    QCOMPARE(int(pts.size()), 61);
    const std::vector<curve::CurveSample> expected = expectedSeries(Unit1::P0, Unit1::P2);
    for (std::size_t i = 0; i < pts.size(); ++i) {
        QCOMPARE(pts[i].x, double(expected[i].Tko));
        QCOMPARE(pts[i].y, double(expected[i].Tul));
        QCOMPARE(pts[i].color, chart::clBlack);
        QVERIFY(pts[i].label.isEmpty());
    }
}

}  // namespace

class TestWindow : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void startUpLoadsNoImagePlugin();   // first: later tests may load plugins on purpose
    void layout_data();
    void layout();
    void textsAndFonts();
    void startingState();
    void startingCurveOnScreen();
    void frameCaptionOnTheLine();
    void resizeKeepsControlsAndScrolls();
    void focusCycle_data();
    void focusCycle();
    void nothingElseTakesFocus();
    void presses_data();
    void presses();
    void keyboardPresses_data();
    void keyboardPresses();
    void mousePressFocusesAndClicks();
    void onePaintPerPress();
    void designedChartMatchesTheLayout();
    void exceptionShowsErrorBox_data();
    void exceptionShowsErrorBox();
    void qtSpeaksTheUsersLanguage();
    void numbersLeaveTheCLibraryEnglish();

private:
    std::unique_ptr<TForm1> form;
};

void TestWindow::initTestCase()
{
    prepareApplication();
}

void TestWindow::init()
{
    form = showDesignedForm();
    QVERIFY(form);
}

void TestWindow::cleanup()
{
    form.reset();
}

// Nothing on the first screen needs an image plugin; loading them cost start-up time (and the
// style's pixmaps behind them failed on 8-bit displays).
void TestWindow::startUpLoadsNoImagePlugin()
{
    QTRY_VERIFY(form->Chart1->paintCount() > 0);
    QFile maps(QStringLiteral("/proc/self/maps"));
    QVERIFY(maps.open(QIODevice::ReadOnly));
    const QByteArray mapped = maps.readAll();
    QVERIFY2(!mapped.contains("/imageformats/"), "an image plugin is loaded");
}

void TestWindow::layout_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");   // relative to the parent
    QTest::newRow("GroupBox1") << "GroupBox1" << QRect(0, 0, 1017, 489);
    QTest::newRow("Panel1") << "Panel1" << QRect(16, 24, 145, 89);
    QTest::newRow("sbP0minus") << "sbP0minus" << QRect(56, 12, 33, 25);
    QTest::newRow("sbP0plus") << "sbP0plus" << QRect(96, 12, 33, 25);
    QTest::newRow("sbP2plus") << "sbP2plus" << QRect(96, 52, 33, 25);
    QTest::newRow("sbP2minus") << "sbP2minus" << QRect(56, 52, 33, 25);
    QTest::newRow("Chart1") << "Chart1" << QRect(168, 24, 841, 457);
}

void TestWindow::layout()
{
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    QWidget *w = form->findChild<QWidget *>(name);
    QVERIFY(w);
    QCOMPARE(w->geometry(), geometry);
}

void TestWindow::textsAndFonts()
{
    QCOMPARE(form->windowTitle(), QStringLiteral("QOR"));
    QCOMPARE(QApplication::applicationDisplayName(), QStringLiteral("QOR"));
    QCOMPARE(form->GroupBox1->title(), QStringLiteral("T\u043A\u043E=(((P0-T\u0443\u043B)*P2)/10)+P0"));
    QCOMPARE(form->Chart1->bottomAxisTitle(), QStringLiteral("\u0422\u043A\u043E"));
    QCOMPARE(form->Chart1->leftAxisTitle(), QStringLiteral("\u0422\u0443\u043B"));
    QCOMPARE(form->sbP0minus->text(), QStringLiteral("<<"));
    QCOMPARE(form->sbP0plus->text(), QStringLiteral(">>"));

    QCOMPARE(form->font().pixelSize(), 11);
    const QFont box = form->GroupBox1->font();
    QCOMPARE(box.pixelSize(), 13);
    QVERIFY(box.bold());
    // panel, labels and buttons take the frame's bold font
    for (QWidget *w : {static_cast<QWidget *>(form->lbP0), static_cast<QWidget *>(form->sbP2minus)}) {
        QCOMPARE(w->font().pixelSize(), 13);
        QVERIFY(w->font().bold());
    }
    QCOMPARE(QFontInfo(box).family(), QStringLiteral("Liberation Sans"));
    const QFont axisTitle = form->Chart1->leftAxisTitleFont();
    QCOMPARE(axisTitle.pixelSize(), 13);
    QVERIFY(axisTitle.bold());
}

void TestWindow::startingState()
{
    QCOMPARE(Unit1::P0, 20);
    QCOMPARE(Unit1::P2, 10);
    QCOMPARE(form->lbP0->text(), QStringLiteral("P0=20"));
    QCOMPARE(form->lbP2->text(), QStringLiteral("P2=10"));
    // the labels fit their text, left edges fixed, clear of the buttons
    QCOMPARE(form->lbP0->x(), 8);
    QCOMPARE(form->lbP0->size(), form->lbP0->sizeHint());
    QVERIFY(form->lbP0->geometry().right() < form->sbP0minus->x());
    QVERIFY(form->lbP2->geometry().right() < form->sbP2minus->x());

    QCOMPARE(form->Chart1->series(0), form->Series1);
    QCOMPARE(form->Series1->linePen().color, chart::clRed);
    QCOMPARE(form->Series1->linePen().width, 3);
    verifySeriesIsCurve(*form);
    QCOMPARE(form->Series1->points().front().x, 20.0);
    QCOMPARE(form->Series1->points().back().x, 80.0);
    QCOMPARE(form->Series1->points().back().y, -40.0);
    QCOMPARE(QApplication::focusWidget(), form->sbP0minus);
}

void TestWindow::startingCurveOnScreen()
{
    const QImage shot = form->grab().toImage();
    const ChartGeometry g = form->Chart1->chartGeometry();
    const QPoint origin = form->Chart1->mapTo(form.get(), QPoint(0, 0));
    const qreal dpr = shot.devicePixelRatio();
    auto pixelAt = [&](double x, double y) {
        const QPointF p = QPointF(origin) + QPointF(g.xMap.toPixel(x), g.yMap.toPixel(y));
        return shot.pixel((p * dpr).toPoint());
    };
    for (int tul = -40; tul <= 20; tul += 5)
        QVERIFY2(isRed(pixelAt(40 - tul, tul)), qPrintable(QString::number(tul)));
    QVERIFY(!isRed(pixelAt(90, 20)));
    QVERIFY(!isRed(pixelAt(5, -40)));
}

// The group box's top left corner as drawn: a grey line with a white line below it, broken by
// the caption, whose ink sits on the line, centred on it, a small indent from the left edge.
void TestWindow::frameCaptionOnTheLine()
{
    QWidget *box = form->GroupBox1;
    const QImage shot = form->grab(QRect(box->mapTo(form.get(), QPoint(0, 0)), box->size())).toImage();
    QCOMPARE(shot.size(), QSize(1017, 489));
    const QColor background = box->palette().color(QPalette::Window);
    const auto at = [&](int x, int y) { return QColor(shot.pixel(x, y)); };
    const auto isDark = [&](int x, int y) { return at(x, y) == QColor(128, 128, 128); };
    const auto isLight = [&](int x, int y) { return at(x, y) == QColor(Qt::white); };
    const auto isInk = [&](int x, int y) { return qGray(shot.pixel(x, y)) < 100; };

    // the top line, found down the second column
    int top = 0;
    while (top < 40 && !isDark(2, top))
        ++top;
    QVERIFY2(top < 40, "no frame line at the top");
    QVERIFY(isLight(2, top + 1));
    for (int y = top + 2; y < box->height() - 2; y += 7) {
        QVERIFY2(isDark(0, y) && isLight(1, y), qPrintable(QString::number(y)));
        QVERIFY2(isDark(box->width() - 2, y) && isLight(box->width() - 1, y), qPrintable(QString::number(y)));
    }
    for (int x = 2; x < box->width() - 2; x += 11)
        QVERIFY2(isDark(x, box->height() - 2) && isLight(x, box->height() - 1), qPrintable(QString::number(x)));

    // the caption's ink, in the band the caption can take above the panel
    int inkLeft = box->width(), inkRight = -1, inkTop = 24, inkBottom = -1;
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 400; ++x)
            if (isInk(x, y)) {
                inkLeft = std::min(inkLeft, x);
                inkRight = std::max(inkRight, x);
                inkTop = std::min(inkTop, y);
                inkBottom = std::max(inkBottom, y);
            }
    QVERIFY2(inkRight > inkLeft + 150, "no caption");
    QVERIFY2(inkLeft >= 8 && inkLeft <= 12, qPrintable(QString::number(inkLeft)));
    QVERIFY2(std::abs((inkTop + inkBottom) - 2 * top) <= 3,
             qPrintable(QStringLiteral("ink %1..%2, line %3").arg(inkTop).arg(inkBottom).arg(top)));

    // the line runs from the corner to just before the caption and on after it...
    for (int x = 0; x < inkLeft - 3; ++x)
        QVERIFY2(isDark(x, top) && (x == 0 || isLight(x, top + 1)), qPrintable(QString::number(x)));
    for (int x = inkRight + 4; x < box->width() - 2; ++x)
        QVERIFY2(isDark(x, top) && isLight(x, top + 1), qPrintable(QString::number(x)));
    // ...and none of it shows under the caption: no white (which text on grey never makes), no
    // lone grey pixel between background above and below
    for (int x = inkLeft - 1; x <= inkRight + 1; ++x) {
        QVERIFY2(!isLight(x, top) && !isLight(x, top + 1), qPrintable(QString::number(x)));
        QVERIFY2(!(isDark(x, top) && at(x, top - 1) == background && at(x, top + 1) == background),
                 qPrintable(QString::number(x)));
    }
}

void TestWindow::resizeKeepsControlsAndScrolls()
{
    auto *area = form->findChild<QScrollArea *>();
    QVERIFY(area);
    form->resize(1400, 900);
    QTest::qWait(10);
    QCOMPARE(form->GroupBox1->mapTo(form.get(), QPoint(0, 0)), QPoint(0, 0));
    QCOMPARE(form->Chart1->geometry(), QRect(168, 24, 841, 457));
    QVERIFY(!area->horizontalScrollBar()->isVisible());
    QVERIFY(!area->verticalScrollBar()->isVisible());

    form->resize(1017, 489);
    QTest::qWait(10);
    QVERIFY(!area->horizontalScrollBar()->isVisible());
    QVERIFY(!area->verticalScrollBar()->isVisible());

    form->resize(600, 489 + 100);
    QTest::qWait(10);
    QVERIFY(area->horizontalScrollBar()->isVisible());
    QVERIFY(!area->verticalScrollBar()->isVisible());

    form->resize(600, 300);
    QTest::qWait(10);
    QVERIFY(area->horizontalScrollBar()->isVisible());
    QVERIFY(area->verticalScrollBar()->isVisible());
    QCOMPARE(form->Chart1->size(), QSize(841, 457));
}

void TestWindow::focusCycle_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QStringList>("visits");   // focus after each press, from sbP0minus
    const QStringList forward{"sbP0plus", "sbP2plus", "sbP2minus", "sbP0minus", "sbP0plus"};
    const QStringList backward{"sbP2minus", "sbP2plus", "sbP0plus", "sbP0minus", "sbP2minus"};
    QTest::newRow("Tab") << int(Qt::Key_Tab) << int(Qt::NoModifier) << forward;
    QTest::newRow("Shift+Tab") << int(Qt::Key_Backtab) << int(Qt::ShiftModifier) << backward;
    QTest::newRow("Right") << int(Qt::Key_Right) << int(Qt::NoModifier) << forward;
    QTest::newRow("Down") << int(Qt::Key_Down) << int(Qt::NoModifier) << forward;
    QTest::newRow("Left") << int(Qt::Key_Left) << int(Qt::NoModifier) << backward;
    QTest::newRow("Up") << int(Qt::Key_Up) << int(Qt::NoModifier) << backward;
}

void TestWindow::focusCycle()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QStringList, visits);
    QCOMPARE(QApplication::focusWidget(), form->sbP0minus);
    for (const QString &name : visits) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(QApplication::focusWidget()->objectName(), name);
    }
    // moving the focus presses nothing
    QCOMPARE(Unit1::P0, 20);
    QCOMPARE(Unit1::P2, 10);
}

void TestWindow::nothingElseTakesFocus()
{
    const QList<QWidget *> all = form->findChildren<QWidget *>();
    for (QWidget *w : all) {
        const bool isButton = qobject_cast<QPushButton *>(w) != nullptr;
        if (!isButton && w->isVisible())
            QVERIFY2(w->focusPolicy() == Qt::NoFocus, qPrintable(w->objectName() + " " + w->metaObject()->className()));
    }
    QTest::mouseClick(form->Chart1, Qt::LeftButton, {}, QPoint(400, 200));
    QTest::mouseClick(form->Panel1, Qt::LeftButton, {}, QPoint(140, 80));
    QCOMPARE(QApplication::focusWidget(), form->sbP0minus);
}

void TestWindow::presses_data()
{
    QTest::addColumn<QStringList>("buttons");   // pressed in turn
    QTest::addColumn<int>("p0");
    QTest::addColumn<int>("p2");
    QTest::addColumn<XY>("first");              // the list's first and last point
    QTest::addColumn<XY>("last");
    QTest::newRow("upper >> once") << QStringList{"sbP0plus"} << 21 << 10 << XY{22, 20} << XY{82, -40};
    // P2 = 9: Tul 19 and 20 both give 20, in sweep order
    QTest::newRow("lower << once") << QStringList{"sbP2minus"} << 20 << 9 << XY{20, 19} << XY{74, -40};
    QTest::newRow("upper << twenty times reaches 0")
        << QStringList(20, "sbP0minus") << 0 << 10 << XY{1, -1} << XY{40, -40};
    QTest::newRow("upper << past 0 stays")
        << QStringList(23, "sbP0minus") << 0 << 10 << XY{1, -1} << XY{40, -40};
    QTest::newRow("lower >> stops at 50")
        << QStringList(45, "sbP2plus") << 20 << 50 << XY{20, 20} << XY{95, 5};
    QTest::newRow("lower << stops at 0")
        << QStringList(12, "sbP2minus") << 20 << 0 << XY{20, -40} << XY{20, 20};
    QTest::newRow("upper >> stops at 50")
        << QStringList(31, "sbP0plus") << 50 << 10 << XY{80, 20} << XY{95, 5};
    QTest::newRow("there and back") << QStringList{"sbP0plus", "sbP2plus", "sbP2minus", "sbP0minus"}
                                    << 20 << 10 << XY{20, 20} << XY{80, -40};
}

void TestWindow::presses()
{
    QFETCH(QStringList, buttons);
    QFETCH(int, p0);
    QFETCH(int, p2);
    QFETCH(XY, first);
    QFETCH(XY, last);
    for (const QString &name : buttons) {
        QTest::mouseClick(buttonNamed(*form, name), Qt::LeftButton);
        QCOMPARE(form->Series1->count(), 61);
    }
    QCOMPARE(Unit1::P0, p0);
    QCOMPARE(Unit1::P2, p2);
    QCOMPARE(form->lbP0->text(), QString("P0=%1").arg(p0));
    QCOMPARE(form->lbP2->text(), QString("P2=%1").arg(p2));
    QCOMPARE(form->lbP0->size(), form->lbP0->sizeHint());
    verifySeriesIsCurve(*form);
    const auto &pts = form->Series1->points();
    QCOMPARE(XY(pts.front().x, pts.front().y), first);
    QCOMPARE(XY(pts.back().x, pts.back().y), last);
}

void TestWindow::keyboardPresses_data()
{
    QTest::addColumn<QList<int>>("keys");          // key | modifiers, sent to the focused widget
    QTest::addColumn<int>("p0");
    QTest::addColumn<int>("p2");
    const int shift = int(Qt::ShiftModifier), ctrl = int(Qt::ControlModifier), alt = int(Qt::AltModifier);
    QTest::newRow("Return at start lowers P0") << QList<int>{Qt::Key_Return} << 19 << 10;
    QTest::newRow("Enter at start lowers P0") << QList<int>{Qt::Key_Enter} << 19 << 10;
    QTest::newRow("keypad Enter") << QList<int>{Qt::Key_Enter | int(Qt::KeypadModifier)} << 19 << 10;
    QTest::newRow("Space at start lowers P0") << QList<int>{Qt::Key_Space} << 19 << 10;
    QTest::newRow("Tab then Space raises P0") << QList<int>{Qt::Key_Tab, Qt::Key_Space} << 21 << 10;
    QTest::newRow("Tab Tab Return raises P2") << QList<int>{Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Return} << 20 << 11;
    QTest::newRow("Shift+Tab Return lowers P2") << QList<int>{Qt::Key_Backtab | shift, Qt::Key_Return} << 20 << 9;
    QTest::newRow("Shift+Enter presses nothing") << QList<int>{Qt::Key_Return | shift} << 20 << 10;
    QTest::newRow("Ctrl+Enter presses nothing") << QList<int>{Qt::Key_Return | ctrl} << 20 << 10;
    QTest::newRow("Alt+Enter presses nothing") << QList<int>{Qt::Key_Enter | alt} << 20 << 10;
    QTest::newRow("Escape and letters press nothing") << QList<int>{Qt::Key_Escape, Qt::Key_A, Qt::Key_F5} << 20 << 10;
}

void TestWindow::keyboardPresses()
{
    QFETCH(QList<int>, keys);
    QFETCH(int, p0);
    QFETCH(int, p2);
    for (int k : keys) {
        const auto mods = Qt::KeyboardModifiers(k & int(Qt::KeyboardModifierMask));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(k & ~int(Qt::KeyboardModifierMask)), mods);
    }
    QCOMPARE(Unit1::P0, p0);
    QCOMPARE(Unit1::P2, p2);
    verifySeriesIsCurve(*form);
}

void TestWindow::mousePressFocusesAndClicks()
{
    QTest::mouseClick(form->sbP2plus, Qt::LeftButton);
    QCOMPARE(QApplication::focusWidget(), form->sbP2plus);
    QCOMPARE(Unit1::P2, 11);
    // holding Enter: one press more per auto-repeat, none after the release
    QKeyEvent first(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QString("\r"), false);
    QApplication::sendEvent(form->sbP2plus, &first);
    for (int i = 0; i < 5; ++i) {
        QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QString("\r"), true);
        QApplication::sendEvent(form->sbP2plus, &repeat);
    }
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(form->sbP2plus, &release);
    QCOMPARE(Unit1::P2, 17);
    // holding Space: one press, on the release, whether the repeats are marked or not
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QString(" "));
    QApplication::sendEvent(form->sbP2plus, &down);
    QCOMPARE(Unit1::P2, 17);
    for (bool marked : {true, false, true}) {
        if (marked) {
            QKeyEvent up(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, QString(" "), true);
            QApplication::sendEvent(form->sbP2plus, &up);
        }
        QKeyEvent again(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QString(" "), marked);
        QApplication::sendEvent(form->sbP2plus, &again);
    }
    QCOMPARE(Unit1::P2, 17);
    QKeyEvent up(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, QString(" "));
    QApplication::sendEvent(form->sbP2plus, &up);
    QCOMPARE(Unit1::P2, 18);
}

void TestWindow::onePaintPerPress()
{
    QTRY_VERIFY(form->Chart1->paintCount() > 0);
    QCOMPARE(paintsCausedBy(*form->Chart1, [&] { QTest::mouseClick(form->sbP0plus, Qt::LeftButton); }), 1);
}

// The chart of the tests of the chart alone has every setting the layout gives Chart1.
void TestWindow::designedChartMatchesTheLayout()
{
    TChart alone;
    setUpAsDesigned(alone, Unit1::P0, Unit1::P2);
    const QMetaObject &meta = TChart::staticMetaObject;
    for (int i = meta.propertyOffset(); i < meta.propertyCount(); ++i) {
        const QMetaProperty property = meta.property(i);
        QVERIFY2(property.read(&alone) == property.read(form->Chart1), property.name());
    }
    QCOMPARE(alone.size(), form->Chart1->size());
    QCOMPARE(alone.series(0)->linePen().width, form->Series1->linePen().width);
    QCOMPARE(alone.series(0)->linePen().color, form->Series1->linePen().color);
}

class Thrower : public QObject
{
public:
    explicit Thrower(bool standard) : m_standard(standard) {}
    bool event(QEvent *e) override
    {
        if (e->type() == QEvent::User) {
            if (m_standard)
                throw std::runtime_error("something broke");
            throw 42;
        }
        return QObject::event(e);
    }

private:
    bool m_standard;
};

void TestWindow::exceptionShowsErrorBox_data()
{
    QTest::addColumn<bool>("standard");
    QTest::addColumn<QString>("message");
    QTest::newRow("std::exception: its message") << true << "something broke";
    QTest::newRow("anything else: in the user's language")
        << false << inUsersLocale("Unknown error", "Unbekannter Fehler", "Неизвестная ошибка");
}

// An exception escaping a handler shows the error box titled "QOR", and the loop goes on.
void TestWindow::exceptionShowsErrorBox()
{
    QFETCH(bool, standard);
    QFETCH(QString, message);
    auto *app = qobject_cast<TApplication *>(QCoreApplication::instance());
    QVERIFY(app);
    Thrower thrower(standard);
    QString title, text;
    // The box runs its own event loop; a timer in that loop reads and closes it.
    QTimer closer;
    connect(&closer, &QTimer::timeout, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            title = box->windowTitle();
            text = box->text();
            box->accept();
        }
    });
    closer.start(10);
    QCoreApplication::postEvent(&thrower, new QEvent(QEvent::User));
    QTRY_VERIFY(!title.isEmpty());
    QCOMPARE(title, QStringLiteral("QOR"));
    QCOMPARE(text, message);
    // the window still works
    QTest::mouseClick(form->sbP0plus, Qt::LeftButton);
    QCOMPARE(Unit1::P0, 21);
}

// Qt's own buttons and menus (the error box's, the scroll bars') come from Qt's catalogue.
void TestWindow::qtSpeaksTheUsersLanguage()
{
    QDialogButtonBox box(QDialogButtonBox::Cancel);
    QCOMPARE(box.button(QDialogButtonBox::Cancel)->text(), inUsersLocale("Cancel", "Abbrechen", "Отмена"));
    QCOMPARE(QScrollBar::tr("Scroll here"), inUsersLocale("Scroll here", "Hierher scrollen", "Прокрутить сюда"));
}

// QApplication takes the C library's locale from the environment; the program puts its numbers
// back to "C", so that no printf anywhere writes "0,5".
void TestWindow::numbersLeaveTheCLibraryEnglish()
{
    QCOMPARE(std::localeconv()->decimal_point, ".");
    char text[16];
    std::snprintf(text, sizeof text, "%.1f", 0.5);
    QCOMPARE(text, "0.5");
}

// TApplication, so that exceptions are caught as in the program.
int main(int argc, char **argv)
{
    TApplication app(argc, argv);
    TestWindow test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_window.moc"
