#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Under weston's headless backend: every window natively on Wayland (the Qt
# Test), and the platform Tillomar picks on a Wayland session: X11 through
# XWayland when an X server is reachable, Wayland when none is or when
# QT_QPA_PLATFORM asks for it.
# Usage: wayland.sh PATH-TO-tst_wayland PATH-TO-Tillomar
. "$(dirname "$0")/session.sh"

runtime_dir=$(mktemp -d)
chmod 0700 "$runtime_dir"
socket=tillomar-$$
stop_weston() {
    kill "${app_pid:-}" "${weston_pid:-}" 2>/dev/null || true
    rm -rf "$runtime_dir"
}
trap stop_weston EXIT
XDG_RUNTIME_DIR=$runtime_dir weston --backend=headless-backend.so --socket="$socket" \
    --width=1024 --height=768 --idle-time=0 >"$runtime_dir/weston.log" 2>&1 &
weston_pid=$!
wait_for "weston" test -S "$runtime_dir/$socket"
# A path, so that it holds when a session sets a runtime folder of its own.
export XDG_RUNTIME_DIR=$runtime_dir WAYLAND_DISPLAY=$runtime_dir/$socket XDG_SESSION_TYPE=wayland
unset QT_QPA_PLATFORM

env -u DISPLAY QT_QPA_PLATFORM=wayland LC_ALL=C.UTF-8 "$1" || fail "the Wayland test failed (status $?)"
kill -0 "$weston_pid" 2>/dev/null || fail "weston ended"

stop_app() {
    kill "$app_pid"
    wait "$app_pid" 2>/dev/null || true
    unset app_pid
}
# on_wayland ENV-ARGUMENTS...: Tillomar, started so, shows its tally window as
# a Wayland surface and runs on.
on_wayland() {
    env "$@" WAYLAND_DEBUG=client "$tillomar" 2>"$runtime_dir/client.log" &
    app_pid=$!
    wait_for "a Wayland tally window ($*)" \
        grep -q 'xdg_toplevel[@#][0-9]*\.set_title("Varnholt Tillomar")' "$runtime_dir/client.log"
    # The compositor finds the desktop entry, and so the icon, by this id.
    grep -q 'set_app_id("example.varnholt.Tillomar")' "$runtime_dir/client.log" || fail "a wrong Wayland app id"
    sleep 0.5
    kill -0 "$app_pid" 2>/dev/null || fail "Tillomar ended on Wayland ($*)"
    stop_app
}
tillomar=$2
on_wayland -u DISPLAY

extra_cleanup=stop_weston
start_session
"$tillomar" &
app_pid=$!
wait_for "the tally window on X11" window_named "Varnholt Tillomar"
stop_app
on_wayland QT_QPA_PLATFORM=wayland
echo "PASS: on Wayland every window survives maximize and fullscreen; X11 first, Wayland on request or as fallback"
