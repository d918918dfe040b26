#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Both about windows, opened from the tally window's menu under the window
# manager named (openbox by default): no title bar, no task-bar entry, a thin
# frame of their own, and the menu brings the product's one window to the front.
# Usage: about_windows.sh PATH-TO-Tillomar [WINDOW-MANAGER]
. "$(dirname "$0")/session.sh"
start_session "${2:-openbox}"

# Client sizes: the design's and the window's own 1-pixel frame around it.
product_size=380x163 maker_size=396x170

# window_sized WIDTHxHEIGHT: Tillomar's visible window with that client size.
window_sized() {
    local window
    for window in $(xdotool search --onlyvisible --pid "$app_pid" 2>/dev/null); do
        xdotool getwindowgeometry "$window" | grep -q "Geometry: $1\$" && echo "$window" && return 0
    done
    return 1
}

# choose [KEY...]: an entry of the tally window's About menu, by keyboard.
choose() { xdotool windowactivate --sync "$tally" key --delay 100 F10 "$@" Return; }

# on_top WINDOW: the window manager stacks it over all others.
on_top() { [ "$(printf '%d' "$(xprop -root _NET_CLIENT_LIST_STACKING | awk '{print $NF}')")" = "$1" ]; }

# The window manager's frame above the window, in pixels (0 if it has none).
top_frame() { xprop -id "$1" _NET_FRAME_EXTENTS | awk -F', ' '{print $3 + 0}'; }

"$1" &
app_pid=$!
wait_for "the tally window" window_named "Varnholt Tillomar"
tally=$(window_named "Varnholt Tillomar")
choose
wait_for "the product about window" window_sized "$product_size"
choose Down
wait_for "the maker about window" window_sized "$maker_size"
product=$(window_sized "$product_size") maker=$(window_sized "$maker_size")

[ "$(top_frame "$tally")" -ge 10 ] || fail "the tally window has no title bar"
for window in "$product" "$maker"; do
    [ "$(top_frame "$window")" -le 2 ] || fail "an about window has a title bar ($(top_frame "$window") pixels)"
    xprop -id "$window" _NET_WM_STATE | grep -q _NET_WM_STATE_SKIP_TASKBAR ||
        fail "an about window has a task-bar entry"
done

# The about windows have no owner: the tally window can cover them, and the
# menu brings the product's one window back to the front.
xdotool windowactivate --sync "$tally"
wait_for "the tally window on top" on_top "$tally"
choose
wait_for "the product about window on top" on_top "$product"

# On the bare desktop, with the tally window minimized (the about windows,
# having no owner, stay), each about window in the screen shot.
xdotool windowminimize --sync "$tally"
xdotool windowmove --sync "$product" 100 100 || true
xdotool windowmove --sync "$maker" 100 400 || true
sleep 0.5
shot=$session_dir/shot.png
import -window root "$shot"
# gray DX DY: the grey level, 0 to 255, in the screen shot at x+DX, y+DY.
gray() {
    convert "$shot" -format "%[fx:int(255 * p{$((x + $1)),$((y + $2))}.intensity + 0.5)]" info:
}
x=1020 y=760 desktop=$(gray 0 0)
for window in "$product $product_size" "$maker $maker_size"; do
    read -r id width height <<<"${window/x/ }"
    read -r x y < <(xwininfo -id "$id" | awk '/Absolute upper-left/ {printf "%d ", $NF} END {print ""}')
    # Nothing above it, where a title bar would be; a dark 1-pixel frame on
    # each side; the client area's own colour just inside.
    d="$desktop $desktop"
    for point in "100 -14 $d" "100 -8 $d" "100 -4 $d" "100 -1 $d" "100 0 0 99" "0 50 0 99" \
        "$((width - 1)) 50 0 99" "100 $((height - 1)) 0 99" "1 50 151 255" "100 1 151 255"; do
        read -r dx dy low high <<<"$point"
        level=$(gray "$dx" "$dy")
        ((low <= level && level <= high)) || fail "an about window is grey $level at $dx,$dy, not $low to $high"
    done
done
echo "PASS (${2:-openbox}): the about windows have no title bar, no task-bar entry and a thin frame of their own"
