#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Starts the real program, finds its window by caption and its class, closes
# it with the window manager and checks that the process ends.
# Usage: tally_window.sh PATH-TO-Tillomar
. "$(dirname "$0")/session.sh"
start_session

"$1" &
app_pid=$!
wait_for "the tally window" window_named "Varnholt Tillomar"
window=$(window_named "Varnholt Tillomar")
# The desktop entry's StartupWMClass, by which a task bar groups the window.
xprop -id "$window" WM_CLASS | grep -q '= "Tillomar", "Tillomar"$' || fail "WM_CLASS is $(xprop -id "$window" WM_CLASS)"
close_window "$window"
wait_for "Tillomar to exit" process_gone "$app_pid"
wait "$app_pid" || fail "Tillomar exited with status $?"
echo "PASS: closing the tally window ends Tillomar"
