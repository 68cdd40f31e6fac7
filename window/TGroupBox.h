// A group box drawn as the layout was designed: an etched frame (a grey line with a white line
// one pixel inside and below it), the title at the top left over the frame's top line, on the
// box's own background, the line passing through the middle of the title's height. Painted
// here rather than by the style: Fusion draws the frame from an image (loading image plugins
// and failing on 8-bit displays). A font given to the box is taken as drawn: whole pixels, in
// an installed family (see designfonts.h).
#pragma once

#include <QGroupBox>

class TGroupBox : public QGroupBox
{
    Q_OBJECT
public:
    using QGroupBox::QGroupBox;

    // The y of the frame's top (dark) line.
    int frameTop() const;

    static constexpr int CaptionIndent = 8;

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;
};
