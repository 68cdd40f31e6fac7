#!/usr/bin/python3
"""What Orca, Debian's screen reader, says while a user works the window by keyboard: its speech
goes to its debug file (no sound device needed), read here after each key. Start, Tab, Return,
Tab, Return, then flat review of the chart. What it says is taken from the speech server, a
silent one of our own that writes each utterance to said.txt (the debug file is written late).
Run under dbus-run-session:
    orca_speech.py QOR OUTPUT_DIR"""
import os
import re
import subprocess
import sys

from atspi_session import EventWait, StartWait, abort, check, run_checks, wait_for

OrcaWait = 30   # seconds for Orca to start and take over


def main(qor, out):
    return run_checks(qor, out, lambda session: run(session, out))


def start_silent_speech(session, out):
    """A speech server of our own that speaks nowhere: Orca needs one to say anything at all."""
    conf = os.path.join(out, "speechd")
    os.makedirs(os.path.join(conf, "modules"), exist_ok=True)
    audio = 'AudioOutputMethod "alsa"\nAudioALSADevice "null"\n'
    with open(os.path.join(conf, "speechd.conf"), "w") as f:
        f.write('AddModule "silent" "sd_generic" "silent.conf"\nDefaultModule silent\n' + audio)
    with open(os.path.join(conf, "modules", "silent.conf"), "w") as f:
        # each utterance, as the speech server gets it, one line in said.txt
        f.write(r'GenericExecuteSynth "echo \'$DATA\' >> %s"' % os.path.join(out, "said.txt") + "\n"
                + 'GenericLanguage "en" "en" "utf-8"\nAddVoice "en" "MALE1" "silent"\n' + audio)
    socket = os.path.join(out, "speechd.sock")
    if os.path.exists(socket):
        os.remove(socket)
    log = open(os.path.join(out, "speechd.log"), "w")
    session.spawn(["speech-dispatcher", "-s", "-t", "0", "-c", "unix_socket", "-S", socket, "-C", conf,
                   "-L", conf], stdout=log, stderr=subprocess.STDOUT)
    if not wait_for(lambda: os.path.exists(socket), StartWait):
        abort("speech-dispatcher did not start (see speechd.log)")
    session.env["SPEECHD_ADDRESS"] = "unix_socket:" + socket


def run(session, out):
    home = os.path.join(out, "home")
    os.makedirs(home, exist_ok=True)
    debug = os.path.join(out, "orca-debug.txt")
    if os.path.exists(debug):
        os.remove(debug)
    session.env.update(HOME=home, XDG_CONFIG_HOME=os.path.join(home, "config"),
                       XDG_DATA_HOME=os.path.join(home, "data"), XDG_CACHE_HOME=os.path.join(home, "cache"),
                       XDG_RUNTIME_DIR=os.path.join(home, "run"), GSETTINGS_BACKEND="memory")
    os.makedirs(session.env["XDG_RUNTIME_DIR"], mode=0o700, exist_ok=True)
    start_silent_speech(session, out)
    session.application()
    log = open(os.path.join(out, "orca.log"), "w")
    # Orca runs once per user: one already running (the user's own) is left alone, not replaced
    others = subprocess.run(["pgrep", "-u", str(os.getuid()), "-x", "orca"], capture_output=True, text=True)
    if others.stdout.split():
        reason = "another Orca runs for this user (pid %s); it is not replaced" % " ".join(others.stdout.split())
        if os.environ.get("CI") == "true":
            abort(reason)
        print("SKIP: " + reason, flush=True)
        session.close()
        sys.exit(77)
    session.spawn(["orca", "--debug-file", debug], stdout=log, stderr=subprocess.STDOUT)

    said = os.path.join(out, "said.txt")
    if os.path.exists(said):
        os.remove(said)

    def spoken():
        """What Orca has sent to the speech server so far, an utterance a line."""
        try:
            with open(said, encoding="utf-8", errors="replace") as f:
                return [line.strip() for line in f if line.strip()]
        except FileNotFoundError:
            return []

    if not wait_for(lambda: spoken(), OrcaWait):
        abort("Orca did not start speaking (see orca.log and orca-debug.txt)")
    transcript = open(os.path.join(out, "orca-said.txt"), "w", encoding="utf-8")

    def step(title, keys, expected):
        """Presses keys (none: focuses the window), then waits for `expected` in what Orca says."""
        before = len(spoken())
        if keys:
            session.key(*keys)
        else:
            session.focus_window()
        heard = wait_for(lambda: (lambda new: new if any(expected in t for t in new) else None)(spoken()[before:]),
                         OrcaWait)
        said = heard or spoken()[before:]
        transcript.write("%s: %s\n" % (title, " | ".join(said)))
        transcript.flush()
        print("%s: Orca said %s" % (title, said), flush=True)
        return check(heard is not None, "%s: Orca says %r" % (title, expected))

    # each step waits for the last thing Orca says after that key
    if not step("start", None, "Lowers P0 by one, down to 0, and redraws the curve"):
        return
    step("Tab", ["Tab"], "Raises P0 by one, up to 50, and redraws the curve")
    step("Return", ["Return"], "notification P0 21")
    step("Tab", ["Tab"], "Raises P2 by one, up to 50, and redraws the curve")
    step("Return", ["Return"], "notification P2 11")
    # the chart: flat review reads the samples a line at a time, top (warmest Тул) down,
    # Тул then Тко: keypad 8 (KP_Up) the current line, keypad 9 (KP_Page_Up) the next
    step("flat review: current line", ["KP_Up"], "20 °C 22 °C")
    step("flat review: next line", ["KP_Page_Up"], "19 °C 23 °C")
    step("flat review: next line", ["KP_Page_Up"], "18 °C 24 °C")


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:3]))
