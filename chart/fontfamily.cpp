#include "fontfamily.h"

#include <QFontDatabase>
#include <QStringList>

QFont withInstalledFamily(const QFont &font)
{
    const QString family = font.family();
    const QStringList substitutes = QFont::substitutes(family);
    if (substitutes.isEmpty())
        return font;
    const QStringList installed = QFontDatabase::families();
    if (installed.contains(family, Qt::CaseInsensitive))
        return font;
    for (const QString &substitute : substitutes)
        for (const QString &name : installed)
            if (name.compare(substitute, Qt::CaseInsensitive) == 0) {
                QFont f = font;
                f.setFamily(name);   // spelt as installed: Qt keeps substitutes in lower case
                return f;
            }
    return font;
}
