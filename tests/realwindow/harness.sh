# SPDX-License-Identifier: MIT
# shellcheck shell=bash
# Sourced by every test and benchmark that needs a real window system:
# starts what its caller asks for in a private folder, remembers each
# process and stops them all in harness_stop, which the caller calls from a
# trap of its own.
set -eEuo pipefail
# A command that stops a test under set -e says so, wherever it was. Inside
# a command substitution a failure may be the answer sought; one that stops
# the test fails its assignment too, and is told of there.
trap 'harness_status=$?; [ "$BASH_SUBSHELL" -gt 0 ] ||
    echo "FAIL: \"$BASH_COMMAND\" ended with status $harness_status at line $LINENO of ${BASH_SOURCE[0]##*/}" >&2' ERR
harness_dir=$(mktemp -d)
chmod 0700 "$harness_dir"
harness_pids=()

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# wait_for WHAT COMMAND...: COMMAND retried for up to ten seconds.
wait_for() {
    local what=$1
    shift
    for _ in $(seq 100); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    fail "timed out waiting for $what"
}

process_gone() { ! kill -0 "$1" 2>/dev/null; }

# spawn LOG COMMAND...: in the background, its output in LOG; its id in $spawned.
spawn() {
    local log=$harness_dir/$1
    shift
    "$@" >"$log" 2>&1 &
    spawned=$!
    harness_pids+=("$spawned")
}

