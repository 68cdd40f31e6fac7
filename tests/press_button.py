#!/usr/bin/python3
# Presses a button of QOR through the accessibility bus, as a screen reader or switch access would:
# press_button.py NAME   (the button's accessible name, e.g. "Raise P0")
# Waits up to 15 s for QOR to appear on the bus. Exit status 0 when the press was made.
import sys
import time

import pyatspi


def find(node, name, depth=0):
    if node is None or depth > 20:
        return None
    try:
        if node.getRoleName() == "push button" and node.name == name:
            return node
        for child in node:
            found = find(child, name, depth + 1)
            if found:
                return found
    except Exception:
        pass
    return None


name = sys.argv[1]
deadline = time.time() + 15
while time.time() < deadline:
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "qor":
            button = find(app, name)
            if button:
                action = button.queryAction()
                for i in range(action.nActions):
                    if action.getName(i) in ("Press", "press", "click"):
                        sys.exit(0 if action.doAction(i) else 1)
                sys.exit(0 if action.doAction(0) else 1)
    time.sleep(0.2)
print(f"press_button: no button named {name!r} in an application named qor on the accessibility bus", file=sys.stderr)
sys.exit(1)
