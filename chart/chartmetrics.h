// Fixed distances of the chart's drawing, in pixels, shared by layout and painting.
#pragma once

namespace chart::metrics {

inline constexpr double SideMargin = 0.03;   // of the width, left and right
inline constexpr double EndMargin = 0.04;    // of the height, top and bottom
inline constexpr int TitleSpacing = 5;       // below the title lines
inline constexpr int AxisLineWidth = 2;
inline constexpr int TickLength = 4;
inline constexpr int MinorTickLength = 2;
inline constexpr int LabelGap = 2;           // between a tick and its label
inline constexpr int LabelSpacing = 4;       // least free room between neighbouring labels
inline constexpr int AxisTitleGap = 4;
inline constexpr int LegendGap = 8;          // between the plot's labels and the legend
inline constexpr int LegendFrame = 1;        // the legend box's black frame
inline constexpr int LegendPadding = 4;
inline constexpr int LegendRowSpacing = 2;
inline constexpr int LegendSymbolLength = 16;
inline constexpr int LegendSymbolGap = 4;
inline constexpr int LegendShadow = 3;

}  // namespace chart::metrics
