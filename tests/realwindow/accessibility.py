# SPDX-License-Identifier: MIT
# Tillomar as AT-SPI presents it to a screen reader: the controls of the
# process's active window, in the order a reader walks them, one per line
# as "ID | ROLE | NAME | DESCRIPTION" (the form uia_reader prints on
# Windows); or, with --keys, which controls announce a changed text as the
# keys are pressed, as "ROLE | NAME", each once. Run under screen_reader.sh,
# which starts the buses.
# Usage: accessibility.py PID | accessibility.py --keys KEY...
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

ROLES = {"text": "edit", "label": "label", "image": "image", "push button": "button", "button": "button",
         "menu item": "menu item"}  # AT-SPI 2.5x calls a push button a button


def walk(node):
    yield node
    for child in (c for c in node if c is not None):
        yield from walk(child)


def tree(pid):
    application = next(a for a in pyatspi.Registry.getDesktop(0) if a is not None and a.get_process_id() == pid)
    active = [w for w in application if w is not None and w.getState().contains(pyatspi.STATE_ACTIVE)]
    if not active:
        sys.exit("no window of the process is active")
    for node in walk(active[0]):
        role = ROLES.get(node.getRoleName())
        if role and node.getState().contains(pyatspi.STATE_SHOWING):
            # Qt 6.8 names the control after its parents; Qt 6.4 not at all.
            control = (node.get_accessible_id() or "").rpartition(".")[2]
            print(f"{control} | {role} | {node.name} | {node.description}", flush=True)


def events_for(seconds):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        while GLib.MainContext.default().iteration(False):
            pass
        time.sleep(0.02)


def announced(keys):
    sources = set()

    def record(event):
        try:
            sources.add(f"{ROLES.get(event.source.getRoleName())} | {event.source.name}")
        except Exception:  # a source that went away
            pass

    pyatspi.Registry.registerEventListener(record, "object:text-changed")
    events_for(0.5)  # Tillomar learns of the listener asynchronously
    subprocess.run(["xdotool", "key", "--delay", "150", *keys], check=True)
    events_for(1)
    print(*sorted(sources), sep="\n")


if sys.argv[1] == "--keys":
    announced(sys.argv[2:])
else:
    tree(int(sys.argv[1]))
