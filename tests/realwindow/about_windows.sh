#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Opens both about windows through the tally window's menu, closes the tally
# window and checks that the program goes on, that the about windows have a
# thin frame and no title bar, and that it ends once both are closed with
# their "Close" buttons, under the window manager named (openbox by default).
# Usage: about_windows.sh PATH-TO-Tillomar [WINDOW-MANAGER]
. "$(dirname "$0")/session.sh"
start_session "${2:-openbox}"

# Window sizes (the client area of the design and the window's own 1-pixel
# frame around it) and Close button centres in the window, in pixels.
product_size="380 163" product_close="337 145"
maker_size="396 170" maker_close="353 153"

# client_origin WINDOW: the X window's top-left corner on the screen.
client_origin() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x = $NF} /Absolute upper-left Y/ {y = $NF} END {print x, y}'
}

# window_sized WIDTH HEIGHT: Tillomar's visible window with that client size.
window_sized() {
    local window info
    for window in $(xdotool search --onlyvisible --pid "$app_pid" 2>/dev/null); do
        info=$(xwininfo -id "$window")
        if grep -q "Width: $1\$" <<<"$info" && grep -q "Height: $2\$" <<<"$info"; then
            echo "$window"
            return 0
        fi
    done
    return 1
}

# choose_about_item N: clicks the menu "About", then takes its Nth item.
choose_about_item() {
    local x y
    read -r x y < <(client_origin "$tally")
    xdotool mousemove $((x + 20)) $((y + 9))
    sleep 0.2
    xdotool click 1
    sleep 0.5
    for _ in $(seq "$1"); do xdotool key Down; done
    xdotool key Return
}

# pixel X Y: the colour on the screen shot at that point.
pixel() {
    convert "$shot" -format "%[pixel:p{$1,$2}]" info:
}

# The frontmost window, as a decimal id like xdotool's.
topmost() {
    printf '%d\n' "$(xprop -root _NET_CLIENT_LIST_STACKING | awk '{print $NF}')"
}
export -f topmost

# The window manager's frame above the window, in pixels (0 if it has none).
top_frame() {
    xprop -id "$1" _NET_FRAME_EXTENTS | awk -F'= ' '{split($2, e, ", "); print e[3] + 0}'
}

# gray X Y: the grey level, 0 to 255, on the screen shot at that point.
gray() {
    convert "$shot" -format "%[fx:int(255 * p{$1,$2}.intensity + 0.5)]" info:
}

"$1" &
app_pid=$!
wait_for "the tally window" window_named "Varnholt Tillomar"
tally=$(window_named "Varnholt Tillomar")

choose_about_item 1
wait_for "the product about window" window_sized $product_size
# Some window managers (xfwm4) place a new window under the pointer, which
# is on the menu.
xdotool windowmove --sync "$(window_sized $product_size)" 500 450 || true
choose_about_item 2
wait_for "the maker about window" window_sized $maker_size
product=$(window_sized $product_size)
maker=$(window_sized $maker_size)

[ "$(top_frame "$tally")" -ge 10 ] || fail "the tally window has no title bar"
for window in "$product" "$maker"; do
    [ "$(top_frame "$window")" -le 2 ] || fail "an about window has a title bar ($(top_frame "$window") pixels)"
    xprop -id "$window" _NET_WM_STATE | grep -q _NET_WM_STATE_SKIP_TASKBAR ||
        fail "an about window has a task-bar entry"
done

# The about windows have no owner: the tally window can cover them, and the
# menu item brings its one window back to the front.
xdotool windowactivate --sync "$tally"
wait_for "the tally window on top" bash -c "[ \"\$(topmost)\" = $tally ]"
choose_about_item 1
wait_for "the product about window on top" bash -c "[ \"\$(topmost)\" = $product ]"
[ "$(window_sized $product_size)" = "$product" ] || fail "a second product about window"

close_window "$tally"
wait_for "the tally window to close" bash -c "! xwininfo -id $tally 2>/dev/null | grep -q IsViewable"
sleep 0.5
kill -0 "$app_pid" 2>/dev/null || fail "closing the tally window ended Tillomar with about windows open"

# On the bare desktop, nothing lies just above each about window, where a
# title bar would be, and a dark 1-pixel frame runs round its client area.
xdotool windowmove --sync "$product" 100 100 || true
xdotool windowmove --sync "$maker" 100 400 || true
sleep 0.5
shot=$(mktemp --suffix=.png)
import -window root "$shot"
desktop=$(pixel 1020 760)
for window in "$product" "$maker"; do
    read -r x y < <(client_origin "$window")
    read -r width height < <(xwininfo -id "$window" | awk '/Width:/ {w = $NF} /Height:/ {h = $NF} END {print w, h}')
    [ "$(pixel $((x + 100)) $((y + 5)))" != "$desktop" ] || fail "an about window is not drawn"
    for above in 1 4 8 14; do
        [ "$(pixel $((x + 100)) $((y - above)))" = "$desktop" ] ||
            fail "something is drawn $above pixels above an about window"
    done
    for edge in "100 0" "0 50" "$((width - 1)) 50" "100 $((height - 1))"; do
        read -r ex ey <<<"$edge"
        [ "$(gray $((x + ex)) $((y + ey)))" -lt 100 ] || fail "no dark frame at $edge of an about window"
    done
    # Inside the frame the client area begins, in the window's own colour.
    [ "$(gray $((x + 1)) $((y + 50)))" -gt 150 ] || fail "the frame of an about window is wider than 1 pixel"
    [ "$(gray $((x + 100)) $((y + 1)))" -gt 150 ] || fail "the frame of an about window is wider than 1 pixel"
done
rm -f "$shot"

read -r x y < <(client_origin "$product")
read -r bx by <<<"$product_close"
xdotool mousemove $((x + bx)) $((y + by)) click 1
wait_for "the product about window to close" bash -c "! xwininfo -id $product 2>/dev/null | grep -q IsViewable"
sleep 0.5
kill -0 "$app_pid" 2>/dev/null || fail "Tillomar ended with the maker about window still open"

read -r x y < <(client_origin "$maker")
read -r bx by <<<"$maker_close"
xdotool mousemove $((x + bx)) $((y + by)) click 1
wait_for "Tillomar to exit" process_gone "$app_pid"
wait "$app_pid" || fail "Tillomar exited with status $?"
echo "PASS (${2:-openbox}): about windows outlive the tally window, have a thin frame and no title bar, and the last one ends Tillomar"
