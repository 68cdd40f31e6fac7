// The window carries the program's icon at the sizes window managers draw it in, and the application
// names the desktop entry that the install puts beside it.
#include "TApplication.h"
#include "Unit1.h"

#include <QtTest>
#include <QIcon>

class TestIcon : public QObject
{
    Q_OBJECT
private slots:
    void windowShowsTheIcon();
    void desktopEntryNamed();
};

void TestIcon::windowShowsTheIcon()
{
    prepareApplication();
    TForm1 form;
    const QIcon icon = form.windowIcon();
    QCOMPARE(icon.availableSizes(), (QList<QSize>{{16, 16}, {32, 32}, {48, 48}, {64, 64}}));
    for (const QSize &size : icon.availableSizes())
        QCOMPARE(icon.pixmap(size).size(), size);   // the resource is there, not a missing file
}

void TestIcon::desktopEntryNamed()
{
    prepareApplication();
    QVERIFY(QFile::exists(QStringLiteral(QOR_DATA_DIR "/%1.desktop").arg(QGuiApplication::desktopFileName())));
}

QTEST_MAIN(TestIcon)
#include "tst_icon.moc"
