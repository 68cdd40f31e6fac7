// How the window presents itself to screen readers, beyond what Qt's own interfaces give:
//  - the form is a window (AT-SPI "frame", active while it has the focus) and a plain framed
//    QFrame such as the panel is a group, so a screen reader takes the buttons' focus as coming
//    from the active window;
//  - each label and the buttons on its row label and control each other (labelled-by,
//    label-for, controller-for), found by where they sit, so the designed layout needs no extra
//    data;
//  - the chart exposes its shape and its samples (TChartAccessible).
// After a press, announceValue() makes the focused button say the parameter's new value.
#pragma once

class QString;

// Registers the interfaces above; call once, before the window is created.
void installAccessibility();

// Has the focused button report `text` ("P0 21") as a description change, which a screen reader
// speaks at once, also when the text is the same as last time. The button's own description
// returns when the focus leaves it. Does nothing when the focus is not on one of the buttons.
void announceValue(const QString &text);
