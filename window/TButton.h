// A push button that Enter and Return press as well as Space, as on the desktop the layout
// was designed for. Enter with Shift, Ctrl or Alt does nothing.
//
// Held keys act as there: Enter and Return press on the key's press and again on every
// auto-repeat the keyboard sends while held, and stop the moment the key is let go (repeats
// still queued then are dropped); Space presses once, on release, however long it was held.
// KeyHold tells repeats from presses whether or not Qt marks them.
#pragma once

#include "keyhold.h"

#include <QPushButton>

class TButton : public QPushButton
{
    Q_OBJECT
public:
    using QPushButton::QPushButton;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    KeyHold m_keys;
};
