// A push button that Enter and Return press as well as Space, as on the desktop the layout
// was designed for. Enter with Shift, Ctrl or Alt does nothing. A key held down presses once:
// auto-repeated Enters are ignored, so holding the key never queues up presses.
#pragma once

#include <QPushButton>

class TButton : public QPushButton
{
    Q_OBJECT
public:
    using QPushButton::QPushButton;

protected:
    void keyPressEvent(QKeyEvent *event) override;
};
