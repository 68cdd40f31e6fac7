// Reference (a): an empty Qt Widgets window of QOR's size, ending once its first paint is on
// the display.
#include "firstpaint.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(1044, 540);
    quitAfterFirstPaint(window);
    window.show();
    return app.exec();
}
