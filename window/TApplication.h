// The application object: QApplication that catches an exception escaping any event handler,
// shows its message in an error box titled with the application's name, and goes on.
#pragma once

#include <QApplication>

#include <functional>

class TForm1;

class TApplication : public QApplication
{
    Q_OBJECT
public:
    TApplication(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;

    // Shows `message` in the error box (a critical message box titled "QOR").
    static void showException(const QString &message);
};

// Gives the application its title "QOR", its icon, the Fusion style, the fonts the layout was
// designed with and the translations for the user's language (the program's and Qt's), and
// keeps the C library's number formatting English. Tests call it too, so they see what the
// user sees.
void prepareApplication();

// True when Qt would have no window system to talk to: no DISPLAY, no WAYLAND_DISPLAY and no
// platform chosen through QT_QPA_PLATFORM.
bool noDisplayAvailable();

// The program: application, Form1 (layout, then FormCreate), then the event loop until the
// window closes. `beforeLoop` runs just before the loop starts (benchmarks hook in there).
int RunQor(int &argc, char **argv, const std::function<void(TForm1 &)> &beforeLoop = {});
