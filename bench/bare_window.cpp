// Reference (a): an empty Qt Widgets window of QOR's size, ending once its first paint is on
// the display (with --stay, it stays until killed).
#include "firstpaint.h"

#include <QApplication>
#include <QWidget>

#include <cstring>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(1044, 540);
    if (argc < 2 || std::strcmp(argv[1], "--stay") != 0)
        quitAfterFirstPaint(window);
    window.show();
    return app.exec();
}