harness_stop() {
    [ -z "${WINEPREFIX:-}" ] || wineserver --kill 2>/dev/null || true
    if [ ${#harness_pids[@]} -gt 0 ]; then
        kill "${harness_pids[@]}" 2>/dev/null || true
        wait "${harness_pids[@]}" 2>/dev/null || true
    fi
    # The accessibility bus's daemon goes with its launcher.
    local display=${DISPLAY:-}
    for _ in $(seq 50); do [ -S "$harness_dir/at-spi/bus_${display#:}" ] || break; sleep 0.1; done
    rm -rf "$harness_dir"
}

# A runtime folder and a session bus of our own, as a desktop session gives
# its programs: the tester's must stay untouched.
start_bus() {
    export XDG_RUNTIME_DIR=$harness_dir
    spawn bus.log dbus-daemon --session --nofork --print-address=3 3>"$harness_dir/bus"
    wait_for "the session bus" test -s "$harness_dir/bus"
    DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$harness_dir/bus")
    export DBUS_SESSION_BUS_ADDRESS
}

# An X server on a display it picks itself; -noreset, lest it reset when
# xdpyinfo leaves and refuse the window manager connecting at that moment.
start_display() {
    spawn xvfb.log Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$harness_dir/display"
    wait_for "the X server" test -s "$harness_dir/display"
    display_pid=$spawned
    export DISPLAY=":$(cat "$harness_dir/display")"
    wait_for "the X server" xdpyinfo
}

# An X server with openbox, the one X11 window manager the tests use.
start_x11() {
    start_bus
    start_display
    spawn wm.log openbox
    (wait_for openbox bash -c "xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'") ||
        { cat "$harness_dir/wm.log" >&2; exit 1; }
    sleep 0.5
}

start_weston() {
    export XDG_RUNTIME_DIR=$harness_dir
    spawn weston.log weston --backend=headless-backend.so --socket=wayland-tillomar \
        --width=1024 --height=768 --idle-time=0
    wait_for "weston" test -S "$harness_dir/wayland-tillomar"
    # A path holds where a session sets a runtime folder of its own.
    export WAYLAND_DISPLAY=$harness_dir/wayland-tillomar XDG_SESSION_TYPE=wayland
}

# start_wine: a fresh Wine prefix on its own desktop, which draws
# every window, frames included, as Windows does; no menu entries on the
# host, no offer to download .NET or Gecko.
start_wine() {
    command -v wine >/dev/null || fail "Wine is missing: install Debian's wine package"
    start_display
    export WINEPREFIX=$harness_dir/prefix WINEARCH=win64 WINEDEBUG=-all
    export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
    export LANG=C.UTF-8 LC_ALL=C.UTF-8
    # Qt writes to the debugger, not to a pipe, where no console is attached.
    export QT_FORCE_STDERR_LOGGING=1
    # Wine hands Qt's variables to Windows programs only when named so.
    local name
    for name in $(compgen -e | grep '^QT_'); do export "WINE$name=${!name}"; done
    # The first boot goes on in the background after wineboot returns; the
    # registry is written to only once every process of it has ended.
    wine wineboot --init >"$harness_dir/wineboot.log" 2>&1 && wineserver --wait ||
        { cat "$harness_dir/wineboot.log" >&2; fail "wineboot failed"; }
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >>"$harness_dir/wineboot.log" 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >>"$harness_dir/wineboot.log" 2>&1
    wineserver --wait
}

# The accessibility bus and registry, where screen readers meet programs.
start_accessibility() {
    spawn launcher.log /usr/libexec/at-spi-bus-launcher --launch-immediately
    wait_for "the accessibility bus" owned "$DBUS_SESSION_BUS_ADDRESS" org.a11y.Bus
    local a11y_bus
    a11y_bus=$(dbus-send --session --print-reply=literal --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress | tr -d ' ')
    spawn registry.log /usr/libexec/at-spi2-registryd
    wait_for "the registry" owned "$a11y_bus" org.a11y.atspi.Registry
}

# owned BUS NAME: the name has an owner; asking never starts one.
owned() {
    dbus-send --bus="$1" --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner "string:$2" | grep -q 'boolean true'
}

# speech-dispatcher whose one voice writes each utterance as a line of
# $spoken; its settings, and a screen reader's, stay in the harness.
start_speech() {
    export HOME=$harness_dir/home XDG_CONFIG_HOME=$harness_dir/config
    local speechd=$XDG_CONFIG_HOME/speech-dispatcher
    spoken=$harness_dir/spoken
    mkdir -p "$HOME" "$speechd/modules"
    : >"$spoken"
    cat >"$speechd/speechd.conf" <<EOF
AddModule "record" "sd_generic" "record.conf"
DefaultModule record
LanguageDefaultModule "en" "record"
# Any output that opens without a sound card; the voice plays nothing.
AudioOutputMethod "libao"
EOF
    # sd_generic quotes the text for single quotes; "\$100" survives the shell.
    cat >"$speechd/modules/record.conf" <<EOF
GenericExecuteSynth "echo '\$DATA' >> $spoken"
AddVoice "en" "MALE1" "recorder"
EOF
    spawn speechd.log speech-dispatcher --run-single --timeout 0 --config-dir "$speechd"
    wait_for "speech-dispatcher" test -S "$XDG_RUNTIME_DIR/speech-dispatcher/speechd.sock"
}

# On X11 and Wine's desktop: the window with that caption, or of that size.
window_named() { xdotool search --onlyvisible --name "^$1\$" | head -n 1; }
window_sized() {
    local window
    for window in $(xdotool search --onlyvisible --name '' 2>/dev/null); do
        xdotool getwindowgeometry "$window" 2>/dev/null | grep -q "Geometry: $1\$" && echo "$window" && return 0
    done
    return 1
}
# X Y WIDTH HEIGHT of the window on the screen.
placement() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x = $NF} /Absolute upper-left Y/ {y = $NF}
        /Width/ {w = $NF} /Height/ {h = $NF} END {print x, y, w, h}'
}

# differing SCREEN X Y EXPECTED LEFT TOP WIDTH HEIGHT: how many pixels of the
# rectangle at LEFT,TOP of EXPECTED differ from the same rectangle at
# X+LEFT,Y+TOP of SCREEN, beyond the soft edges of glyphs.
differing() {
    local screen=$1 x=$2 y=$3 expected=$4 left=$5 top=$6 width=$7 height=$8
    convert "$screen" -crop "${width}x${height}+$((x + left))+$((y + top))" +repage "$harness_dir/actual.png"
    convert "$expected" -crop "${width}x${height}+$left+$top" +repage "$harness_dir/expected.png"
    compare -metric AE -fuzz 20% "$harness_dir/actual.png" "$harness_dir/expected.png" null: 2>&1 || true
}
