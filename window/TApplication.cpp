#include "TApplication.h"

#include "Unit1.h"
#include "accessibility.h"
#include "designfonts.h"
#include "outsideclose.h"
#include "startup.h"

#include <QIcon>
#include <QImage>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QPixmap>
#include <QResource>
#include <QStyleFactory>
#include <QTranslator>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <memory>
#include <utility>

TApplication::TApplication(int &argc, char **argv)
    : QApplication(argc, argv)
{
}

bool TApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &e) {
        showException(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        showException(tr("Unknown error"));
    }
    return false;
}

void TApplication::showException(const QString &message)
{
    QMessageBox::critical(QApplication::activeWindow(), QApplication::applicationDisplayName(),
                          message);
}

namespace {

// The program's own texts and Qt's (its buttons and menus) in the user's language, before the
// first window. Where there is no catalogue (C, English) the texts stay as written.
void installTranslations()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    const QLocale locale;   // the system's, as the environment sets it
    auto *own = new QTranslator(qApp);
    if (own->load(locale, QStringLiteral("qor"), QStringLiteral("_"), QStringLiteral(":/i18n")))
        QCoreApplication::installTranslator(own);
    auto *qt = new QTranslator(qApp);
    if (qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
}

// The program's icon at the sizes window managers draw it, 16 to 64 pixels: X11 is sent every
// size at start-up, so the large ones (installed for the desktop's own use) stay out of it. The
// pixels are stored as the window system takes them (see window/CMakeLists.txt), copied into
// images of their own (a resource's data need not be aligned for 32-bit pixels).
QIcon programIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48, 64}) {
        const QResource pixels(QStringLiteral(":/icons/qor-%1.argb").arg(size));
        const qsizetype rowBytes = qsizetype(size) * 4;
        if (pixels.compressionAlgorithm() != QResource::NoCompression || pixels.size() != rowBytes * size)
            continue;
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        for (int y = 0; y < size; ++y)
            std::memcpy(image.scanLine(y), pixels.data() + y * rowBytes, std::size_t(rowBytes));
        icon.addPixmap(QPixmap::fromImage(std::move(image)));
    }
    return icon;
}

}  // namespace

void prepareApplication()
{
    // QApplication set the C library's locale from the environment; no number the program
    // prints may depend on it (the chart writes its own, see localenumbers.h).
    std::setlocale(LC_NUMERIC, "C");
    installTranslations();
    QApplication::setApplicationName(QStringLiteral("qor"));
    QApplication::setApplicationDisplayName(QStringLiteral("QOR"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    installFontSubstitutes();
    installAccessibility();
    // The icon on the window and the taskbar; desktops that take it from the desktop entry
    // (Wayland) find that entry by this name.
    QApplication::setWindowIcon(programIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral("qor"));
}

bool noDisplayAvailable()
{
    return qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
           && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

namespace {

void printNoDisplay()
{
    std::fputs("qor: no display: set DISPLAY (X11) or WAYLAND_DISPLAY to show the window\n", stderr);
}

}  // namespace

int RunQor(int &argc, char **argv, const std::function<void(TForm1 &)> &beforeLoop)
{
    // -display or -platform on the command line name a window system too
    bool named = false;
    for (int i = 1; i < argc; ++i)
        named = named || std::strcmp(argv[i], "-display") == 0 || std::strcmp(argv[i], "-platform") == 0
                || std::strcmp(argv[i], "--display") == 0 || std::strcmp(argv[i], "--platform") == 0;
    if (!named && noDisplayAvailable()) {
        printNoDisplay();
        return 1;
    }
    auto watch = std::make_unique<StartupWatch>(argc, argv);
    TApplication app(argc, argv);
    watch->checkScreens();
    watch.reset();
    prepareApplication();

    TForm1 form;
    Unit1::Form1 = &form;
    if (beforeLoop)
        beforeLoop(form);
    form.show();
    quitWhenDestroyedOutside(form);
    return app.exec();
}
