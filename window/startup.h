// Watches the application connect to the window system. Anything that goes wrong there (no
// such platform plugin, a display or compositor that can't be reached, no screen, a colour
// depth the styles can't draw on) ends the program with status 1 and one line on stderr that
// names the cause, the platform and the display asked for, and quotes the first thing Qt or the
// libraries under it said. QOR_DEBUG=1 prints everything they said after that line.
//
// While it watches, Qt's messages and whatever is written to stderr are held back; when start-up
// succeeds they are passed on unchanged.
#pragma once

class StartupWatch
{
public:
    StartupWatch(int argc, char **argv);
    ~StartupWatch();   // passes on what was held back

    // Call once the application exists: exits if it has no screen it can draw on.
    void checkScreens();

    StartupWatch(const StartupWatch &) = delete;
    StartupWatch &operator=(const StartupWatch &) = delete;
};
