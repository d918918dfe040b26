#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Under weston's headless backend: every window natively on Wayland survives
# maximize and fullscreen with its counts and layout (the Qt Test), and the
# platform the program itself picks on a Wayland session: X11 through
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
export XDG_RUNTIME_DIR=$runtime_dir WAYLAND_DISPLAY=$socket XDG_SESSION_TYPE=wayland
unset QT_QPA_PLATFORM

echo "== Every window natively on Wayland"
env -u DISPLAY QT_QPA_PLATFORM=wayland LC_ALL=C.UTF-8 "$1" || fail "the Wayland test failed (status $?)"
kill -0 "$weston_pid" 2>/dev/null || fail "weston ended"

# native_toplevel: Tillomar, started with its output in $log, shows its tally
# window as a Wayland surface and runs on.
native_toplevel() {
    wait_for "a Wayland tally window" grep -q 'xdg_toplevel@[0-9]*\.set_title("Varnholt Tillomar")' "$log"
    sleep 0.5
    kill -0 "$app_pid" 2>/dev/null || fail "Tillomar ended on Wayland"
    kill "$app_pid"
    wait "$app_pid" 2>/dev/null || true
}
log=$runtime_dir/client.log

echo "== No X server: Tillomar runs on Wayland"
env -u DISPLAY WAYLAND_DEBUG=client "$2" 2>"$log" &
app_pid=$!
native_toplevel

extra_cleanup=stop_weston
start_session

echo "== An X server too: Tillomar runs through it"
"$2" &
app_pid=$!
wait_for "the tally window on X11" window_named "Varnholt Tillomar"
close_window "$(window_named "Varnholt Tillomar")"
wait_for "Tillomar to exit" process_gone "$app_pid"
wait "$app_pid" || fail "Tillomar exited with status $?"

echo "== QT_QPA_PLATFORM=wayland: natively on Wayland, X server or not"
QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=client "$2" 2>"$log" &
app_pid=$!
native_toplevel
xdotool search --name "^Varnholt Tillomar\$" >/dev/null 2>&1 && fail "a Wayland Tillomar made an X11 window"
echo "PASS: on Wayland every window survives maximize and fullscreen; X11 first, Wayland on request or as fallback"
