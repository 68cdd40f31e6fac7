"""A session for checks through the real AT-SPI stack: its own X server (Xvfb -displayfd), the
accessibility bus and registry on the session bus the caller runs under (dbus-run-session), and
the program started with accessibility on. Waits poll with a deadline; nothing sleeps blindly."""
import os
import subprocess
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

StartWait = 20   # seconds for Xvfb, the buses and the window to come up
AppWait = 60     # seconds for the program to appear on the accessibility bus
EventWait = 10   # seconds for an event or a state a key asked for

failures = []


def check(ok, what):
    print(("PASS: " if ok else "FAIL: ") + what, flush=True)
    if not ok:
        failures.append(what)
    return ok


def run_checks(qor, out, checks):
    """Runs checks(session) in a session of its own; the exit status: 1 when a check failed."""
    session = Session(qor, out)
    try:
        checks(session)
    finally:
        session.close()
    if failures:
        print("%d check(s) failed" % len(failures))
        return 1
    return 0


def abort(what):
    print("FAIL: " + what, flush=True)
    sys.exit(1)


def pump():
    context = GLib.MainContext.default()
    while context.iteration(False):
        pass


def wait_for(condition, seconds=EventWait):
    """condition()'s first true value within `seconds`, else None; events are delivered meanwhile."""
    end = time.monotonic() + seconds
    while True:
        pump()
        value = condition()
        if value:
            return value
        if time.monotonic() > end:
            return None
        time.sleep(0.02)


class Session:
    def __init__(self, qor, out):
        self.out = out
        self.procs = []
        os.makedirs(out, exist_ok=True)
        self.env = dict(os.environ)
        for name in ("WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XAUTHORITY", "LANGUAGE"):
            self.env.pop(name, None)
        # the program's own wording, whatever language the machine speaks
        self.env.update(LC_ALL="C.UTF-8", LANG="C.UTF-8")
        self.start_x()
        self.start_a11y_bus()
        self.env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
        self.qor_log = open(os.path.join(out, "qor.log"), "w")
        self.qor = self.spawn([qor], stdout=self.qor_log, stderr=subprocess.STDOUT)

    def spawn(self, argv, **kw):
        p = subprocess.Popen(argv, env=self.env, **kw)
        self.procs.append(p)
        return p

    def start_x(self):
        read, write = os.pipe()
        log = open(os.path.join(self.out, "xvfb.log"), "w")
        # -noreset: without it the server resets when its last client leaves (the check below
        # that it answers), and a program connecting during the reset is turned away
        self.spawn(["Xvfb", "-displayfd", str(write), "-screen", "0", "1600x1000x24", "-nolisten", "tcp",
                    "-noreset"],
                   pass_fds=(write,), stdout=log, stderr=subprocess.STDOUT)
        os.close(write)
        number = b""
        end = time.monotonic() + StartWait
        while not number.endswith(b"\n") and time.monotonic() < end:
            chunk = os.read(read, 16)   # blocks until Xvfb writes or exits
            if not chunk:
                break
            number += chunk
        os.close(read)
        if not number.strip():
            abort("Xvfb did not start (see xvfb.log)")
        self.env["DISPLAY"] = ":" + number.decode().strip()
        os.environ["DISPLAY"] = self.env["DISPLAY"]
        answers = lambda: subprocess.run(["xdotool", "getdisplaygeometry"], env=self.env,
                                         capture_output=True).returncode == 0
        if not wait_for(answers, StartWait):
            abort("Xvfb does not answer on " + self.env["DISPLAY"])

    def start_a11y_bus(self):
        # One launcher only: ours, with this session's DISPLAY. Asking for the address before it
        # owns its name would make D-Bus activate a second one, and then this script (which also
        # reads the X root window's AT_SPI_BUS) and the program could end up on different buses.
        log = open(os.path.join(self.out, "at-spi.log"), "w")
        self.spawn(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"], stdout=log, stderr=subprocess.STDOUT)
        bus = ["dbus-send", "--session", "--print-reply=literal"]
        owned = lambda: "true" in subprocess.run(
            bus + ["--dest=org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus.NameHasOwner",
                   "string:org.a11y.Bus"], capture_output=True, text=True).stdout
        if not wait_for(owned, StartWait):
            abort("the accessibility bus launcher did not start (see at-spi.log)")
        address = lambda: subprocess.run(
            bus + ["--dest=org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus.GetAddress"],
            capture_output=True, text=True).stdout.strip()
        found = wait_for(address, StartWait)
        if not found:
            abort("the accessibility bus did not start (see at-spi.log)")
        # this script takes the bus from here, never from a property another launcher left behind
        os.environ["AT_SPI_BUS_ADDRESS"] = found

    def application(self):
        def applications():
            desktop = Atspi.get_desktop(0)
            apps = (desktop.get_child_at_index(i) for i in range(desktop.get_child_count()))
            return [app for app in apps if app is not None]

        def find():
            return next((app for app in applications() if app.get_name() == "qor"), None)
        # a sanitized build on a busy machine can take long to start; found, the wait ends, and
        # so it does when the program has exited
        wait_for(lambda: find() or self.qor.poll() is not None, AppWait)
        app = find()
        if app is None:
            state = "still running" if self.qor.poll() is None else "exited with %d" % self.qor.returncode
            self.qor_log.flush()
            with open(self.qor_log.name) as log:
                tail = log.read()[-2000:]
            abort("the program (%s) never appeared on the accessibility bus (applications there: %s); "
                  "its output:\n%s" % (state, [a.get_name() for a in applications()], tail))
        return app

    def key(self, *keys):
        subprocess.run(["xdotool", "key", "--clearmodifiers", *keys], env=self.env, check=True, timeout=EventWait)

    def focus_window(self):
        found = wait_for(lambda: subprocess.run(["xdotool", "search", "--name", "^QOR$"], env=self.env,
                                                capture_output=True, text=True).stdout.split(), StartWait)
        if not found:
            abort("no window titled QOR")
        subprocess.run(["xdotool", "windowfocus", "--sync", found[0]], env=self.env, check=True, timeout=EventWait)

    def close(self):
        for p in reversed(self.procs):
            if p.poll() is None:
                p.terminate()
                try:
                    p.wait(5)
                except subprocess.TimeoutExpired:
                    p.kill()
                    p.wait()


def descendants(node):
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is None:
            continue
        yield child
        yield from descendants(child)


def find(root, role, name=None):
    for node in descendants(root):
        if node.get_role() == role and (name is None or node.get_name() == name):
            return node
    return None
