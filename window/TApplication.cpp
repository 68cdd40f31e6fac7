#include "TApplication.h"

#include "Unit1.h"
#include "designfonts.h"

#include <QMessageBox>
#include <QStyleFactory>

#include <cstdio>
#include <exception>

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
}

bool noDisplayAvailable()
{
    return qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
           && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

int RunQor(int &argc, char **argv, const std::function<void(TForm1 &)> &beforeLoop)
{
    if (noDisplayAvailable()) {
        std::fputs("qor: no display: set DISPLAY (X11) or WAYLAND_DISPLAY to show the window\n", stderr);
        return 1;
    }
    TApplication app(argc, argv);
    prepareApplication();

    TForm1 form;
    Unit1::Form1 = &form;
    if (beforeLoop)
        beforeLoop(form);
    form.show();
    return app.exec();
}
