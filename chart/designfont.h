// Fonts given in points are drawn at the whole-pixel size they have at 96 pixels per inch, the
// resolution the window and the chart were laid out at, so that texts are not a third of a pixel
// larger or smaller than designed.
#pragma once

#include <QFont>

#include <cmath>

namespace chart {

inline constexpr double DesignDpi = 96.0;
inline constexpr double PointsPerInch = 72.0;

// `font` with a size in points turned into that pixel size; other fonts as they are.
inline QFont designPixelFont(const QFont &font)
{
    QFont f = font;
    if (font.pointSizeF() > 0)
        f.setPixelSize(int(std::lround(font.pointSizeF() * DesignDpi / PointsPerInch)));
    return f;
}

}  // namespace chart
