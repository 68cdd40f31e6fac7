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
    // the pixels are the PNGs', as the build stored them for the window system
    for (const QSize &size : icon.availableSizes()) {
        const QImage png(QStringLiteral(QOR_DATA_DIR "/icons/qor-%1.png").arg(size.width()));
        QVERIFY(!png.isNull());
        QCOMPARE(icon.pixmap(size).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied),
                 png.convertToFormat(QImage::Format_ARGB32_Premultiplied));
    }
}

void TestIcon::desktopEntryNamed()
{
    prepareApplication();
    QVERIFY(QFile::exists(QStringLiteral(QOR_DATA_DIR "/%1.desktop").arg(QGuiApplication::desktopFileName())));
}

QTEST_MAIN(TestIcon)
#include "tst_icon.moc"
