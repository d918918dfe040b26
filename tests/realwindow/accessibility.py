# SPDX-License-Identifier: MIT
# Walks the running Tillomar as a screen reader does, through AT-SPI: the
# names, the values and their change events while a count is typed, the
# reading order, the menu keys and the about windows. Run by accessibility.sh,
# which provides the buses. Usage: accessibility.py PATH-TO-Tillomar
import os
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

ROWS = ["$100", "$50", "$20", "$10", "$5", "$2", "$1", "50c", "20c", "10c", "5c"]  # top to bottom
COLUMNS = ["Starting Amount:", "Ending Amount:"]
failures = []
events = []


def check(ok, what, detail=""):
    print(("PASS: " if ok else "FAIL: ") + what + ("" if ok or not detail else f" ({detail})"))
    if not ok:
        failures.append(what)


def until(condition, seconds=5.0):
    """Lets events arrive until the condition holds; False on time-out."""
    context = GLib.MainContext.default()
    end = time.monotonic() + seconds
    while True:
        while context.iteration(False):
            pass
        try:
            if condition():
                return True
        except Exception:  # an object that went away while asked
            pass
        if time.monotonic() > end:
            return False
        time.sleep(0.02)


def settle(seconds=0.5):
    until(lambda: False, seconds)


def key(*keys):
    subprocess.run(["xdotool", "key", "--delay", "50", *keys], check=True)


def walk(node):
    yield node
    for child in node:
        if child is not None:
            yield from walk(child)


def text_of(node):
    try:
        return node.queryText().getText(0, -1)
    except NotImplementedError:
        return None


def focused(node):
    return node.getState().contains(pyatspi.STATE_FOCUSED)


def record(event):
    try:
        events.append((event.type, event.source.name, event.source.getRoleName(), event.any_data))
    except Exception:
        events.append((event.type, None, None, None))


def application(pid):
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.get_process_id() == pid:
            return app
    return None


def main(program):
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", LC_ALL="C.UTF-8")
    tillomar = subprocess.Popen([program], env=env)
    try:
        run(tillomar)
    finally:
        tillomar.kill()
        tillomar.wait()
    print(f"{len(failures)} failed" if failures else "PASS: all")
    return 1 if failures else 0


def run(tillomar):
    app = None
    if not until(lambda: application(tillomar.pid) is not None, 15):
        check(False, "Tillomar registers with the accessibility registry")
        return
    app = application(tillomar.pid)
    tally = next((w for w in app if w.name == "Varnholt Tillomar"), None)
    check(tally is not None, "the tally window is named by its caption")
    if tally is None:
        return
    client = next(c for c in tally if c.getRoleName() != "menu bar")
    by_name = {node.name: node for node in walk(client)}
    fields = [f"{column} Number of {row}'s" for row in ROWS for column in COLUMNS]

    check(sorted(n.name for n in walk(client) if n.getRoleName() == "text") == sorted(fields),
          "the 22 count fields carry their names")
    order = ["Tillomar", *COLUMNS]
    for row in ROWS:
        for column in COLUMNS:
            order += [f"Number of {row}'s", f"{column} Number of {row}'s", f"{column} amount of {row}'s"]
    order += ["Starting Amount: total", "Ending Amount: total", "Starting Amount:", "Summary, Starting Amount",
              " - Ending Amount:", "Summary, Ending Amount", "Total:", "Total"]
    shown = [child.name for child in client]
    check(shown == order, "the window reads in screen order", f"got {shown}")
    marks = [n for n in walk(tally) if n.getRoleName() == "invalid" or n.name in ("=", "$")]
    check(not marks, "rules, panels and signs are not in the tree", f"{len(marks)} found")
    check(by_name.get("Tillomar") is not None and by_name["Tillomar"].getRoleName() == "image",
          "the banner is named Tillomar")

    first = by_name[fields[0]]
    amount, total = by_name["Starting Amount: amount of $100's"], by_name["Total"]
    if not until(lambda: focused(first)):
        subprocess.run(["xdotool", "search", "--name", "^Varnholt Tillomar$", "windowactivate", "--sync"])
    check(until(lambda: focused(first)), "the caret starts in the starting $100 field")

    kinds = ["object:text-changed", "object:property-change:accessible-description"]
    pyatspi.Registry.registerEventListener(record, *kinds)
    settle()  # Tillomar learns of the listeners asynchronously
    events.clear()
    key("5")
    check(until(lambda: text_of(total) == "-500"), "typing 5 shows the Total -500", f"Total {text_of(total)!r}")
    settle()
    check(text_of(amount) == "500", "the amount reads 500", f"{text_of(amount)!r}")
    check(any(e[0].startswith("object:text-changed:insert") and e[1] == "Total" and e[3] == "-500" for e in events),
          "the Total's change is announced")
    print(f"events on the first keystroke: {len(events)}")

    events.clear()
    key("0")
    check(until(lambda: text_of(total) == "-5000"), "typing 0 makes it -5000", f"Total {text_of(total)!r}")
    settle()
    check(text_of(amount) == "5000", "the amount reads 5000", f"{text_of(amount)!r}")
    spurious = [e for e in events if e[0].startswith("object:text-changed") and e[2] == "text" and e[1] != fields[0]]
    check(not spurious, "a keystroke raises no text events from fields it did not change", f"{len(spurious)} events")
    heard = [e[3] for e in events if e[0].endswith("accessible-description") and e[1] == fields[0]]
    check(first.description == "Amount 5000, Total -5000" and len(heard) == 1,
          "the field tells its amount and the Total, once", f"{first.description!r}, {len(heard)} events")
    print(f"events on a later keystroke: {len(events)}")
    pyatspi.Registry.deregisterEventListener(record, *kinds)

    second = by_name[fields[2]]
    key("Tab")
    check(until(lambda: focused(second) and second.description == "Amount 0, Total -5000"),
          "the next field tells its values when it takes the focus", f"{second.description!r}")

    menu = next(n for n in walk(tally) if n.getRoleName() == "menu item" and n.name == "About")
    popup_open = lambda: any(n.getRoleName() == "popup menu" and n.getState().contains(pyatspi.STATE_SHOWING)
                             for n in walk(menu))
    key("F10")
    check(until(popup_open), "F10 opens the About menu")
    items = [n for n in walk(menu) if n.getRoleName() == "menu item" and n is not menu]
    check([n.name for n in items] == ["About Tillomar", "About Varnholt"]
          and all(n.queryAction().getKeyBinding(0) == "" for n in items),
          "its entries have no access key and no shortcut")
    key("Escape")
    check(until(lambda: not popup_open() and focused(second)), "Escape closes it and gives the field its focus back")

    for steps, name, caption_check in ((["Return"], "About Tillomar", "Tillomar"),
                                       (["Down", "Return"], "About Varnholt", "Varnholt")):
        key("F10", *steps)
        about = lambda: next((w for w in app if w is not None and w.name == name), None)
        check(until(lambda: about() is not None), f"the window {name!r} is named for a reader")
        window = about()
        if window is None:
            continue
        titles = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", f"^{name}$"],
                                capture_output=True, text=True).stdout
        check(not titles.strip(), f"{name!r} keeps its empty caption")
        check(any(n.name == caption_check for n in walk(window)), f"{name!r} shows {caption_check!r} by name")
        key("Escape")
        check(until(lambda: about() is None), f"Escape closes {name!r}")


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
