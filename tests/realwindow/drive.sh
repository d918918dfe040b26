#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# What only real windows prove, written once and run on the window system
# named as far as it allows: Tillomar driven by real keys and clicks and read
# off the screen, each control compared with a picture of the window drawn
# with the texts worked out by hand (form_picture).
# Usage: drive.sh SYSTEM TILLOMAR FORM-PICTURE (Windows programs for wine).
# The build names the product, the caption and the app id: TILLOMAR_NAME,
# TILLOMAR_CAPTION, TILLOMAR_APP_ID.
. "$(dirname "$0")/harness.sh"
trap harness_stop EXIT
system=$1 program=$2 picture=$3
caption=${TILLOMAR_CAPTION:?} name=${TILLOMAR_NAME:?} app_id=${TILLOMAR_APP_ID:?}

# One X11 window manager, one Wayland compositor and Wine's desktop. Left
# out: maximize, where the window manager keeps the fixed-size window as it
# is; under weston, reading the screen and a list of windows.
case $system in
    openbox) kind=x11 scenarios="start typing about close server_ends"; start_x11 ;;
    weston) kind=wayland scenarios=platform; start_weston; unset QT_QPA_PLATFORM DISPLAY ;;
    wine) kind=wine scenarios="start typing maximize about close"; start_wine ;;
    *) fail "no window system $system" ;;
esac
export LC_ALL=C.UTF-8

launch() {
    case $kind in
        x11) spawn app.log "$program" ;;
        wine) spawn app.log wine "$program" ;;
        wayland) spawn app.log env WAYLAND_DEBUG=client "$program" ;;
    esac
    app_pid=$spawned
}

# window_of FORM: its window on show.
window_of() {
    case "$kind $1" in
        *" Form1") window_named "$caption" ;;
        "x11 "*) for w in $(xdotool search --onlyvisible --pid "$app_pid"); do
            xdotool getwindowgeometry "$w" | grep -q "Geometry: ${size[$1]}\$" && echo "$w" && return; done; false ;;
        *) read -r w h <<<"${size[$1]/x/ }" && window_sized $((w + 2))x$((h + 2)) ;; # a thin border
    esac
}
shown() { window_of "$1" >/dev/null; }
closed() { ! shown "$1"; }

keys() { xdotool key --delay 120 "$@"; } # KEY...: pressed as a user does

# draw FORM NAME=TEXT...: form_picture, as the system runs programs, draws
# $harness_dir/FORM.png; where the window is placed, its size and the named
# controls' rectangles go to at, size and rect.
declare -A at size rect
draw() {
    local form=$1 line
    shift
    if [ $kind = wine ]; then wine "$picture" "$form" "$harness_dir/$form.png" "$@" 2>/dev/null
    else QT_QPA_PLATFORM=offscreen "$picture" "$form" "$harness_dir/$form.png" "$@" 2>/dev/null; fi |
        tr -d '\r' >"$harness_dir/rectangles" || fail "form_picture failed on $form $*"
    while read -r -a line; do
        if [ "${line[0]}" = window ]; then
            at[$form]="${line[1]} ${line[2]}" size[$form]=${line[3]}x${line[4]}
        else
            rect[${line[0]}]="${line[*]:1}"
        fi
    done <"$harness_dir/rectangles"
}

# origin FORM: where its window lies on the screen: as the window manager
# placed it, or under Wine as placed for form_picture too.
origin() {
    if [ $kind = wine ]; then
        echo "${at[$1]}"
    else
        read -r x y _ < <(placement "$(window_of "$1")") && echo "$x $y"
    fi
}

# shows FORM NAME=TEXT...: within five seconds each control looks as drawn
# with that text (the form's own name: the whole window); a field by its
# text, not the frame Wine 10's theme draws once it has had the focus.
shows() {
    local form=$1 item mismatch left top width height x y
    shift
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
    [ -z "${TILLOMAR_SHOT_DIR:-}" ] || cp "$harness_dir/screen.png" "$harness_dir/$form.png" "$TILLOMAR_SHOT_DIR"
    fail "not as expected:$mismatch (for $*)"
}

click() { # NAME [FORM]: in the middle of the control
    local x y left top width height
    read -r x y < <(origin "${2:-Form1}")
    read -r left top width height <<<"${rect[$1]}"
    xdotool mousemove $((x + left + width / 2)) $((y + top + height / 2)) click 1
    sleep 0.3
}

# choose FORM: its entry of the About menu, by keyboard.
choose() {
    [ $kind != x11 ] || xdotool windowactivate --sync "$(window_of Form1)"
    if [ "$1" = Form2 ]; then keys F10 Return; else keys F10 Down Return; fi
    wait_for "$1" shown "$1"
}

title_bar() { xprop -id "$(window_of "$1")" _NET_FRAME_EXTENTS | awk -F', ' '{print $3 + 0}'; }

