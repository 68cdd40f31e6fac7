#include "TGroupBox.h"

#include "designfonts.h"
#include "fontfamily.h"

#include <QEvent>
#include <QPainter>
#include <QStyle>

namespace {
const QColor EtchDark(128, 128, 128);   // the button shadow grey
const QColor EtchLight(255, 255, 255);
}  // namespace

QRect TGroupBox::captionRect() const
{
    if (title().isEmpty())
        return {};
    const QFontMetrics fm = fontMetrics();
    // a pixel of background on either side keeps the line clear of the first and last letters
    return {CaptionIndent, 0, fm.horizontalAdvance(title()) + 2, fm.height()};
}

int TGroupBox::frameTop() const
{
    return fontMetrics().height() / 2;
}

void TGroupBox::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const int top = frameTop();
    const int right = width() - 2, bottom = height() - 2;
    const QRect caption = captionRect();

    // Dark line, then the light one offset by a pixel right and down; the top lines stop at
    // the caption.
    const auto frame = [&](int dx, const QColor &color) {
        p.setPen(color);
        const int l = dx, t = top + dx, r = right + dx, b = bottom + dx;
        if (caption.isNull()) {
            p.drawLine(l, t, r, t);
        } else {
            p.drawLine(l, t, caption.left() - 1, t);
            p.drawLine(caption.right() + 1, t, r, t);
        }
        p.drawLine(l, t, l, b);
        p.drawLine(l, b, r, b);
        p.drawLine(r, t, r, b);
    };
    frame(0, EtchDark);
    frame(1, EtchLight);

    if (!caption.isNull()) {
        p.fillRect(caption, palette().brush(QPalette::Window));
        style()->drawItemText(&p, caption, Qt::AlignCenter | Qt::TextHideMnemonic, palette(),
                              isEnabled(), title(), QPalette::WindowText);
    }
}

void TGroupBox::changeEvent(QEvent *event)
{
    // The box measures its title as soon as the title is set, which the layout does right after
    // giving it its font: taking the font as drawn (whole pixels, an installed family) here
    // rather than afterwards loads one font instead of two.
    if (event->type() == QEvent::FontChange && testAttribute(Qt::WA_SetFont)) {
        const QFont drawn = withInstalledFamily(designPixelFont(font()));
        if (drawn != font()) {
            setFont(drawn);   // comes back here with nothing left to change
            return;
        }
    }
    QGroupBox::changeEvent(event);
}
