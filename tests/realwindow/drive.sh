#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# What only real windows prove, written once and run on the window system
# named, as the table below allows: Tillomar driven as a user drives it, by
# real keys and clicks, and read off the screen, each control's rectangle
# compared with a picture of the window drawn with the texts worked out by
# hand (form_picture).
# Usage: drive.sh SYSTEM TILLOMAR FORM-PICTURE [LOCALE]
#   Windows programs for wine. With a locale, only the decimals, in that
#   locale's form. The caption, the product's name and the app id come from
#   the build: TILLOMAR_CAPTION, TILLOMAR_NAME, TILLOMAR_APP_ID.
. "$(dirname "$0")/harness.sh"
trap harness_stop EXIT
system=$1 program=$2 picture=$3 locale=${4:-}
caption=${TILLOMAR_CAPTION:?} name=${TILLOMAR_NAME:?} app_id=${TILLOMAR_APP_ID:?}

# system   kind     scenarios
#   Left out: maximize where the window manager keeps a fixed-size window
#   as it is; on Wayland no screen to read, and under weston no window list.
systems="
openbox    x11      start typing about errorbox lifetime
metacity   x11      start about lifetime
xfwm4      x11      start about lifetime
weston     wayland  platform
sway       wayland  start about closes
wine       wine     start typing maximize about errorbox lifetime"
read -r kind scenarios < <(awk -v s="$system" '$1 == s {$1 = ""; print}' <<<"$systems")
[ -n "${kind:-}" ] || fail "no window system $system"
[ -z "$locale" ] || scenarios=typing

case $system in
    weston) start_weston; unset QT_QPA_PLATFORM DISPLAY ;;
    sway) start_sway; unset DISPLAY; export QT_QPA_PLATFORM=wayland ;;
    wine) start_wine "$locale" ;;
    *) start_x11 "$system" ;;
esac
export LC_ALL=${locale:-C.UTF-8}

# --- What differs by kind of system -----------------------------------------

launch() { # Tillomar, its process in app_pid
    case $kind in
        x11) spawn app.log "$program" ;;
        wine) spawn app.log wine "$program" ;;
        wayland) spawn app.log env WAYLAND_DEBUG=client "$program" ;;
    esac
    app_pid=$spawned
}

# window_of FORM: the window of that form on show, as the system names it.
window_of() {
    case "$kind $1" in
        "x11 Form1" | "wine Form1") window_named "$caption" ;;
        "x11 "*) for w in $(xdotool search --onlyvisible --pid "$app_pid"); do
            xdotool getwindowgeometry "$w" | grep -q "Geometry: ${size[$1]}\$" && echo "$w" && return 0; done; return 1 ;;
        "wine "*) window_sized "${frame_size[$1]}" ;;
        "wayland "*) views | grep -Eq "^floating ${size[$1]} " ;;
    esac
}
shown() { window_of "$1" >/dev/null; }
closed() { ! shown "$1"; }

# keys KEY...: pressed as a user does, on the tally window.
keys() {
    case $kind in
        wayland) swaymsg "[pid=$app_pid title=\"^$caption\$\"] focus" >/dev/null
            local args=() key
            for key; do args+=(-k "$key" -s 150); done
            wtype -s 500 "${args[@]}" ;;
        *) xdotool key --delay 120 "$@" ;;
    esac
}

# views: sway's view of each window of the process, "floating|tiled
# WIDTHxHEIGHT TITLE-BAR-HEIGHT", the size being the window's own.
views() {
    swaymsg -t get_tree | python3 -c '
import json, sys
def walk(node, floating):
    if node.get("pid") == int(sys.argv[1]):
        w = node["window_rect"]
        print("floating" if floating else "tiled", "%dx%d" % (w["width"], w["height"]), node["deco_rect"]["height"])
    for child in node.get("nodes", []):
        walk(child, floating)
    for child in node.get("floating_nodes", []):
        walk(child, True)
walk(json.load(sys.stdin), False)' "$app_pid"
}

