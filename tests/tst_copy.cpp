// The window's own keys beyond the buttons: the copy key puts the current curve on the clipboard
// as a table and a picture, Home restores the axes after a zoom or pan. Neither moves the focus,
// presses a button or repaints the chart.
#include "TApplication.h"
#include "TChart.h"
#include "TFastLineSeries.h"
#include "Unit1.h"
#include "testsupport.h"
#include "curve.h"

#include <QtTest>
#include <QClipboard>
#include <QMimeData>

#include <memory>

namespace {

// The table for P0 and P2 written out plainly: whole numbers in ASCII digits with a hyphen-minus,
// as every locale QOR is tested in writes numbers below 1000.
QString expectedTable(int p0, int p2)
{
    QString text = QStringLiteral("\u0422\u0443\u043B\t\u0422\u043A\u043E\n");   // "Тул", "Тко"
    for (int tul = curve::TulFirst; tul <= curve::TulLast; ++tul)
        text += QString::number(tul) + u'\t' + QString::number(curve::CalcTko(p0, p2, tul)) + u'\n';
    return text;
}

const QMimeData *clipboardData()
{
    return QGuiApplication::clipboard()->mimeData();
}

}  // namespace

class TestCopy : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void tableOfStartingCurve();
    void copyKeys_data();
    void copyKeys();
    void followsPressesAndZoom_data();
    void followsPressesAndZoom();
    void copyChangesNothingElse();
    void homeRestoresAxes_data();
    void homeRestoresAxes();

private:
    void zoomIntoMiddle();
    void panBy(QPoint distance);
    void copyWithCtrlC();

    std::unique_ptr<TForm1> form;
};

void TestCopy::initTestCase()
{
    prepareApplication();
}

void TestCopy::init()
{
    form = showDesignedForm();
    QVERIFY(form);
}

void TestCopy::cleanup()
{
    form.reset();
    QLocale::setDefault(QLocale::system());
}

void TestCopy::zoomIntoMiddle()
{
    const QRect plot = form->Chart1->chartGeometry().plotRect;
    const QPoint from = plot.topLeft() + QPoint(plot.width() / 3, plot.height() / 3);
    const QPoint to = plot.topLeft() + QPoint(2 * plot.width() / 3, 2 * plot.height() / 3);
    QTest::mousePress(form->Chart1, Qt::LeftButton, {}, from);
    QTest::mouseMove(form->Chart1, to);
    QTest::mouseRelease(form->Chart1, Qt::LeftButton, {}, to);
    QVERIFY(form->Chart1->isZoomed());
}

void TestCopy::panBy(QPoint distance)
{
    const QPoint from = form->Chart1->chartGeometry().plotRect.center();
    QTest::mousePress(form->Chart1, Qt::RightButton, {}, from);
    QTest::mouseMove(form->Chart1, from + distance);
    QTest::mouseRelease(form->Chart1, Qt::RightButton, {}, from + distance);
    QVERIFY(form->Chart1->isZoomed());
}

