#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# A Windows program as a new Windows user meets it, under Wine: a fresh Wine
# prefix each run, on a private X server, inside a Wine desktop that draws
# every window, frames and title bars included, the way Windows does. Wine's
# menu builder is off, so nothing reaches the host's desktop menus; every
# process started is stopped on exit.
# Sourced by the Windows real-window tests (start_wine), or run as the
# emulator that CTest starts each cross-built test program with:
#   wine.sh PROGRAM.exe [ARGUMENTS...]
. "$(dirname "${BASH_SOURCE[0]}")/../realwindow/session.sh"

# start_wine [LOCALE]: the X server, the prefix and its desktop.
start_wine() {
    command -v wine >/dev/null || fail "Wine is missing: install Debian's wine package"
    session_dir=$(mktemp -d)
    trap '${extra_cleanup:-true}; stop_wine' EXIT
    start_display
    export WINEPREFIX=$session_dir/prefix WINEARCH=win64 WINEDEBUG=-all
    # No menu entries on the host; no offer to download .NET or Gecko.
    export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
    export LANG=${1:-C.UTF-8} LC_ALL=${1:-C.UTF-8}
    # Qt writes to the debugger, not to a pipe, where no console is attached.
    export QT_FORCE_STDERR_LOGGING=1
    # Wine hands Qt's variables to Windows programs only when named so, lest
    # the host's own reach them.
    local name
    for name in $(compgen -e | grep '^QT_'); do export "WINE$name=${!name}"; done
    wine wineboot --init >"$session_dir/wineboot.log" 2>&1 || { cat "$session_dir/wineboot.log" >&2; fail "wineboot failed"; }
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
    wineserver --wait
}

stop_wine() {
    [ -z "${WINEPREFIX:-}" ] || wineserver --kill 2>/dev/null || true
    stop_session
}

# wine_desktop: the X window of the Wine desktop, which every Windows window
# of the session lives in (Wine 8 names it after the desktop, Wine 10 not).
wine_desktop() {
    xdotool search --onlyvisible --name '^(Default - Wine desktop|Wine Desktop)$' | head -n 1
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    start_wine
    # CTest reads what the program prints; Wine's own chatter goes.
    status=0
    wine "$@" || status=$?
    exit $status
fi
