#include "TGroupBox.h"

#include "designfont.h"
#include "fontfamily.h"

#include <QEvent>
#include <QPainter>

#include <algorithm>

namespace {
const QColor EtchDark(128, 128, 128);   // the button shadow grey
const QColor EtchLight(255, 255, 255);
}  // namespace

int TGroupBox::frameTop() const
{
    return fontMetrics().height() / 2;
}

void TGroupBox::paintEvent(QPaintEvent *)
{
    QPainter p(this);

    // The caption first: where its text ends is where the top line starts again. Behind it is
    // the box's own background, as the line stops short of it.
    int gapLeft = width(), gapRight = width();
    if (!title().isEmpty()) {
        QRect drawn;
        p.setPen(palette().color(QPalette::WindowText));
        p.drawText(QRect(CaptionIndent, 0, width() - 2 * CaptionIndent, fontMetrics().height()),
                   Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextHideMnemonic, title(),
                   &drawn);
        gapLeft = drawn.left() - 1;   // a pixel of background either side of the text
        gapRight = drawn.right() + 1;
    }

    // Dark lines, then light ones a pixel right and down: one-pixel fills, which the raster
    // engine draws far more cheaply than stroked lines.
    const int top = frameTop(), right = width() - 2, bottom = height() - 2;
    const auto frame = [&](int d, const QColor &color) {
        const int l = d, t = top + d, r = right + d, b = bottom + d;
        p.fillRect(QRect(QPoint(l, t), QPoint(std::min(gapLeft - 1, r), t)), color);
        p.fillRect(QRect(QPoint(std::max(gapRight + 1, l), t), QPoint(r, t)), color);
        p.fillRect(QRect(QPoint(l, t), QPoint(l, b)), color);
        p.fillRect(QRect(QPoint(r, t), QPoint(r, b)), color);
        p.fillRect(QRect(QPoint(l, b), QPoint(r, b)), color);
    };
    frame(0, EtchDark);
    frame(1, EtchLight);
}

void TGroupBox::changeEvent(QEvent *event)
{
    // The box measures its title as soon as the title is set, which the layout does right after
    // giving it its font: taking the font as drawn (whole pixels, an installed family) here
    // rather than afterwards loads one font instead of two.
    if (event->type() == QEvent::FontChange && testAttribute(Qt::WA_SetFont)) {
        const QFont drawn = withInstalledFamily(chart::designPixelFont(font()));
        if (drawn != font()) {
            setFont(drawn);   // comes back here with nothing left to change
            return;
        }
    }
    QGroupBox::changeEvent(event);
}