// Ctrl+C to the focused button; the clipboard must hold a new item, with a picture.
void TestCopy::copyWithCtrlC()
{
    QGuiApplication::clipboard()->setText(QStringLiteral("nothing copied"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::ControlModifier);
    QVERIFY(clipboardData());
    QVERIFY(clipboardData()->hasImage());
}

// The whole text for the starting curve, in the C locale and in German, where a formatter that
// groups, pads or adds decimals would show it. The same rows run again with the process's own
// locale (ctest runs this test under LC_ALL=de_DE.UTF-8 too).
void TestCopy::tableOfStartingCurve()
{

    for (const QLocale &locale : {QLocale::c(), QLocale(QLocale::German, QLocale::Germany),
                                  QLocale::system()}) {
        QLocale::setDefault(locale);
        copyWithCtrlC();
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(clipboardData()->text(), expectedTable(20, 10));
        const QStringList lines = clipboardData()->text().split(u'\n');
        QCOMPARE(lines.size(), 1 + 61 + 1);   // header, the samples, the empty end of the last line
        QCOMPARE(lines[1], QStringLiteral("-40\t80"));
        QCOMPARE(lines[61], QStringLiteral("20\t20"));
    }
    if (qEnvironmentVariableIsSet("QOR_EXPECT_LOCALE"))
        QCOMPARE(QLocale::system().name(), qEnvironmentVariable("QOR_EXPECT_LOCALE"));
}

void TestCopy::copyKeys_data()
{
    QTest::addColumn<QKeySequence>("key");
    QTest::addColumn<QString>("focus");
    QTest::newRow("Ctrl+C on P0's <<") << QKeySequence(Qt::CTRL | Qt::Key_C) << "sbP0minus";
    QTest::newRow("Ctrl+C on P2's >>") << QKeySequence(Qt::CTRL | Qt::Key_C) << "sbP2plus";
    for (const QKeySequence &key : QKeySequence::keyBindings(QKeySequence::Copy))
        QTest::newRow(qPrintable("standard copy key " + key.toString())) << key << "sbP2minus";
}

void TestCopy::copyKeys()
{
    QFETCH(QKeySequence, key);
    QFETCH(QString, focus);
    auto *button = form->findChild<QPushButton *>(focus);
    button->setFocus();
    QGuiApplication::clipboard()->setText(QStringLiteral("nothing copied"));
    QTest::keySequence(button, key);
    QVERIFY(clipboardData());
    QCOMPARE(clipboardData()->text(), expectedTable(20, 10));
    QVERIFY(clipboardData()->hasImage());
    QCOMPARE(QApplication::focusWidget(), button);
}

// After presses and a zoom the clipboard holds the current curve and the chart as shown: the
// image is what grabbing the chart gives, at its size.
void TestCopy::followsPressesAndZoom_data()
{
    QTest::addColumn<bool>("zoom");
    QTest::newRow("after presses") << false;
    QTest::newRow("after presses and a zoom") << true;
}

void TestCopy::followsPressesAndZoom()
{
    QFETCH(bool, zoom);
    QTest::mouseClick(form->sbP0plus, Qt::LeftButton);
    QTest::mouseClick(form->sbP2plus, Qt::LeftButton);
    QTest::mouseClick(form->sbP2plus, Qt::LeftButton);
    QCOMPARE(Unit1::P0, 21);
    QCOMPARE(Unit1::P2, 12);
    if (zoom)
        zoomIntoMiddle();
    QTRY_VERIFY(form->Chart1->paintCount() > 0);
    QCoreApplication::processEvents();   // the chart has painted what the presses asked for

    copyWithCtrlC();
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(clipboardData()->text(), expectedTable(21, 12));
    const QImage image = qvariant_cast<QImage>(clipboardData()->imageData());
    QCOMPARE(image.size(), QSize(841, 457));
    QCOMPARE(image.size(), form->Chart1->size());
    QCOMPARE(image.convertToFormat(QImage::Format_RGB32),
             form->Chart1->grab().toImage().convertToFormat(QImage::Format_RGB32));
}

// The copy neither moves the focus nor asks the chart to repaint, and leaves the curve alone.
void TestCopy::copyChangesNothingElse()
{
    form->sbP2minus->setFocus();
    QTRY_VERIFY(form->Chart1->paintCount() > 0);
    QCoreApplication::processEvents();
    const int painted = form->Chart1->paintCount();
    copyWithCtrlC();
    if (QTest::currentTestFailed())
        return;
    QCoreApplication::processEvents();
    QCOMPARE(form->Chart1->paintCount(), painted);
    QCOMPARE(QApplication::focusWidget(), form->sbP2minus);
    QCOMPARE(Unit1::P0, 20);
    QCOMPARE(Unit1::P2, 10);
    QCOMPARE(form->Series1->count(), 61);
    QVERIFY(!form->Chart1->isZoomed());
}

// Home gives back the designed ranges after a zoom, a pan, or both, and after none changes
// nothing; the focus stays where it was and no button is pressed.
void TestCopy::homeRestoresAxes_data()
{
    QTest::addColumn<bool>("zoom");
    QTest::addColumn<bool>("pan");
    QTest::newRow("after a zoom") << true << false;
    QTest::newRow("after a pan") << false << true;
    QTest::newRow("after a zoom and a pan") << true << true;
    QTest::newRow("nothing to restore") << false << false;
}

void TestCopy::homeRestoresAxes()
{
    QFETCH(bool, zoom);
    QFETCH(bool, pan);
    TChart *chart = form->Chart1;
    const chart::AxisRange designedX{0, 100}, designedY{-45, 25};
    QCOMPARE(chart->bottomAxisView(), designedX);
    QCOMPARE(chart->leftAxisView(), designedY);
    form->sbP0plus->setFocus();
    if (zoom)
        zoomIntoMiddle();
    if (pan)
        panBy(QPoint(-120, 60));
    QCOMPARE(chart->isZoomed(), zoom || pan);

    QTest::keyClick(form->sbP0plus, Qt::Key_Home);
    QVERIFY(!chart->isZoomed());
    QCOMPARE(chart->bottomAxisView(), designedX);
    QCOMPARE(chart->leftAxisView(), designedY);
    QCOMPARE(QApplication::focusWidget(), form->sbP0plus);
    QCOMPARE(Unit1::P0, 20);
    QCOMPARE(Unit1::P2, 10);

    // the view is restored on screen too: the picture is the one of a chart never zoomed
    TForm1 fresh;
    fresh.show();
    QVERIFY(QTest::qWaitForWindowExposed(&fresh));
    QCOMPARE(chart->toImage(), fresh.Chart1->toImage());
}

QTEST_MAIN(TestCopy)
#include "tst_copy.moc"
