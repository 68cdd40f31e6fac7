#include "TButton.h"

#include "keystate.h"

#include <QKeyEvent>

namespace {

bool isEnter(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

bool heldKey(int key) { return isEnter(key) || key == Qt::Key_Space; }

// The keypad's Enter carries KeypadModifier; only Shift, Ctrl and Alt rule the key out.
bool blockedEnter(const QKeyEvent *event)
{
    return event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
}

}  // namespace

void TButton::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    if (!heldKey(key)) {
        QPushButton::keyPressEvent(event);
        return;
    }
    const KeyHold::Press step = m_keys.press(key, event->isAutoRepeat(), event->timestamp(),
                                             keyHeldNow(event->nativeScanCode()));
    event->accept();   // handled (or deliberately ignored) here; not passed to the window
    if (step == KeyHold::Press::Drop)
        return;
    if (isEnter(key)) {
        if (!blockedEnter(event) && isEnabled())
            click();
    } else if (step == KeyHold::Press::First) {
        QPushButton::keyPressEvent(event);   // Space: shown pressed until released
    }
}

void TButton::keyReleaseEvent(QKeyEvent *event)
{
    const int key = event->key();
    if (!heldKey(key)) {
        QPushButton::keyReleaseEvent(event);
        return;
    }
    const KeyHold::Release up = m_keys.release(key, event->isAutoRepeat(), event->timestamp(),
                                               keyHeldNow(event->nativeScanCode()));
    event->accept();
    if (up == KeyHold::Release::Real && key == Qt::Key_Space)
        QPushButton::keyReleaseEvent(event);   // clicks if Space pressed it down
}

void TButton::focusOutEvent(QFocusEvent *event)
{
    m_keys.reset();   // the keys' releases will go elsewhere
    QPushButton::focusOutEvent(event);
}

void TButton::hideEvent(QHideEvent *event)
{
    m_keys.reset();
    QPushButton::hideEvent(event);
}
