#include "designfonts.h"

#include "fontfamily.h"

#include <QFont>
#include <QWidget>

#include <cmath>

QFont designPixelFont(const QFont &font)
{
    QFont f = font;
    if (font.pointSizeF() > 0)
        f.setPixelSize(int(std::lround(font.pointSizeF() * 96.0 / 72.0)));
    return f;
}

void useDesignPixelFonts(QWidget *top)
{
    if (top->testAttribute(Qt::WA_SetFont))
        top->setFont(withInstalledFamily(designPixelFont(top->font())));
    for (QWidget *w : top->findChildren<QWidget *>())
        if (w->testAttribute(Qt::WA_SetFont))
            w->setFont(withInstalledFamily(designPixelFont(w->font())));
}

void installFontSubstitutes()
{
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
}
