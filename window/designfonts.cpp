#include "designfonts.h"

#include "designfont.h"
#include "fontfamily.h"

#include <QFont>
#include <QWidget>

void useDesignPixelFonts(QWidget *top)
{
    if (top->testAttribute(Qt::WA_SetFont))
        top->setFont(withInstalledFamily(chart::designPixelFont(top->font())));
    for (QWidget *w : top->findChildren<QWidget *>())
        if (w->testAttribute(Qt::WA_SetFont))
            w->setFont(withInstalledFamily(chart::designPixelFont(w->font())));
}

void installFontSubstitutes()
{
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
}
