// Reference (b): the same window showing one line of bold 13-pixel "MS Sans Serif" text, drawn
// with Liberation Sans as QOR does: the least any Qt program that shows text has to do. It quits
// once its first paint is on the display, or with --stay, stays until killed.
#include "firstpaint.h"

#include <QApplication>
#include <QLabel>
#include <QWidget>

#include <cstring>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    QWidget window;
    window.resize(1044, 540);
    QLabel label(QStringLiteral("Tко=(((P0-Tул)*P2)/10)+P0"), &window);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(13);
    font.setBold(true);
    label.setFont(font);
    label.move(8, 0);
    label.adjustSize();
    if (argc < 2 || std::strcmp(argv[1], "--stay") != 0)
        quitAfterFirstPaint(window);
    window.show();
    return app.exec();
}
