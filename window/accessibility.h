// How the window presents itself to screen readers, beyond what Qt's own interfaces give:
//  - the form is a window (AT-SPI "frame", active while it has the focus) and a plain framed
//    QFrame such as the panel is a group, so a screen reader takes the buttons' focus as coming
//    from the active window;
//  - each label and the buttons on its row label and control each other (labelled-by,
//    label-for, controller-for), found by where they sit, so the designed layout needs no extra
//    data;
//  - the chart exposes its shape and its samples (TChartAccessible).
// A notice in the window (a notification, spoken by screen readers as it appears) says what a
// press did, e.g. "P0 21", every time, also when the value stayed at a bound.
#pragma once

class QString;
class QWidget;

// Registers the interfaces above; call once, before the window is created.
void installAccessibility();

// Says `text` through the notice of `window` (a form made with the interfaces above).
void announce(QWidget *window, const QString &text);
