# SPDX-License-Identifier: MIT
# Sourced by the real-window tests: starts a private X server with a window
# manager, and offers helpers to wait for windows and processes.
set -euo pipefail

# start_session [WINDOW-MANAGER]: openbox unless named (metacity, xfwm4).
start_session() {
    local wm=${1:-openbox}
    session_dir=$(mktemp -d)
    # A script that started processes of its own first names their clean-up.
    trap '${extra_cleanup:-true}; stop_session' EXIT
    start_bus
    start_display
    case "$wm" in
        openbox | metacity) "$wm" >"$session_dir/wm.log" 2>&1 & ;;
        # Its compositor would draw shadows around every window.
        xfwm4) xfwm4 --compositor=off >"$session_dir/wm.log" 2>&1 & ;;
        *) fail "unknown window manager $wm" ;;
    esac
    wm_pid=$!
    kill -0 "$xvfb_pid" 2>/dev/null || fail "the X server on $DISPLAY did not start"
    if ! (wait_for "$wm" bash -c "xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'"); then
        cat "$session_dir/wm.log" >&2
        exit 1
    fi
    sleep 0.5
}

# start_display: a private X server.
start_display() {
    # The server picks a free display itself, so that sessions started at
    # the same time never share one.
    # -noreset: else the server resets when xdpyinfo leaves, and refuses the
    # window manager that connects at that moment.
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$session_dir/display" >/dev/null 2>&1 &
    xvfb_pid=$!
    wait_for "X server" test -s "$session_dir/display"
    export DISPLAY=":$(cat "$session_dir/display")"
    wait_for "X server" xdpyinfo
}

# start_bus: a runtime folder and a session bus of the session's own, as a
# desktop session gives its programs; xfwm4 ends without one, and nothing
# may reach the bus of whoever runs the tests.
start_bus() {
    export XDG_RUNTIME_DIR=$session_dir
    chmod 0700 "$session_dir"
    dbus-daemon --session --nofork --print-address=3 3>"$session_dir/bus" >/dev/null 2>&1 &
    bus_pid=$!
    wait_for "the session bus" test -s "$session_dir/bus"
    DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$session_dir/bus")
    export DBUS_SESSION_BUS_ADDRESS
}

# start_accessibility: the session's accessibility bus and registry, which
# screen readers and the programs they read meet on.
start_accessibility() {
    /usr/libexec/at-spi-bus-launcher --launch-immediately 2>/dev/null &
    launcher_pid=$!
    wait_for "the accessibility bus" owned "$DBUS_SESSION_BUS_ADDRESS" org.a11y.Bus
    local a11y_bus
    a11y_bus=$(dbus-send --session --print-reply=literal --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress | tr -d ' ')
    /usr/libexec/at-spi2-registryd >/dev/null 2>&1 &
    registry_pid=$!
    wait_for "the registry" owned "$a11y_bus" org.a11y.atspi.Registry
}

# owned BUS NAME: the name has an owner; asking never starts one.
owned() {
    dbus-send --bus="$1" --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner "string:$2" | grep -q 'boolean true'
}

stop_session() {
    local pids=(${app_pid:-} ${registry_pid:-} ${launcher_pid:-} ${wm_pid:-} ${xvfb_pid:-} ${bus_pid:-})
    [ ${#pids[@]} -eq 0 ] || kill "${pids[@]}" 2>/dev/null || true
    # Gone before the next session begins; the accessibility bus's daemon
    # goes with its launcher.
    [ ${#pids[@]} -eq 0 ] || wait "${pids[@]}" 2>/dev/null || true
    for _ in $(seq 50); do [ -S "${session_dir:-}/at-spi/bus_${DISPLAY#:}" ] || break; sleep 0.1; done
    rm -rf "${session_dir:-}"
}

# wait_for WHAT COMMAND...: retries COMMAND for up to ten seconds.
wait_for() {
    local what=$1
    shift
    for _ in $(seq 100); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    echo "FAIL: timed out waiting for $what" >&2
    exit 1
}

window_named() {
    xdotool search --onlyvisible --name "^$1\$" | head -n 1
}

# Asks the window manager to close a window (Alt+F4), as its close button does.
close_window() {
    xdotool windowactivate --sync "$1" key alt+F4
}

process_gone() {
    ! kill -0 "$1" 2>/dev/null
}

fail() {
    echo "FAIL: $*" >&2
    exit 1
}