# draw FORM NAME=TEXT...: form_picture as the system runs it, into
# $harness_dir/FORM.png; the window's place in its frame, its sizes and
# each named control's rectangle into in_frame, size, frame_size, rect.
declare -A in_frame size frame_size rect
draw() {
    local form=$1 line
    shift
    if [ $kind = wine ]; then
        wine "$picture" "$form" "$harness_dir/$form.png" "$@" 2>/dev/null
    else
        QT_QPA_PLATFORM=offscreen "$picture" "$form" "$harness_dir/$form.png" "$@" 2>/dev/null
    fi | tr -d '\r' >"$harness_dir/rectangles" || fail "form_picture failed on $form $*"
    while read -r -a line; do
        if [ "${line[0]}" = window ]; then
            in_frame[$form]="${line[1]} ${line[2]}" size[$form]=${line[3]}x${line[4]}
            frame_size[$form]=${line[5]}x${line[6]}
        else
            rect[${line[0]}]="${line[*]:1}"
        fi
    done <"$harness_dir/rectangles"
}

# origin FORM: where the window of the form lies on the screen (X Y).
origin() {
    local x y dx=0 dy=0
    read -r x y _ < <(placement "$(window_of "$1")")
    # Wine's X window holds the whole frame that Windows draws.
    [ $kind != wine ] || read -r dx dy <<<"${in_frame[$1]}"
    echo $((x + dx)) $((y + dy))
}

# shows FORM NAME=TEXT...: within five seconds each control named looks on
# screen as form_picture draws it with that text; a field by its text, not
# the frame Wine 10's theme draws once the field has had the focus.
shows() {
    local form=$1 item mismatch left top width height x y
    shift
    # The form's own name stands for the whole window.
    draw "$form" $(printf '%s\n' "$@" | grep -vx "$form")
    for _ in $(seq 25); do
        import -window root "$harness_dir/screen.png"
        read -r x y < <(origin "$form")
        mismatch=""
        for item; do
            read -r left top width height <<<"${rect[${item%%=*}]}"
            [[ $item != Text* ]] || { left=$((left + 2)) top=$((top + 2)) width=$((width - 4)) height=$((height - 4)); }
            differing=$(differing "$harness_dir/screen.png" "$x" "$y" "$harness_dir/$form.png" \
                "$left" "$top" "$width" "$height")
            [ "$differing" = 0 ] || mismatch+=" ${item%%=*} ($differing pixels)"
        done
        [ -n "$mismatch" ] || return 0
        sleep 0.2
    done
    cp "$harness_dir/screen.png" "${TILLOMAR_SHOT_DIR:-/tmp}/failed-screen.png" 2>/dev/null || true
    cp "$harness_dir/$form.png" "${TILLOMAR_SHOT_DIR:-/tmp}/failed-expected.png" 2>/dev/null || true
    fail "not as expected:$mismatch (for $*)"
}

click() { # NAME [FORM]: a click in the middle of the control
    local x y left top width height
    read -r x y < <(origin "${2:-Form1}")
    read -r left top width height <<<"${rect[$1]}"
    xdotool mousemove $((x + left + width / 2)) $((y + top + height / 2)) click 1
    sleep 0.3
}

# choose FORM: an entry of the tally window's About menu, by keyboard; on
# sway, once more should the window not have taken the keyboard yet.
choose() {
    [ $kind != x11 ] || xdotool windowactivate --sync "$(window_of Form1)"
    for _ in 1 2 3; do
        if [ "$1" = Form2 ]; then keys F10 Return; else keys F10 Down Return; fi
        (wait_for "$1" shown "$1") && return
        [ $kind = wayland ] || exit 1
    done
    exit 1
}

ends_well() { # Tillomar ends, with status 0
    wait_for "Tillomar to exit" process_gone "$app_pid"
    wait "$app_pid" || fail "Tillomar exited with status $?"
}

# --- The scenarios ----------------------------------------------------------

