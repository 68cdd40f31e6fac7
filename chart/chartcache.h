// What the chart keeps from one paint to the next, so that a press redraws little more than the
// curve and the legend:
//  - LabelCache: the text and width of each label value (measuring runs the text shaper), and a
//    laid-out QStaticText for drawing it;
//  - BackgroundLayer: an image of everything behind the curve (frame, grid, axes, labels,
//    titles). It is a pure function of a BackgroundLook: the painting reads nothing but the look,
//    so a layer painted for an equal look, on an equal kind of image, has the same pixels.
#pragma once

#include "chartgeometry.h"
#include "scale.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPalette>
#include <QRect>
#include <QStaticText>
#include <QTextOption>
#include <QString>

#include <functional>
#include <optional>
#include <unordered_map>

namespace chart {

// True when `t` only shifts by whole pixels: then fills, copies of images and laid-out texts
// cover exactly the pixels that pens and drawText would.
bool wholePixelShift(const QTransform &t);

// Counts changes of the application's fonts (fonts added or removed): cached text metrics taken
// before a change may be wrong after it.
quint64 fontGeneration();

class LabelCache
{
public:
    struct Label {
        QString text;         // numberText(value)
        int width = 0;        // its horizontal advance in the font
        QStaticText glyphs;   // laid out on first draw, reused after
    };

    // The label of `value` in `font`. The reference stays valid until the next call.
    const Label &label(double value, const QFont &font);

private:
    std::unordered_map<double, Label> m_labels;
    QFont m_font;
    quint64 m_fontGeneration = 0;
    Label m_uncached;   // for values that can't be keys (NaN)
};

// Everything the background shows: the chart's colours and frame, and the plot, ticks, labels
// and titles where the layout placed them (chartgeometry.h).
struct BackgroundLook {
    QSize size;
    QColor color;
    QPalette palette;           // the frame's light and dark edges
    bool backWallTransparent = false;
    QColor backWallColor;
    QRect plotRect;
    TickMarks xMarks, yMarks;
    std::vector<PlacedLabel> xLabels, yLabels;
    std::vector<PlacedText> titleLines;
    PlacedText bottomTitle, leftTitle;
    QFont widgetFont;           // fills in what the fonts below leave unset, as QPainter does
    QFont labelFont;            // labels and the title
    QFont bottomTitleFont;
    QFont leftTitleFont;

    bool operator==(const BackgroundLook &other) const;
};

class BackgroundLayer
{
public:
    // Puts the background on `p`: from the kept image when it shows `look`, else by calling
    // `paint`. The first image is made when a background is painted a second time (so a window
    // that is shown and left alone spends no memory on it); from then on the image is repainted
    // whenever the background changes.
    void paint(QPainter &p, const BackgroundLook &look, const std::function<void(QPainter &)> &paint);

private:
    // The look, and what of the image and the painter underneath would change its pixels.
    struct Key {
        BackgroundLook look;
        QImage::Format format;
        qreal devicePixelRatio;
        quint64 fontGeneration;
        QPainter::RenderHints renderHints;
        Qt::LayoutDirection layoutDirection;
        Qt::BGMode backgroundMode;
        QBrush background, brush;
        bool operator==(const Key &other) const;
    };
    std::optional<Key> m_key;   // what m_image shows, or what was painted last while there is none
    QImage m_image;
};

}  // namespace chart
