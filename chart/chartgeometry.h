// Where everything of the chart goes: computed by TChart::chartGeometry() (TChartLayout.cpp) from
// the widget's size, settings, view and data, and only drawn by the paint (TChartPaint.cpp).
// The mouse and the tooltip use the same maps, so they always agree with what is on screen.
#pragma once

#include "scale.h"

#include <QLine>
#include <QPoint>
#include <QRect>
#include <QString>

#include <vector>

// Pixel positions of one axis' ticks: where its grid lines and tick marks go.
struct TickMarks {
    std::vector<int> major;
    std::vector<int> minor;
    friend bool operator==(const TickMarks &, const TickMarks &) = default;
};

// An axis label, placed by the left end of its baseline.
struct PlacedLabel {
    double value = 0;
    QPoint origin;
    friend bool operator==(const PlacedLabel &, const PlacedLabel &) = default;
};

// A line of text placed by the left end of its baseline, turned `angle` degrees
// counter-clockwise about that point.
struct PlacedText {
    QString text;
    QPoint origin;
    int angle = 0;
    friend bool operator==(const PlacedText &, const PlacedText &) = default;
};

// One legend row: the stroke in the series' pen and where its text starts.
struct LegendRow {
    QLine symbol;
    QPoint textOrigin;
};

struct ChartGeometry {
    QRect chartRect;           // inside the margins, below the title, left of the legend
    QRect plotRect;            // the framed plot area
    chart::AxisRange xRange, yRange;
    chart::ScaleMap xMap, yMap;
    chart::AxisTicks xTicks, yTicks;
    TickMarks xMarks, yMarks;
    std::vector<PlacedLabel> xLabels, yLabels;
    std::vector<PlacedText> titleLines;   // the chart's title, one per line, centred
    PlacedText bottomTitle, leftTitle;    // empty text when an axis has no title
    QRect legendRect;          // empty when there is no legend
    int legendRowCount = 0;    // rows that fit, from the first point on
    int legendRowHeight = 0;
    std::vector<LegendRow> legendRows;
    QRect zoomRect;            // the rectangle of a zoom being dragged; empty otherwise
};
