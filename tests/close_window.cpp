// Asks an X window to close the way a window manager's close button does: a WM_DELETE_WINDOW
// message. real_window.sh runs with no window manager, and this xdotool's windowclose destroys
// the window outright instead, which a program can't answer with a clean exit.
//
//   close_window WINDOW_ID      (decimal or 0x hex, on $DISPLAY)
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char **argv)
{
    char *end = nullptr;
    const unsigned long window = argc == 2 ? std::strtoul(argv[1], &end, 0) : 0;
    if (argc != 2 || end == argv[1] || *end != '\0' || window == 0) {
        std::fputs("usage: close_window WINDOW_ID\n", stderr);
        return 2;
    }
    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fputs("close_window: cannot open the display\n", stderr);
        return 1;
    }
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = long(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    const Status sent = XSendEvent(display, window, False, NoEventMask, &event);
    XSync(display, False);
    XCloseDisplay(display);
    return sent ? 0 : 1;
}
