// Start-up benchmark, timed from the X server's side: spawns each program as a whole process,
// alternating between them round by round (after warm-up rounds that aren't counted), and times
// from the spawn to the first read-back of the program's window that holds its first picture.
// The program is then killed; its teardown is not timed. Also reports the processor time and
// peak resident memory the process used up to then (wait4's rusage), each as median [min-max],
// with the ratios of the first program's medians to every other's.
//
// This process stays connected to the X server for the whole run, so the server never resets
// between programs. It reads the window back each time the server reports it drawn into (the
// DAMAGE extension), so it uses no processor time while the program starts.
//
// usage: bench_startup ROUNDS WARMUP NAME=PICTURE:PROGRAM[:ARG]...
//   PICTURE is what the window must show before the clock stops:
//     curve   red pixels (the curve) in a band across the middle of the window
//     text    dark ink in the top left corner (a line of text) on a painted background
//     fill    the middle band painted one colour, the window's background (not the server's)
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

namespace {

constexpr double DeadlineMs = 10000;
constexpr int RaisedNice = -10;

struct Program {
    std::string name, picture, path, arg;
    std::vector<double> ms, cpuMs, mb;
};

struct Run {
    double ms, cpuMs, mb;
};

double now()
{
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

[[noreturn]] void fail(const std::string &what)
{
    std::fprintf(stderr, "bench_startup: %s\n", what.c_str());
    std::exit(1);
}

// A read-back of a window that is being unmapped fails with BadMatch; the next poll tells.
bool g_xError = false;
int onXError(Display *, XErrorEvent *)
{
    g_xError = true;
    return 0;
}

struct Rgb {
    int r, g, b;
};

Rgb rgbAt(XImage *img, int x, int y)
{
    const unsigned long p = XGetPixel(img, x, y);
    return {int((p & img->red_mask) >> 16), int((p & img->green_mask) >> 8), int(p & img->blue_mask)};
}

// Reads the band [y, y + h) × [x, x + w) of the window; null when the read-back failed.
XImage *band(Display *dpy, Window win, int x, int y, int w, int h)
{
    g_xError = false;
    XImage *img = XGetImage(dpy, win, x, y, unsigned(w), unsigned(h), AllPlanes, ZPixmap);
    XSync(dpy, False);
    if (g_xError && img) {
        XDestroyImage(img);
        return nullptr;
    }
    return img;
}

bool holdsPicture(Display *dpy, Window win, int w, int h, const std::string &picture)
{
    if (picture == "curve") {
        XImage *img = band(dpy, win, 0, h / 2 - 4, w, 8);
        if (!img)
            return false;
        int red = 0;
        for (int y = 0; y < img->height; ++y)
            for (int x = 0; x < img->width; ++x) {
                const Rgb c = rgbAt(img, x, y);
                red += c.r > 200 && c.g < 60 && c.b < 60;
            }
        XDestroyImage(img);
        return red >= 8;
    }
    if (picture == "text") {
        XImage *img = band(dpy, win, 0, 0, std::min(w, 300), 20);
        if (!img)
            return false;
        int ink = 0;
        const Rgb bg = rgbAt(img, img->width - 1, img->height - 1);
        for (int y = 0; y < img->height; ++y)
            for (int x = 0; x < img->width; ++x) {
                const Rgb c = rgbAt(img, x, y);
                ink += c.r < 100 && c.g < 100 && c.b < 100;
            }
        XDestroyImage(img);
        return ink >= 40 && bg.r > 100;   // the server's own background is black
    }
    if (picture == "fill") {
        XImage *img = band(dpy, win, 0, h / 2 - 4, w, 8);
        if (!img)
            return false;
        const Rgb bg = rgbAt(img, 0, 0);
        bool same = bg.r > 100;
        for (int y = 0; same && y < img->height; ++y)
            for (int x = 0; same && x < img->width; ++x) {
                const Rgb c = rgbAt(img, x, y);
                same = c.r == bg.r && c.g == bg.g && c.b == bg.b;
            }
        XDestroyImage(img);
        return same;
    }
    fail("unknown picture " + picture);
}

// Waits for the next event of the connection, up to the deadline `until`.
bool nextEvent(Display *dpy, XEvent &ev, double until)
{
    while (!XPending(dpy)) {
        const double left = until - now();
        if (left <= 0)
            return false;
        pollfd pfd{ConnectionNumber(dpy), POLLIN, 0};
        poll(&pfd, 1, int(left) + 1);
    }
    XNextEvent(dpy, &ev);
    return true;
}

int g_damageEvent = 0;

Run runOnce(Display *dpy, const Program &p)
{
    const Window root = DefaultRootWindow(dpy);
    const double start = now();
    const pid_t pid = fork();
    if (pid < 0)
        fail("fork failed");
    if (pid == 0) {
        const int devnull = open("/dev/null", O_WRONLY);
        dup2(devnull, STDOUT_FILENO);
        close(ConnectionNumber(dpy));
        if (p.arg.empty())
            execl(p.path.c_str(), p.path.c_str(), static_cast<char *>(nullptr));
        else
            execl(p.path.c_str(), p.path.c_str(), p.arg.c_str(), static_cast<char *>(nullptr));
        std::perror(p.path.c_str());
        _exit(127);
    }
    const double deadline = start + DeadlineMs;

    // The program's window: the first top-level window it maps (override-redirect ones, such
    // as tooltips, aside).
    Window win = 0;
    XEvent ev;
    while (!win) {
        if (!nextEvent(dpy, ev, deadline)) {
            kill(pid, SIGKILL);
            fail(p.name + ": no window within the deadline");
        }
        if (ev.type == MapNotify && ev.xmap.event == root && !ev.xmap.override_redirect)
            win = ev.xmap.window;
    }
    XWindowAttributes wa;
    if (!XGetWindowAttributes(dpy, win, &wa))
        fail(p.name + ": window vanished");

    // Read the window back whenever something was drawn into it, until it holds the picture.
    // What was drawn before the damage record existed is caught by the first read.
    const Damage damage = XDamageCreate(dpy, win, XDamageReportNonEmpty);
    double ms = -1;
    for (bool drawn = true; ms < 0;) {
        if (drawn) {
            XDamageSubtract(dpy, damage, None, None);
            if (holdsPicture(dpy, win, wa.width, wa.height, p.picture))
                ms = now() - start;
        }
        if (ms < 0 && !nextEvent(dpy, ev, deadline))
            break;
        drawn = ev.type == g_damageEvent + XDamageNotify;
    }
    g_xError = false;
    XDamageDestroy(dpy, damage);   // fails harmlessly if the window is already gone
    XSync(dpy, False);
    kill(pid, SIGTERM);
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid)
        fail("wait4 failed");
    if (ms < 0)
        fail(p.name + ": its window never showed '" + p.picture + "'");
    if (!WIFSIGNALED(status) && !(WIFEXITED(status) && WEXITSTATUS(status) == 0))
        fail(p.name + " failed (status " + std::to_string(status) + ")");

    // Teardown, not timed: wait until the server has destroyed the window, so that the next
    // program starts on an empty screen.
    for (bool gone = false; !gone;) {
        if (!nextEvent(dpy, ev, now() + DeadlineMs))
            fail(p.name + ": its window outlived it");
        gone = ev.type == DestroyNotify && ev.xdestroywindow.window == win;
    }
    while (XPending(dpy))
        XNextEvent(dpy, &ev);

    const auto msOf = [](timeval t) { return double(t.tv_sec) * 1e3 + double(t.tv_usec) / 1e3; };
    return {ms, msOf(usage.ru_utime) + msOf(usage.ru_stime),
            double(usage.ru_maxrss) / 1024.0};   // ru_maxrss is in KiB
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

std::string figure(const std::vector<double> &v, const char *format)
{
    char buf[128];
    const auto [lo, hi] = std::minmax_element(v.begin(), v.end());
    std::string f = std::string(format) + " [" + format + "–" + format + "]";
    std::snprintf(buf, sizeof buf, f.c_str(), median(v), *lo, *hi);
    return buf;
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc < 4) {
        std::fputs("usage: bench_startup ROUNDS WARMUP NAME=PICTURE:PROGRAM[:ARG]...\n", stderr);
        return 1;
    }
    const int rounds = std::atoi(argv[1]), warmup = std::atoi(argv[2]);
    std::vector<Program> programs;
    for (int i = 3; i < argc; ++i) {
        const std::string arg = argv[i];
        const auto eq = arg.find('='), colon = arg.find(':', eq);
        if (eq == std::string::npos || colon == std::string::npos)
            fail("bad program: " + arg);
        Program p{arg.substr(0, eq), arg.substr(eq + 1, colon - eq - 1), arg.substr(colon + 1), {}, {}, {}, {}};
        if (const auto c = p.path.find(':'); c != std::string::npos) {
            p.arg = p.path.substr(c + 1);
            p.path.resize(c);
        }
        programs.push_back(p);
    }

    // Other work on the machine disturbs the timings less at a higher priority (which only root
    // may take; the programs inherit it). The X server is started the same way by bench/run.sh.
    const bool raised = setpriority(PRIO_PROCESS, 0, RaisedNice) == 0;
    std::fprintf(stderr, "bench_startup: %s\n",
                 raised ? "programs run at nice -10" : "programs run at normal priority (not root)");

    Display *dpy = XOpenDisplay(nullptr);
    if (!dpy)
        fail("cannot open the display");
    XSetErrorHandler(onXError);
    int damageError = 0;
    if (!XDamageQueryExtension(dpy, &g_damageEvent, &damageError))
        fail("the X server has no DAMAGE extension");
    XSelectInput(dpy, DefaultRootWindow(dpy), SubstructureNotifyMask);
    XSync(dpy, False);

    for (int round = 0; round < warmup + rounds; ++round)
        for (Program &p : programs) {
            const Run r = runOnce(dpy, p);
            if (round >= warmup) {
                p.ms.push_back(r.ms);
                p.cpuMs.push_back(r.cpuMs);
                p.mb.push_back(r.mb);
            }
        }
    XCloseDisplay(dpy);

    // a Markdown table: one row per measure, one column per program, then the ratios
    const Program &first = programs.front();
    std::printf("| %d rounds, median [min–max] |", rounds);
    for (const Program &p : programs)
        std::printf(" %s |", p.name.c_str());
    for (std::size_t i = 1; i < programs.size(); ++i)
        std::printf(" %s / %s |", first.name.c_str(), programs[i].name.c_str());
    std::printf("\n|---|");
    for (std::size_t i = 0; i < 2 * programs.size() - 1; ++i)
        std::printf("---|");
    std::printf("\n");

    const auto row = [&](const char *what, std::vector<double> Program::*values, const char *format) {
        std::printf("| %s |", what);
        for (const Program &p : programs)
            std::printf(" %s |", figure(p.*values, format).c_str());
        for (std::size_t i = 1; i < programs.size(); ++i)
            std::printf(" **%.2f** |", median(first.*values) / median(programs[i].*values));
        std::printf("\n");
    };
    row("start-up: spawn to the first picture read back from the X server, ms", &Program::ms, "%.1f");
    row("processor time up to then (user + system), ms", &Program::cpuMs, "%.1f");
    row("peak resident memory, MiB", &Program::mb, "%.1f");
    return 0;
}
