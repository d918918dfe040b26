# SPDX-License-Identifier: MIT
# Tillomar as a screen reader meets it, through AT-SPI: names, reading order,
# what is announced while a count is typed, the menu keys, the about windows.
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
    check(until(lambda: text_of(total) == "-" + sum_ and text_of(amount) == sum_), f"typing {typed} reads -{sum_}",
          f"amount {text_of(amount)!r}, Total {text_of(total)!r}")
    until(lambda: False, 0.5)


key = lambda *keys: subprocess.run(["xdotool", "key", "--delay", "50", *keys], check=True)
focused = lambda node: node.getState().contains(pyatspi.STATE_FOCUSED)
text_of = lambda node: node.queryText().getText(0, -1)
tillomar = subprocess.Popen([sys.argv[1]], env=dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", LC_ALL="C.UTF-8"))
atexit.register(tillomar.wait)
atexit.register(tillomar.kill)  # first
app = lambda: next(a for a in pyatspi.Registry.getDesktop(0) if a is not None and a.get_process_id() == tillomar.pid)
window = lambda name: next((w for w in app() if w is not None and w.name == name), None)
if not check(until(lambda: window("Varnholt Tillomar") is not None, 15), "the tally window is named by its caption"):
    sys.exit(1)
tally = window("Varnholt Tillomar")
client = next(c for c in tally if c.getRoleName() != "menu bar")
by_name = {node.name: node for node in walk(client)}
check(sorted(n.name for n in walk(client) if n.getRoleName() == "text") == sorted(FIELDS),
      "the 22 count fields carry their names")
# Rules, panels and signs have no place in it.
order = ["Tillomar", *COLUMNS]
for row in ROWS:
    for column in COLUMNS:
        order += [f"Number of {row}'s", f"{column} Number of {row}'s", f"{column} amount of {row}'s"]
order += ["Starting Amount: total", "Ending Amount: total", "Starting Amount:", "Summary, Starting Amount",
          " - Ending Amount:", "Summary, Ending Amount", "Total:", "Total"]
shown = [child.name for child in client]
check(shown == order, "the window reads in screen order", f"got {shown}")
check(client[0].name == "Tillomar" and client[0].getRoleName() == "image", "the banner is the picture named Tillomar")

first, second = by_name[FIELDS[0]], by_name[FIELDS[2]]
amount, total = by_name["Starting Amount: amount of $100's"], by_name["Total"]
subprocess.run(["xdotool", "search", "--name", "^Varnholt Tillomar$", "windowactivate", "--sync"], check=True)
check(until(lambda: focused(first)), "the caret starts in the starting $100 field")
pyatspi.Registry.registerEventListener(record, "object:text-changed", "object:property-change:accessible-description")
until(lambda: False, 0.5)  # Tillomar learns of the listener asynchronously
typing("5", "500")
check(any(e[0].startswith("object:text-changed:insert") and e[1] == "Total" and e[3] == "-500" for e in events),
      "the Total's change is announced")
typing("0", "5000")
changed = {e[1] for e in events if e[0].startswith("object:text-changed") and e[2] == "text"}
check(changed <= {FIELDS[0]}, "a keystroke raises no text events from fields it did not change", changed)
heard = [e for e in events if e[0].endswith("accessible-description") and e[1] == FIELDS[0]]
check(first.description == "Amount 5000, Total -5000" and len(heard) == 1,
      "the field tells its amount and the Total, once", f"{first.description!r}, {len(heard)} events")
key("Tab")
check(until(lambda: focused(second) and second.description == "Amount 0, Total -5000"),
      "the next field tells its values when it takes the focus", f"{second.description!r}")

menu = next(n for n in walk(tally) if n.getRoleName() == "menu item" and n.name == "About")
popup_open = lambda: any(n.getRoleName() == "popup menu" and n.getState().contains(pyatspi.STATE_SHOWING)
                         for n in walk(menu))
key("F10")
check(until(popup_open), "F10 opens the About menu")
key("Escape")
check(until(lambda: not popup_open() and focused(second)), "Escape closes it and gives the field its focus back")
for steps, name, picture in ((["Return"], "About Tillomar", "Tillomar"),
                             (["Down", "Return"], "About Varnholt", "Varnholt")):
    key("F10", *steps)
    if check(until(lambda: window(name) is not None), f"the window {name!r} is named for a reader"):
        check(any(n.name == picture for n in walk(window(name))), f"{name!r} shows {picture!r} by name")
    key("Escape")
    check(until(lambda: window(name) is None), f"Escape closes {name!r}")
print(f"{len(failures)} failed" if failures else "PASS: all")
sys.exit(1 if failures else 0)
