# SPDX-License-Identifier: MIT
# Tillomar as AT-SPI presents it, where the Orca test cannot tell: every
# field's name, the reading order, which objects a keystroke changes, and
# Escape on the menu.
# Usage: accessibility.py PATH-TO-Tillomar, under accessibility.sh (the buses)
import atexit
import os
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

ROWS = ["$100", "$50", "$20", "$10", "$5", "$2", "$1", "50c", "20c", "10c", "5c"]  # top to bottom
COLUMNS = ["Starting Amount:", "Ending Amount:"]
FIELDS = [f"{column} Number of {row}'s" for row in ROWS for column in COLUMNS]
failures, events = [], []


def check(ok, what, detail=""):
    print(("PASS: " if ok else "FAIL: ") + what + ("" if ok or not detail else f" ({detail})"))
    if not ok:
        failures.append(what)
    return ok


def until(condition, seconds=5.0):
    """Lets events arrive until the condition holds; False on time-out."""
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        while GLib.MainContext.default().iteration(False):
            pass
        try:
            if condition():
                return True
        except Exception:  # an object that went away while asked
            pass
        time.sleep(0.02)
    return False


def walk(node):
    yield node
    for child in (c for c in node if c is not None):
        yield from walk(child)


def record(event):
    try:
        events.append((event.type, event.source.name, event.source.getRoleName(), event.any_data))
    except Exception:  # a source that went away
        pass


def typing(typed, sum_):
    events.clear()
    key(typed)
    check(until(lambda: total.name == "-" + sum_ and text_of(amount) == sum_), f"typing {typed} reads -{sum_}",
          f"amount {text_of(amount)!r}, Total {total.name!r}")
    until(lambda: False, 0.5)


key = lambda *keys: subprocess.run(["xdotool", "key", "--delay", "50", *keys], check=True)
focused = lambda node: node.getState().contains(pyatspi.STATE_FOCUSED)
text_of = lambda node: node.queryText().getText(0, -1)
tillomar = subprocess.Popen([sys.argv[1]], env=dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", LC_ALL="C.UTF-8"))
atexit.register(tillomar.wait)
atexit.register(tillomar.kill)  # first
app = lambda: next(a for a in pyatspi.Registry.getDesktop(0) if a is not None and a.get_process_id() == tillomar.pid)
window = lambda name: next((w for w in app() if w is not None and w.name == name), None)
if not check(until(lambda: window(os.environ["TILLOMAR_CAPTION"]) is not None, 15), "the tally window is named by its caption"):
    sys.exit(1)
tally = window(os.environ["TILLOMAR_CAPTION"])
client = next(c for c in tally if c.getRoleName() != "menu bar")
by_name = {node.name: node for node in walk(client)}
check(sorted(n.name for n in walk(client) if n.getRoleName() == "text") == sorted(FIELDS),
      "the 22 count fields carry their names")
# Rules, panels and signs have no place in it.
# Value labels read as the numbers on show (none at load); rules, panels and
# signs have no place in it.
order = ["Tillomar", *COLUMNS]
for row in ROWS:
    for column in COLUMNS:
        order += [f"Number of {row}'s", f"{column} Number of {row}'s", ""]
order += ["", "", "Starting Amount:", "", " - Ending Amount:", "", "Total:", ""]
shown = [child.name for child in client]
check(shown == order, "the window reads in screen order", f"got {shown}")
check(client[0].name == "Tillomar" and client[0].getRoleName() == "image", "the banner is the picture named Tillomar")

first, second = by_name[FIELDS[0]], by_name[FIELDS[2]]
amount, total = client[5], client[-1]
subprocess.run(["xdotool", "search", "--name", f"^{os.environ['TILLOMAR_CAPTION']}$", "windowactivate", "--sync"], check=True)
check(until(lambda: focused(first)), "the caret starts in the starting $100 field")
pyatspi.Registry.registerEventListener(record, "object:text-changed")
until(lambda: False, 0.5)  # Tillomar learns of the listener asynchronously
typing("5", "500")
check(any(e[0].startswith("object:text-changed:insert") and e[1] == "-500" and e[3] == "-500" for e in events),
      "the Total's change is announced")
typing("0", "5000")
changed = {e[1] for e in events if e[0].startswith("object:text-changed") and e[2] == "text"}
check(changed <= {FIELDS[0]}, "a keystroke raises no text events from fields it did not change", changed)

menu = next(n for n in walk(tally) if n.getRoleName() == "menu item" and n.name == "About")
popup_open = lambda: any(n.getRoleName() == "popup menu" and n.getState().contains(pyatspi.STATE_SHOWING)
                         for n in walk(menu))
key("F10")
check(until(popup_open), "F10 opens the About menu")
key("Escape")
check(until(lambda: not popup_open() and focused(first)), "Escape closes it and gives the field its focus back")
print(f"{len(failures)} failed" if failures else "PASS: all")
sys.exit(1 if failures else 0)
