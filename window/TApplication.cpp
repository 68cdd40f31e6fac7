#include "TApplication.h"

#include "Unit1.h"
#include "designfonts.h"
#include "outsideclose.h"
#include "startup.h"

#include <QIcon>
#include <QMessageBox>
#include <QStyleFactory>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <memory>

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
        showException(QStringLiteral("Unknown error"));
    }
    return false;
}

void TApplication::showException(const QString &message)
{
    QMessageBox::critical(QApplication::activeWindow(), QApplication::applicationDisplayName(),
                          message);
}

void prepareApplication()
{
    QApplication::setApplicationName(QStringLiteral("qor"));
    QApplication::setApplicationDisplayName(QStringLiteral("QOR"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    installFontSubstitutes();
    // The icon on the window and the taskbar; desktops that take it from the desktop entry
    // (Wayland) find that entry by this name. Window managers draw it at 16 to 64 pixels, and X11
    // is sent every size at start-up, so the large ones (installed for the desktop's own use)
    // stay out of the window's icon: decoding them cost a few milliseconds of every start.
    QIcon icon;
    for (int size : {16, 32, 48, 64})
        icon.addFile(QStringLiteral(":/icons/qor-%1.png").arg(size), QSize(size, size));
    QApplication::setWindowIcon(icon);
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
