#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Natively on Wayland under a tiling compositor (headless sway): every window
# floats at its designed size, the about windows with their own frame and no
# title bar of the compositor's; and closing the last window always ends the
# process, however often.
# Usage: sway.sh PATH-TO-Tillomar
. "$(dirname "$0")/session.sh"
tillomar=$1

runtime_dir=$(mktemp -d)
chmod 0700 "$runtime_dir"
stop_sway() {
    kill ${app_pid:-} ${sway_pid:-} 2>/dev/null || true
    wait ${sway_pid:-} 2>/dev/null || true
    rm -rf "$runtime_dir"
}
trap stop_sway EXIT
printf 'output * resolution 1024x768\n' >"$runtime_dir/config"
# sway refuses to run as root; as root, it runs as nobody.
as_user=()
if [ "$(id -u)" -eq 0 ]; then
    chown -R nobody:nogroup "$runtime_dir"
    as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi
"${as_user[@]}" env -i PATH="$PATH" HOME="$runtime_dir" XDG_RUNTIME_DIR="$runtime_dir" \
    WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
    sway -c "$runtime_dir/config" >"$runtime_dir/sway.log" 2>&1 &
sway_pid=$!
if ! (wait_for "sway" bash -c "ls '$runtime_dir'/sway-ipc.*.sock && test -S '$runtime_dir/wayland-1'"); then
    cat "$runtime_dir/sway.log" >&2
    exit 1
fi
export SWAYSOCK
SWAYSOCK=$(ls "$runtime_dir"/sway-ipc.*.sock)
wayland=(env -u DISPLAY XDG_RUNTIME_DIR="$runtime_dir" WAYLAND_DISPLAY="$runtime_dir/wayland-1")

# views: one line per window of the process, "floating|tiled WIDTHxHEIGHT
# TITLE-BAR-HEIGHT [focused]", the size being the window's own, without the
# compositor's decorations.
views() {
    swaymsg -t get_tree | python3 -c '
import json, sys
def walk(node, floating):
    if node.get("pid") == int(sys.argv[1]):
        w = node["window_rect"]
        print("floating" if floating else "tiled", "%dx%d" % (w["width"], w["height"]), node["deco_rect"]["height"],
              "focused" if node["focused"] else "")
    for child in node.get("nodes", []):
        walk(child, floating)
    for child in node.get("floating_nodes", []):
        walk(child, True)
walk(json.load(sys.stdin), False)' "$app_pid"
}
has_view() { views | grep -Eq -- "$1"; }
# The keys as a user presses them; the first waits until the window has
# taken the virtual keyboard.
press() { "${wayland[@]}" wtype -s 500 "$@" -s 200; }

start() {
    "${wayland[@]}" QT_QPA_PLATFORM=wayland LC_ALL=C.UTF-8 "$tillomar" 2>>"$runtime_dir/client.log" &
    app_pid=$!
    wait_for "the tally window on sway" has_view .
}

start
# The tally window's width as designed; its height adds the menu bar.
views | grep -Eq '^floating 515x4[2-9][0-9] [0-9]+ ' || fail "the tally window does not float at its size: $(views)"
for item in "" "-k Down"; do
    for _ in 1 2 3; do
        swaymsg "[pid=$app_pid title=\"^Varnholt Tillomar\$\"] focus" >/dev/null
        wait_for "the tally window to have the focus" has_view '^floating 515x.* focused$'
        # shellcheck disable=SC2086
        press -k F10 -s 300 $item -s 100 -k Return
        (wait_for "an about window" has_view "$([ -z "$item" ] && echo 380x163 || echo 396x170)") && break
    done
done
shown=$(views)
for size in 380x163 396x170; do
    grep -q "^floating $size 0 " <<<"$shown" || fail "an about window is not floating at $size with no title bar: $shown"
done
kill "$app_pid"
wait "$app_pid" 2>/dev/null || true

# The compositor closes the window, as its close key does.
for run in $(seq 20); do
    start
    swaymsg "[pid=$app_pid] kill" >/dev/null
    wait_for "Tillomar to exit after close $run" process_gone "$app_pid"
    wait "$app_pid" || fail "Tillomar exited with status $? after close $run"
done
unset app_pid
echo "PASS: under sway every window floats at its size, the about windows with no title bar; 20 closes, 20 exits"
