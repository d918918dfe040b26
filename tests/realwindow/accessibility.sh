#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# A screen reader's view of Tillomar (accessibility.py) beside a private X
# server, with the session's own accessibility bus and registry.
# Usage: accessibility.sh PATH-TO-Tillomar
. "$(dirname "$0")/session.sh"
start_session

stop_accessibility() {
    kill ${registry_pid:-} ${launcher_pid:-} 2>/dev/null || true
    # The accessibility bus's daemon goes with its launcher; wait for it.
    for _ in $(seq 50); do [ -S "$XDG_RUNTIME_DIR/at-spi/bus_${DISPLAY#:}" ] || break; sleep 0.1; done
}
extra_cleanup=stop_accessibility

# owned BUS NAME: the name has an owner; asking never starts one.
owned() {
    dbus-send --bus="$1" --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner "string:$2" | grep -q 'boolean true'
}

/usr/libexec/at-spi-bus-launcher --launch-immediately 2>/dev/null &
launcher_pid=$!
wait_for "the accessibility bus" owned "$DBUS_SESSION_BUS_ADDRESS" org.a11y.Bus
a11y_bus=$(dbus-send --session --print-reply=literal --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress | tr -d ' ')
/usr/libexec/at-spi2-registryd >/dev/null 2>&1 &
registry_pid=$!
wait_for "the registry" owned "$a11y_bus" org.a11y.atspi.Registry

/usr/bin/python3 "$(dirname "$0")/accessibility.py" "$1"
