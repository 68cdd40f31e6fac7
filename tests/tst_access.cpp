// What a screen reader gets from the window, through Qt's accessibility interfaces: a window
// with groups (never a frame inside a frame), names for the four buttons (their captions "<<" and
// ">>" say nothing), the labels that name and show what they change, the new value announced on
// the focused button after every press, and a chart that describes its shape and lists its
// samples as a table. The same seen from outside, over AT-SPI, is atspi_tree.py.
#include "TApplication.h"
#include "TChart.h"
#include "Unit1.h"
#include "testsupport.h"
#include "curve.h"
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
    void windowAndGroups();
    void labelsNameTheirButtons();
    void pressAnnouncesTheValue_data();
    void pressAnnouncesTheValue();
    void chartListsItsSamples();

private:
    std::unique_ptr<TForm1> form;
};

void TestAccess::initTestCase()
{
    prepareApplication();
}

void TestAccess::init()
{
    form = showDesignedForm();
    QVERIFY(form);
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
    // the shape in the user's language; whole numbers below 1,000 read alike in all three
    const auto described = [](const char *english, const char *german, const char *russian) {
        return inUsersLocale(QString::fromUtf8(english), QString::fromUtf8(german), QString::fromUtf8(russian));
    };
    QTest::newRow("at start") << QStringList{}
        << described("Тко 80 at Тул -40, then falling to 20 at Тул 20",
                     "Тко 80 bei Тул -40, dann fallend auf 20 bei Тул 20",
                     "Тко 80 при Тул -40, затем снижается до 20 при Тул 20");
    QTest::newRow("P0 raised") << QStringList{"sbP0plus"}
        << described("Тко 82 at Тул -40, then falling to 22 at Тул 20",
                     "Тко 82 bei Тул -40, dann fallend auf 22 bei Тул 20",
                     "Тко 82 при Тул -40, затем снижается до 22 при Тул 20");
    QTest::newRow("P2 lowered") << QStringList{"sbP2minus"}
        << described("Тко 74 at Тул -40, then falling to 20 at Тул 19, then Тко 20 up to Тул 20",
                     "Тко 74 bei Тул -40, dann fallend auf 20 bei Тул 19, dann Тко 20 bis Тул 20",
                     "Тко 74 при Тул -40, затем снижается до 20 при Тул 19, затем Тко 20 до Тул 20");
    QTest::newRow("P2 at 0: flat") << QStringList(10, "sbP2minus")
        << described("Тко 20 from Тул -40 to 20", "Тко 20 von Тул -40 bis 20", "Тко 20 от Тул -40 до 20");
    QTest::newRow("P2 at 30: limited") << QStringList(20, "sbP2plus")
        << described("Тко 95 from Тул -40 to -5, then falling to 20 at Тул 20",
                     "Тко 95 von Тул -40 bis -5, dann fallend auf 20 bei Тул 20",
                     "Тко 95 от Тул -40 до -5, затем снижается до 20 при Тул 20");
    QTest::newRow("P0 at 0: limited below") << QStringList(20, "sbP0minus")
        << described("Тко 40 at Тул -40, then falling to 1 at Тул -1, then Тко 1 up to Тул 20",
                     "Тко 40 bei Тул -40, dann fallend auf 1 bei Тул -1, dann Тко 1 bis Тул 20",
                     "Тко 40 при Тул -40, затем снижается до 1 при Тул -1, затем Тко 1 до Тул 20");
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

void TestAccess::windowAndGroups()
{
    QAccessibleInterface *window = accessibleOf(form.get());
    QCOMPARE(window->role(), QAccessible::Window);
    QCOMPARE(window->text(QAccessible::Name), QStringLiteral("QOR"));
    form->activateWindow();
    QTRY_VERIFY(window->state().active);
    QCOMPARE(accessibleOf(form->Panel1)->role(), QAccessible::Grouping);
    QCOMPARE(accessibleOf(form->GroupBox1)->role(), QAccessible::Grouping);
    // nothing below the window is a window or a border (both "frame" to AT-SPI), so the window
    // is the buttons' only frame, and it is the active one
    QList<QAccessibleInterface *> todo{window};
    int seen = 0;
    while (!todo.isEmpty()) {
        QAccessibleInterface *iface = todo.takeFirst();
        for (int i = 0; i < iface->childCount(); ++i) {
            QAccessibleInterface *c = iface->child(i);
            QVERIFY(c);
            QVERIFY2(c->role() != QAccessible::Window && c->role() != QAccessible::Border,
                     qPrintable(c->object() ? c->object()->objectName() : c->text(QAccessible::Name)));
            todo << c;
            ++seen;
        }
    }
    QVERIFY(seen > 4 + 2 + 2 * curve::SampleCount);   // buttons, labels, the chart's cells
}

void TestAccess::labelsNameTheirButtons()
{
    const auto related = [](QWidget *w, QAccessible::Relation r) {
        QStringList names;
        for (const auto &[iface, relation] : accessibleOf(w)->relations(r))
            names << iface->object()->objectName();
        names.sort();
        return names;
    };
    QCOMPARE(related(form->sbP0minus, QAccessible::Label), QStringList{"lbP0"});
    QCOMPARE(related(form->sbP0plus, QAccessible::Label), QStringList{"lbP0"});
    QCOMPARE(related(form->sbP2minus, QAccessible::Label), QStringList{"lbP2"});
    QCOMPARE(related(form->sbP2plus, QAccessible::Controlled), QStringList{"lbP2"});
    QCOMPARE(related(form->lbP0, QAccessible::Labelled), (QStringList{"sbP0minus", "sbP0plus"}));
    QCOMPARE(related(form->lbP2, QAccessible::Controller), (QStringList{"sbP2minus", "sbP2plus"}));
    // the buttons are still called by their own names, not by the label's text
    QCOMPARE(textOf(form->sbP2plus, QAccessible::Name),
             inUsersLocale("Raise P2", "P2 erhöhen", QString::fromUtf8("Увеличить P2")));
}

void TestAccess::pressAnnouncesTheValue_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("presses");
    QTest::addColumn<QStringList>("said");
    QTest::newRow("raise P0") << "sbP0plus" << 2 << QStringList{"P0 21", "P0 22"};
    QTest::newRow("lower P2 to its bound and on") << "sbP2minus" << 12
        << QStringList{"P2 9", "P2 8", "P2 7", "P2 6", "P2 5", "P2 4", "P2 3", "P2 2", "P2 1", "P2 0", "P2 0", "P2 0"};
}

