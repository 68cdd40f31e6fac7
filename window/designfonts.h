// The layout was designed at 96 pixels per inch with fonts whose heights are whole pixels
// (8 points is 11 pixels, 10 points is 13). Qt keeps point sizes exact, which would make every
// text a third of a pixel larger; these helpers round them the way the design did.
#pragma once

class QFont;
class QWidget;

// Applies chart::designPixelFont (designfont.h) to `top` and every child that sets a font of its
// own, naming the installed substitute of a family that isn't installed (see fontfamily.h).
void useDesignPixelFonts(QWidget *top);

// "MS Sans Serif" and "Arial", where they aren't installed, are drawn with Liberation Sans,
// which has Arial's metrics, so texts keep their designed widths.
void installFontSubstitutes();
