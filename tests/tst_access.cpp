// What a screen reader gets from the window, through Qt's accessibility interfaces: names for
// the four buttons (their captions "<<" and ">>" say nothing), the labels' texts, and a chart
// whose description follows the curve after every press (Qt announces each change to the
// screen reader itself).
#include "TApplication.h"
#include "TChart.h"
#include "Unit1.h"
#include "userlocale.h"

#include <QtTest>
#include <QAccessible>

#include <memory>

namespace {

QAccessibleInterface *accessibleOf(QWidget *widget)
{
    return QAccessible::queryAccessibleInterface(widget);
}

QString textOf(QWidget *widget, QAccessible::Text what)
{
    QAccessibleInterface *iface = accessibleOf(widget);
    return iface ? iface->text(what) : QStringLiteral("<no interface>");
}

}  // namespace

class TestAccess : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void buttons_data();
    void buttons();
    void labelsSayTheirText();
    void chartFollowsTheCurve_data();
    void chartFollowsTheCurve();

private:
    std::unique_ptr<TForm1> form;
};

void TestAccess::initTestCase()
{
    prepareApplication();
}

void TestAccess::init()
{
    form = std::make_unique<TForm1>();
    Unit1::Form1 = form.get();
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
}

void TestAccess::cleanup()
{
    form.reset();
}

void TestAccess::buttons_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("description");
    QTest::addColumn<int>("step");
    for (const char *p : {"P0", "P2"}) {
        QTest::addRow("lower %s", p)
            << QString("sb%1minus").arg(p)
            << inUsersLocale("Lower %1", "%1 verringern", "Уменьшить %1").arg(p)
            << inUsersLocale("Lowers %1 by one, down to 0, and redraws the curve",
                             "Verringert %1 um eins, bis hinab auf 0, und zeichnet die Kurve neu",
                             "Уменьшает %1 на единицу, но не ниже 0, и перерисовывает кривую").arg(p)
            << -1;
        QTest::addRow("raise %s", p)
            << QString("sb%1plus").arg(p)
            << inUsersLocale("Raise %1", "%1 erhöhen", "Увеличить %1").arg(p)
            << inUsersLocale("Raises %1 by one, up to 50, and redraws the curve",
                             "Erhöht %1 um eins, bis höchstens 50, und zeichnet die Kurve neu",
                             "Увеличивает %1 на единицу, но не выше 50, и перерисовывает кривую").arg(p)
            << 1;
    }
}

void TestAccess::buttons()
{
    QFETCH(QString, button);
    QFETCH(QString, name);
    QFETCH(QString, description);
    QFETCH(int, step);
    auto *b = form->findChild<QPushButton *>(button);
    QVERIFY(b);
    QCOMPARE(accessibleOf(b)->role(), QAccessible::Button);
    QCOMPARE(textOf(b, QAccessible::Name), name);
    QCOMPARE(textOf(b, QAccessible::Description), description);
    // the caption stays what the layout shows
    QVERIFY(b->text() == "<<" || b->text() == ">>");
    // and a screen reader's press works as a click (Qt animates it, so it lands a little later)
    QAccessibleActionInterface *action = accessibleOf(b)->actionInterface();
    QVERIFY(action);
    const int p0 = Unit1::P0, p2 = Unit1::P2;
    action->doAction(QAccessibleActionInterface::pressAction());
    QTRY_COMPARE(Unit1::P0 + Unit1::P2, p0 + p2 + step);
}

void TestAccess::labelsSayTheirText()
{
    QCOMPARE(textOf(form->lbP0, QAccessible::Name), QStringLiteral("P0=20"));
    QCOMPARE(textOf(form->lbP2, QAccessible::Name), QStringLiteral("P2=10"));
    QTest::mouseClick(form->sbP0plus, Qt::LeftButton);
    QTest::mouseClick(form->sbP2minus, Qt::LeftButton);
    QCOMPARE(textOf(form->lbP0, QAccessible::Name), QStringLiteral("P0=21"));
    QCOMPARE(textOf(form->lbP2, QAccessible::Name), QStringLiteral("P2=9"));
}

void TestAccess::chartFollowsTheCurve_data()
{
    QTest::addColumn<QStringList>("presses");
    QTest::addColumn<QString>("description");
    const auto expected = [](int low, int high) {
        return inUsersLocale(QString("Tko from %1 at Tul -40 to %2 at Tul 20").arg(low).arg(high),
                             QString("Tko von %1 bei Tul -40 bis %2 bei Tul 20").arg(low).arg(high),
                             QString("Тко от %1 при Тул -40 до %2 при Тул 20").arg(low).arg(high));
    };
    QTest::newRow("at start") << QStringList{} << expected(80, 20);
    QTest::newRow("P0 raised") << QStringList{"sbP0plus"} << expected(82, 22);
    QTest::newRow("P2 lowered") << QStringList{"sbP2minus"} << expected(74, 20);
    QTest::newRow("P2 at 0: flat") << QStringList(10, "sbP2minus") << expected(20, 20);
    QTest::newRow("P2 at 30: limited") << QStringList(20, "sbP2plus") << expected(95, 20);
    QTest::newRow("P0 at 0: limited below") << QStringList(20, "sbP0minus") << expected(40, 1);
}

void TestAccess::chartFollowsTheCurve()
{
    QFETCH(QStringList, presses);
    QFETCH(QString, description);
    for (const QString &name : presses)
        QTest::mouseClick(form->findChild<QPushButton *>(name), Qt::LeftButton);
    QCOMPARE(textOf(form->Chart1, QAccessible::Name),
             inUsersLocale("Heating curve chart", "Diagramm der Heizkurve", "График отопительной кривой"));
    QCOMPARE(textOf(form->Chart1, QAccessible::Description), description);
}

QTEST_MAIN(TestAccess)
#include "tst_access.moc"