# The tally window at its designed size, found by its caption, and known to
# the desktop by the name its desktop entry gives.
start() {
    local w h
    for form in Form1 Form2 Form3; do draw $form; done
    launch
    wait_for "the tally window" shown Form1
    if [ $kind = x11 ]; then # Wine's X window holds its frame
        xprop -id "$(window_of Form1)" WM_CLASS | grep -q "= \"$name\", \"$name\"\$" ||
            fail "WM_CLASS is $(xprop -id "$(window_of Form1)" WM_CLASS)"
        read -r _ _ w h < <(placement "$(window_of Form1)")
        [ "${w}x$h" = "${size[Form1]}" ] || fail "the tally window is ${w}x$h, not ${size[Form1]}"
    fi
    echo "PASS: the tally window shows at ${size[Form1]}"
}

# The first count: every empty field reads 0 after it, and the row, both
# column totals, the summary and the Total follow; a click selects the
# field's text, so that typing replaces it.
typing() {
    draw Form1 Text1
    click Text1
    keys 4
    shows Form1 Label42=400 Label52=0 Label64=400 Label65=0 Label67=400 Label69=0 Label70=-400
    click Text1
    keys 2
    shows Form1 Label42=200 Label64=200 Label67=200 Label70=-200
    echo "PASS: counts typed into clicked fields give every amount, both totals and the Total"
}

# Maximized through the window menu, which offers it only with a maximize
# box, the window grows; restored, it shows as before. That the controls
# keep their places the tally suite shows on Wine's desktop.
maximize() {
    local normal width
    read -r _ _ normal _ < <(placement "$(window_of Form1)")
    keys alt+space x
    sleep 1
    read -r _ _ width _ < <(placement "$(window_of Form1)")
    ((width > normal)) || fail "maximizing left the window $normal pixels wide"
    keys alt+space r
    shows Form1 Label42=200 Label70=-200
    echo "PASS: maximized ($width pixels wide) and restored"
}

# Both about windows from the menu, at their size with no title bar and no
# task-bar entry, drawn as designed in a thin frame of their own; Close
# closes them.
about() {
    for form in Form2 Form3; do
        choose $form
        if [ $kind = x11 ]; then
            (($(title_bar $form) <= 2)) || fail "$form has a title bar ($(title_bar $form) pixels)"
            xprop -id "$(window_of $form)" _NET_WM_STATE | grep -q _NET_WM_STATE_SKIP_TASKBAR ||
                fail "$form has a task-bar entry"
        fi
        # Down to its button, whose look shows whether it has the focus.
        draw $form Command1
        read -r _ top _ <<<"${rect[Command1]}"
        rect[$form]="0 0 ${size[$form]%x*} $top"
        shows $form $form
        [ $kind != x11 ] || xdotool windowactivate --sync "$(window_of $form)"
        click Command1 $form
        wait_for "$form to close" closed $form
    done
    [ $kind != x11 ] || (($(title_bar Form1) >= 10)) || fail "the tally window has no title bar"
    echo "PASS: both about windows open from the menu at their size without a title bar; Close closes them"
}

# Closing the last window by the window manager's close key ends the
# process with status 0.
close() {
    xdotool windowactivate --sync "$(window_of Form1)" 2>/dev/null || true
    keys alt+F4
    wait_for "Tillomar to exit" process_gone "$app_pid"
    wait "$app_pid" || fail "Tillomar exited with status $?"
    echo "PASS: closed, exit status 0"
}

# The X server ending under it (a logout, a display server that stops) ends
# Tillomar with an exit status, about window open or not, never by a signal
# that a crash reporter would take up.
server_ends() {
    local status=0
    launch
    wait_for "the tally window" shown Form1
    choose Form2
    kill "$display_pid"
    wait "$app_pid" || status=$?
    ((status < 128)) || fail "Tillomar was killed by signal $((status - 128)) as the X server ended"
    echo "PASS: the X server ended, Tillomar exited with status $status"
}

# On a Wayland session Tillomar takes X11 through XWayland when an X server
# is reachable, Wayland when none is or when QT_QPA_PLATFORM asks for it;
# natively there every window survives maximize, fullscreen and a dragged
# size (the suite).
platform() {
    env QT_QPA_PLATFORM=wayland "${TILLOMAR_WAYLAND_SUITE:?}" || fail "the Wayland suite failed (status $?)"
    on_wayland() {
        launch
        wait_for "a Wayland tally window" grep -q "xdg_toplevel[@#][0-9]*\.set_title(\"$caption\")" "$harness_dir/app.log"
        grep -q "set_app_id(\"$app_id\")" "$harness_dir/app.log" || fail "a wrong Wayland app id"
        kill "$app_pid"
    }
    on_wayland
    start_display
    kind=x11 launch
    wait_for "the tally window on X11" window_named "$caption"
    kill "$app_pid"
    export QT_QPA_PLATFORM=wayland
    on_wayland
    echo "PASS: X11 first, Wayland on request or as fallback"
}

for scenario in $scenarios; do $scenario; done