# The tally window at its designed size, found by its caption, and known to
# the desktop by the name the desktop entry gives.
start() {
    draw Form1
    draw Form2
    draw Form3
    launch
    wait_for "the tally window" shown Form1
    case $kind in
        x11) xprop -id "$(window_of Form1)" WM_CLASS | grep -q "= \"$name\", \"$name\"\$" ||
            fail "WM_CLASS is $(xprop -id "$(window_of Form1)" WM_CLASS)"
            xdotool getwindowgeometry "$(window_of Form1)" | grep -q "Geometry: ${size[Form1]}\$" ||
                fail "the tally window is not ${size[Form1]}: $(xdotool getwindowgeometry "$(window_of Form1)")" ;;
        wine) read -r _ _ w h < <(placement "$(window_of Form1)")
            [ "${w}x$h" = "${frame_size[Form1]}" ] || fail "the tally window's frame is ${w}x$h, not ${frame_size[Form1]}" ;;
        wayland) grep -q "set_app_id(\"$app_id\")" "$harness_dir/app.log" || fail "a wrong Wayland app id"
            views | grep -q "^floating ${size[Form1]} " || fail "the tally window does not float at its size: $(views)" ;;
    esac
    echo "PASS: the tally window shows at ${size[Form1]}"
}

# The first count: every empty field reads 0 after it, and the row, both
# column totals, the summary and the Total follow; a click selects the
# field's text, so that typing replaces it.
typing() {
    [ -n "${app_pid:-}" ] || { draw Form1; launch; wait_for "the tally window" shown Form1; sleep 1; }
    draw Form1 Text1 Text7 Text22
    click Text1
    keys 4
    shows Form1 Label42=400 Label52=0 Label64=400 Label65=0 Label67=400 Label69=0 Label70=-400
    click Text7
    keys 3
    if [ -n "$locale" ]; then
        shows Form1 Label58=1,5 Label65=1,5 Label69=1,5 Label70=-398,5
        echo "PASS: the decimal comma in $locale"
        return
    fi
    shows Form1 Label58=1.5 Label65=1.5 Label69=1.5 Label70=-398.5
    click Text1
    keys 2
    shows Form1 Label42=200 Label64=200 Label67=200 Label70=-198.5
    echo "PASS: counts typed into clicked fields give every amount, both totals and the Total"
}

# Maximized through the window menu, the window grows; every control keeps
# its place in the client area.
maximize() {
    local width normal
    read -r _ _ normal _ < <(placement "$(window_of Form1)")
    keys alt+space x
    sleep 1
    read -r _ _ width _ < <(placement "$(window_of Form1)")
    ((width > normal)) || fail "maximizing left the window $normal pixels wide"
    # The frame moves off the screen's edges; the client area keeps its place in it.
    shows Form1 Label42=200 Label58=1.5 Label70=-198.5
    keys alt+space r
    sleep 1
    shows Form1 Label70=-198.5
    echo "PASS: maximized ($width pixels wide), every control keeps its place"
}

# Both about windows from the menu: at their size with no title bar and no
# task-bar entry, drawn as designed inside a thin frame of their own; the
# menu brings the product's one window back to the front; Close closes.
about() {
    local form top
    for form in Form2 Form3; do
        choose $form
        if [ $kind = wayland ]; then
            views | grep -q "^floating ${size[$form]} 0\$" ||
                fail "$form does not float at ${size[$form]} without a title bar: $(views)"
            continue
        fi
        if [ $kind = x11 ]; then
            top=$(xprop -id "$(window_of $form)" _NET_FRAME_EXTENTS | awk -F', ' '{print $3 + 0}')
            ((top <= 2)) || fail "$form has a title bar ($top pixels)"
            xprop -id "$(window_of $form)" _NET_WM_STATE | grep -q _NET_WM_STATE_SKIP_TASKBAR ||
                fail "$form has a task-bar entry"
        fi
        rect[$form]="0 0 ${size[$form]/x/ }"
        shows $form $form
        draw $form Command1
        [ $kind != x11 ] || xdotool windowactivate --sync "$(window_of $form)"
        click Command1 $form
        wait_for "$form to close" closed $form
    done
    if [ $kind = x11 ]; then
        top=$(xprop -id "$(window_of Form1)" _NET_FRAME_EXTENTS | awk -F', ' '{print $3 + 0}')
        ((top >= 10)) || fail "the tally window has no title bar"
        # Having no owner, an about window can be covered by the tally window;
        # the menu brings it back to the front.
        choose Form2
        xdotool windowactivate --sync "$(window_of Form1)"
        wait_for "the tally window on top" on_top "$(window_of Form1)"
        choose Form2
        wait_for "the product about window on top" on_top "$(window_of Form2)"
        keys Escape
        wait_for "Form2 to close" closed Form2
    fi
    echo "PASS: both about windows open from the menu at their size without a title bar, as designed; Close closes them"
}
on_top() { [ "$(printf '%d' "$(xprop -root _NET_CLIENT_LIST_STACKING | awk '{print $NF}')")" = "$1" ]; }