void TestAccess::pressAnnouncesTheValue()
{
    QFETCH(QString, button);
    QFETCH(int, presses);
    QFETCH(QStringList, said);
    auto *b = form->findChild<QPushButton *>(button);
    const QString help = textOf(b, QAccessible::Description);
    // the notice is the window's last child, hidden until there is something to say
    QAccessibleInterface *window = accessibleOf(form.get());
    QAccessibleInterface *notice = window->child(window->childCount() - 1);
    QVERIFY(notice);
    QCOMPARE(notice->role(), QAccessible::Notification);
    QCOMPARE(window->indexOfChild(notice), window->childCount() - 1);
    QCOMPARE(notice->parent(), window);
    QVERIFY(notice->state().invisible);
    // after each press it says the value (the show events a screen reader hears need a running
    // AT-SPI bridge: atspi_tree.py listens to them)
    b->setFocus();
    QStringList notices;
    for (int i = 0; i < presses; ++i) {
        QTest::keyClick(b, Qt::Key_Return);
        notices << notice->text(QAccessible::Name);
        QVERIFY(!notice->state().invisible);
    }
    QCOMPARE(notices, said);
    // the button keeps its own description
    QCOMPARE(textOf(b, QAccessible::Description), help);
}

void TestAccess::chartListsItsSamples()
{
    QAccessibleInterface *chart = accessibleOf(form->Chart1);
    QAccessibleTableInterface *table = chart->tableInterface();
    QVERIFY(table);
    QCOMPARE(table->rowCount(), curve::SampleCount);
    QCOMPARE(table->columnCount(), 2);
    QCOMPARE(table->columnDescription(0), QStringLiteral("Тул"));
    QCOMPARE(table->columnDescription(1), QStringLiteral("Тко"));
    const auto cell = [&](int row, int column) { return table->cellAt(row, column)->text(QAccessible::Name); };
    QCOMPARE(cell(0, 0), QStringLiteral("-40 °C"));
    QCOMPARE(cell(0, 1), QStringLiteral("80 °C"));
    QCOMPARE(cell(60, 0), QStringLiteral("20 °C"));
    QCOMPARE(cell(60, 1), QStringLiteral("20 °C"));
    QAccessibleInterface *first = table->cellAt(0, 1);
    QCOMPARE(first->role(), QAccessible::Cell);
    QCOMPARE(first->parent(), chart);
    QCOMPARE(chart->indexOfChild(first), 1);
    QCOMPARE(first->tableCellInterface()->rowIndex(), 0);
    QCOMPARE(first->tableCellInterface()->columnIndex(), 1);
    // a cell lies at its sample on the screen, and follows the curve
    QVERIFY(QRect(form->Chart1->mapToGlobal(QPoint(0, 0)), form->Chart1->size()).contains(first->rect()));
    QVERIFY(!first->state().offscreen);
    QTest::mouseClick(form->sbP0plus, Qt::LeftButton);
    QCOMPARE(cell(0, 1), QStringLiteral("82 °C"));
    QCOMPARE(table->cellAt(0, 1), first);
    QCOMPARE(table->cellAt(61, 0), nullptr);
}

QTEST_MAIN(TestAccess)
#include "tst_access.moc"
