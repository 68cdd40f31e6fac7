#include "TButton.h"

#include <QKeyEvent>

void TButton::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter) {
        QPushButton::keyPressEvent(event);
        return;
    }
    // The keypad's Enter carries KeypadModifier; only Shift, Ctrl and Alt rule the key out.
    const Qt::KeyboardModifiers blocking = Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;
    if (!(event->modifiers() & blocking) && !event->isAutoRepeat() && isEnabled())
        click();
    event->accept();   // handled (or deliberately ignored) here; not passed to the window
}
