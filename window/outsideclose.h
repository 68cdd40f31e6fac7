// A window destroyed by another program (xdotool windowclose, a crashed window manager's
// clean-up) gets no close request: on X11 the program would run on with no window. This ends
// the event loop as if the window had been closed.
#pragma once

class QWidget;

void quitWhenDestroyedOutside(QWidget &window);
