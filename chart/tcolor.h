// Colours as the program stores them: 32-bit values with red in the low byte, green in the next
// and blue in the third (255 is red, 0 black, 16777215 white).
#pragma once

#include <QColor>

namespace chart {

using TColor = quint32;

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clRed = 0x0000FF;

inline QColor toQColor(TColor c)
{
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

}  // namespace chart
