#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Tillomar.exe under Wine as a Windows user meets it: counts typed with real
# keys into fields clicked with the mouse, each click selecting the field's
# text; the amounts, totals and Total read off the screen, each control's
# rectangle compared with a picture of the window drawn with the texts
# worked out by hand (tally_picture.exe); the frame Windows draws, with a
# maximize button that grows the window while every control stays; F10 and
# Return open "About Tillomar", whose Close button closes it; an overflow's
# error box, after which the counts stay; closing the tally window while an
# about window is open leaves the process running until that one closes.
# With a locale named, only the decimals, in that locale's form.
# Usage: tally_window.sh Tillomar.exe tally_picture.exe [LOCALE]
. "$(dirname "$0")/wine.sh"
program=$1 picture=$2 locale=${3:-}
start_wine "$locale"
shots=$session_dir/shots
mkdir "$shots"

# The tally window's client area asks for its place: 10, 54 on the screen.
client_x=10 client_y=54
# Where the clicks go, worked out from the design: the middle of a count
# field, in the client area (twips / 15).
declare -A middle=([Text1]="164 97" [Text7]="420 221" [Text22]="420 187")

click() {
    local x y
    read -r x y <<<"${middle[$1]}"
    xdotool mousemove --window "$desktop" $((client_x + x)) $((client_y + y)) click 1
    sleep 0.3
}
keys() { xdotool key --delay 120 "$@"; }

# shows NAME=TEXT...: within ten seconds each control on screen looks as
# tally_picture.exe draws it with that text.
shows() {
    local attempt line name left top width height differing mismatch
    wine "$picture" "$shots/expected.png" "$@" 2>/dev/null | tr -d '\r' >"$shots/rectangles" ||
        fail "tally_picture.exe failed on $*"
    for attempt in $(seq 25); do
        import -window root "$shots/screen.png"
        mismatch=""
        while read -r name left top width height; do
            # A field's text without its frame, which Wine 10's theme draws
            # once the field has had the focus and a fresh field lacks.
            if [[ $name == Text* ]]; then
                left=$((left + 2)) top=$((top + 2)) width=$((width - 4)) height=$((height - 4))
            fi
            convert "$shots/screen.png" -crop "${width}x${height}+$((client_x + left))+$((client_y + top))" \
                +repage "$shots/actual-$name.png"
            convert "$shots/expected.png" -crop "${width}x${height}+$left+$top" +repage "$shots/expected-$name.png"
            differing=$(compare -metric AE -fuzz 20% "$shots/actual-$name.png" "$shots/expected-$name.png" null: 2>&1 ||
                true)
            [ "$differing" = 0 ] || mismatch+=" $name ($differing pixels)"
        done <"$shots/rectangles"
        [ -z "$mismatch" ] && return 0
        sleep 0.2
    done
    cp "$shots/screen.png" "${TILLOMAR_SHOT_DIR:-$shots}/failed-screen.png" 2>/dev/null || true
    cp "$shots/expected.png" "${TILLOMAR_SHOT_DIR:-$shots}/failed-expected.png" 2>/dev/null || true
    fail "not as expected:$mismatch (for $*)"
}

# window_sized WIDTHxHEIGHT: the X window Wine's desktop gives a window of
# that outer size (an about window: its client area and a 1-pixel border).
window_sized() {
    local window
    for window in $(xdotool search --onlyvisible --name '' 2>/dev/null); do
        xdotool getwindowgeometry "$window" 2>/dev/null | grep -q "Geometry: $1\$" && echo "$window" && return 0
    done
    return 1
}
product_open() { window_sized 380x163 >/dev/null; }
product_closed() { ! product_open; }

wine "$program" 2>/dev/null &
app_pid=$!
wait_for "the Wine desktop" wine_desktop
desktop=$(wine_desktop)
wait_for "the tally window" window_named "Varnholt Tillomar"
sleep 1

# The first count: every empty field reads 0 after it, and the row, both
# column totals, the summary and the Total follow.
click Text1
keys 4
shows Label42=400 Label52=0 Label64=400 Label65=0 Label67=400 Label69=0 Label70=-400
click Text7
keys 3
if [[ $locale == de_* ]]; then
    shows Label58=1,5 Label65=1,5 Label69=1,5 Label70=-398,5
    echo "PASS: the decimal comma in $locale"
    exit 0
fi
shows Label58=1.5 Label65=1.5 Label69=1.5 Label70=-398.5
# A click selects the field's text: typing replaces the 4, not adds to it.
click Text1
keys 2
shows Label42=200 Label64=200 Label67=200 Label70=-198.5
echo "PASS: counts typed into clicked fields give every amount, both totals and the Total"
[ -z "${TILLOMAR_SHOT_DIR:-}" ] || import -window root "$TILLOMAR_SHOT_DIR/tally-${locale:-C}.png"

# Maximized through the window menu, the window grows and its frame moves
# off the screen's edges; every control keeps its place in the client area.
corner() {
    xwininfo -id "$(window_named "Varnholt Tillomar")" |
        awk '/Absolute upper-left X/ {x = $NF} /Absolute upper-left Y/ {y = $NF} /Width/ {w = $NF} END {print x, y, w}'
}
read -r normal_x normal_y normal_width <<<"$(corner)"
keys alt+space x
sleep 1
read -r x y width <<<"$(corner)"
((width > normal_width)) || fail "maximizing left the window $normal_width pixels wide"
client_x=$((client_x + x - normal_x)) client_y=$((client_y + y - normal_y))
shows Label42=200 Label58=1.5 Label70=-198.5
keys alt+space r
sleep 1
client_x=10 client_y=54
shows Label70=-198.5
echo "PASS: maximized ($width pixels wide), every control keeps its place"

# F10 opens the About menu; Return takes its first entry.
keys F10 Return
wait_for "About Tillomar" product_open
about=$(window_sized 380x163)
# Its Close button, in the middle of its rectangle (4560, 2040, 975 x 255
# twips), inside the 1-pixel border.
xdotool mousemove --window "$about" 338 146 click 1
wait_for "About Tillomar to close" product_closed
echo "PASS: F10 and Return open About Tillomar, its Close button closes it"

# An overflow: the error box, then the counts as typed and no stale Total.
click Text22
keys 1 e 1 5
wait_for "the error box" window_named Tillomar
keys Return
wait_for "the error box to close" bash -c "! xdotool search --onlyvisible --name '^Tillomar\$' | grep -q ."
click Text1
shows Text22=1e15 Label81=2E+15 Label70=
echo "PASS: an overflow shows the error box and the counts stay"

# The lifetime: the tally window closes, the about window keeps the process.
keys F10 Return
wait_for "About Tillomar" product_open
xdotool windowactivate --sync "$(window_named "Varnholt Tillomar")" 2>/dev/null || click Text1
keys alt+F4
wait_for "the tally window to close" bash -c "! xdotool search --onlyvisible --name '^Varnholt Tillomar\$' | grep -q ."
sleep 1
kill -0 "$app_pid" 2>/dev/null || fail "closing the tally window ended Tillomar with an about window open"
product_open || fail "closing the tally window closed the about window"
xdotool mousemove --window "$(window_sized 380x163)" 338 146 click 1
wait_for "Tillomar to exit" process_gone "$app_pid"
wait "$app_pid" || fail "Tillomar exited with status $?"
echo "PASS: Tillomar ends when its last window closes"