# An overflow: the error box, then the counts as typed and no stale Total.
errorbox() {
    draw Form1 Text1 Text22
    click Text22
    keys 1 e 1 5
    wait_for "the error box" window_named "$name"
    keys Return
    wait_for "the error box to close" bash -c "! xdotool search --onlyvisible --name '^$name\$' | grep -q ."
    click Text1
    shows Form1 Text22=1e15 Label81=2E+15 Label70=
    echo "PASS: an overflow shows the error box and the counts stay"
}

# Closing the tally window while an about window is open leaves the process
# running until that one closes; alone, closing it ends the process.
lifetime() {
    draw Form1 Text1
    choose Form2
    xdotool windowactivate --sync "$(window_of Form1)" 2>/dev/null || click Text1
    keys alt+F4
    wait_for "the tally window to close" closed Form1
    sleep 1
    kill -0 "$app_pid" 2>/dev/null || fail "closing the tally window ended Tillomar with an about window open"
    shown Form2 || fail "closing the tally window closed the about window"
    draw Form2 Command1
    click Command1 Form2
    ends_well
    launch
    wait_for "the tally window" shown Form1
    xdotool windowactivate --sync "$(window_of Form1)" 2>/dev/null || click Text1
    keys alt+F4
    ends_well
    echo "PASS: Tillomar ends when its last window closes"
}

# The compositor closes the window, as its close key does, twenty times.
closes() {
    kill "$app_pid"
    wait "$app_pid" 2>/dev/null || true
    for run in $(seq 20); do
        launch
        wait_for "the tally window $run" shown Form1
        swaymsg "[pid=$app_pid] kill" >/dev/null
        ends_well
    done
    echo "PASS: 20 closes, 20 exits"
}

# On a Wayland session Tillomar takes X11 through XWayland when an X server
# is reachable, Wayland when none is or when QT_QPA_PLATFORM asks for it;
# every window survives maximize and fullscreen there (the Qt Test).
platform() {
    env -u DISPLAY QT_QPA_PLATFORM=wayland "${TILLOMAR_WAYLAND_SUITE:?}" || fail "the Wayland suite failed (status $?)"
    on_wayland() {
        launch
        wait_for "a Wayland tally window" grep -q "xdg_toplevel[@#][0-9]*\.set_title(\"$caption\")" "$harness_dir/app.log"
        grep -q "set_app_id(\"$app_id\")" "$harness_dir/app.log" || fail "a wrong Wayland app id"
        sleep 0.5
        kill -0 "$app_pid" 2>/dev/null || fail "Tillomar ended on Wayland"
        kill "$app_pid"
    }
    on_wayland
    start_display
    spawn app.log "$program"
    app_pid=$spawned
    wait_for "the tally window on X11" window_named "$caption"
    kill "$app_pid"
    export QT_QPA_PLATFORM=wayland
    on_wayland
    echo "PASS: X11 first, Wayland on request or as fallback"
}

for scenario in $scenarios; do $scenario; done
