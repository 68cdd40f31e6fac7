// Qt looks a family that isn't installed up through a fontconfig fallback query (a few million
// instructions) for each font that names it, before it tries the application's substitutes.
// Naming an installed substitute directly skips the query and draws the same glyphs.
#pragma once

#include <QFont>

// `font` itself when its family is installed (or nothing installed replaces it); otherwise the
// same font in the first installed family of QFont::substitutes().
QFont withInstalledFamily(const QFont &font);
