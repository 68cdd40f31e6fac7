// The one point at which every start-up benchmark program ends: the window's first paint has
// been flushed and the window system has processed it. QOR and the reference windows all use
// this, so their start-up times end at the same moment.
#pragma once

#include <functional>

class QWidget;

// Quits the event loop right after `window` (or any widget in it) is first painted and that
// paint has reached the display. `painted`, when given, is asked then whether what should be on
// screen was painted; if not, the program exits with status 2 instead of measuring a wrong thing.
void quitAfterFirstPaint(QWidget &window, std::function<bool()> painted = {});
