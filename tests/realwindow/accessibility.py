# SPDX-License-Identifier: MIT
# Tillomar as AT-SPI presents it to a screen reader.
# "tree PID": the controls of the process's active window, in the order a
# reader walks them, one per line as "ID | ROLE | NAME | DESCRIPTION" (the
# form uia_reader prints on Windows).
# "events TILLOMAR": what the tree cannot tell: which objects a keystroke
# announces as changed, and Escape on the menu.
# Run under screen_reader.sh, which starts the buses.
import atexit
import os
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

ROLES = {"text": "edit", "label": "label", "image": "image", "push button": "button", "button": "button",
         "menu item": "menu item"}  # AT-SPI 2.5x calls a push button a button
failures, events = [], []


def walk(node):
    yield node
    for child in (c for c in node if c is not None):
        yield from walk(child)


def application(pid):
    return next(a for a in pyatspi.Registry.getDesktop(0) if a is not None and a.get_process_id() == pid)


def tree(pid):
    active = [w for w in application(pid) if w is not None and w.getState().contains(pyatspi.STATE_ACTIVE)]
    if not active:
        sys.exit("no window of the process is active")
    for node in walk(active[0]):
        role = ROLES.get(node.getRoleName())
        if role and node.getState().contains(pyatspi.STATE_SHOWING):
            # Qt 6.8 names the control after its parents; Qt 6.4 not at all.
            control = (node.get_accessible_id() or "").rpartition(".")[2]
            print(f"{control} | {role} | {node.name} | {node.description}", flush=True)


def check(ok, what, detail=""):
    print(("PASS: " if ok else "FAIL: ") + what + ("" if ok or not detail else f" ({detail})"))
    if not ok:
        failures.append(what)


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


def record(event):
    try:
        events.append((event.type, event.source.name, event.source.getRoleName(), event.any_data))
    except Exception:  # a source that went away
        pass


def announced(program):
    key = lambda *keys: subprocess.run(["xdotool", "key", "--delay", "50", *keys], check=True)
    focused = lambda node: node.getState().contains(pyatspi.STATE_FOCUSED)
    text_of = lambda node: node.queryText().getText(0, -1)
    tillomar = subprocess.Popen([program], env=dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1"))
    atexit.register(tillomar.wait)
    atexit.register(tillomar.kill)  # first
    caption = os.environ["TILLOMAR_CAPTION"]
    window = lambda: next(w for w in application(tillomar.pid) if w is not None and w.name == caption)
    if not until(lambda: window() is not None, 15):
        sys.exit("no tally window")
    client = next(c for c in window() if c.getRoleName() != "menu bar")
    first, amount, total = client[4], client[5], client[-1]
    subprocess.run(["xdotool", "search", "--name", f"^{caption}$", "windowactivate", "--sync"], check=True)
    check(until(lambda: focused(first)), "the caret starts in the starting $100 field")
    pyatspi.Registry.registerEventListener(record, "object:text-changed")
    until(lambda: False, 0.5)  # Tillomar learns of the listener asynchronously

    def typing(typed, sum_):
        events.clear()
        key(typed)
        check(until(lambda: total.name == "-" + sum_ and text_of(amount) == sum_), f"typing {typed} reads -{sum_}",
              f"amount {text_of(amount)!r}, Total {total.name!r}")
        until(lambda: False, 0.5)

    typing("5", "500")
    check(any(e[0].startswith("object:text-changed:insert") and e[1] == "-500" and e[3] == "-500" for e in events),
          "the Total's change is announced")
    typing("0", "5000")
    changed = {e[1] for e in events if e[0].startswith("object:text-changed") and e[2] == "text"}
    check(changed <= {first.name}, "a keystroke raises no text events from fields it did not change", changed)

    menu = next(n for n in walk(window()) if n.getRoleName() == "menu item" and n.name == "About")
    popup_open = lambda: any(n.getRoleName() == "popup menu" and n.getState().contains(pyatspi.STATE_SHOWING)
                             for n in walk(menu))
    key("F10")
    check(until(popup_open), "F10 opens the About menu")
    key("Escape")
    check(until(lambda: not popup_open() and focused(first)), "Escape closes it and gives the field its focus back")
    sys.exit(1 if failures else 0)


if sys.argv[1] == "tree":
    tree(int(sys.argv[2]))
else:
    announced(sys.argv[2])
