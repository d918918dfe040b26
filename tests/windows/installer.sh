#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Tillomar's Windows packages as a Windows user meets them, under Wine: the
# portable zip unpacked and started; the installer run silently for the
# current user, for all users and for the current user again, its shortcut
# and its entry in Apps & features, the installed program started, one copy
# left each time; neither the uninstaller nor the installer changing anything
# while Tillomar runs; an upgrade into a nested folder leaving nothing of the
# earlier copy; the uninstaller removing every file, folder and key the
# installer made, and nothing else.
# Usage: installer.sh SETUP.exe PORTABLE.zip
. "$(dirname "$0")/../realwindow/harness.sh"
trap harness_stop EXIT
setup=$1 zip=$2
start_wine
drive=$WINEPREFIX/drive_c
uninstall_key='Software\Microsoft\Windows\CurrentVersion\Uninstall'

# state: what an installation may touch: the folders programs and shortcuts
# go to, and both uninstall keys.
state() {
    (cd "$drive" && find . -path ./windows -prune -o -path '*/Temp' -prune -o -print |
        grep -E 'Programs|Program Files|Tillomar|Outer' | sort) || true
    for hive in HKCU HKLM; do
        wine reg query "$hive\\$uninstall_key" /s 2>/dev/null | tr -d '\r' || true
    done
}

# value HIVE NAME: a value of Tillomar's uninstall key.
value() {
    { wine reg query "$1\\$uninstall_key\\Tillomar" /v "$2" 2>/dev/null || true; } | tr -d '\r' |
        awk -v name="$2" '$1 == name { $1 = ""; $2 = ""; sub(/^  /, ""); print }'
}

# shows_window PROGRAM [COMMAND...]: the program, started, shows the tally
# window, which Wine's desktop gives an X window of its own; COMMAND runs
# while it shows.
shows_window() {
    wine "$1" 2>/dev/null &
    local pid=$!
    wait_for "the tally window of $1" window_named "$TILLOMAR_CAPTION"
    [ -z "${TILLOMAR_SHOT_DIR:-}" ] || import -window root "$TILLOMAR_SHOT_DIR/$(basename "${1//\\//}" .exe).png"
    "${@:2}"
    kill "$pid" 2>/dev/null || true
    wineserver --kill
    wait "$pid" 2>/dev/null || true
}

# The portable zip: the program and the licences, ready to run unpacked.
listing=$(cmake -E tar tf "$zip" | sort)
for wanted in Tillomar.exe LICENSE.txt licenses/NotoSansDisplay-OFL.txt licenses/Qt-LGPL-3.0-only.txt; do
    grep -qx "$wanted" <<<"$listing" || fail "the zip holds no $wanted"
done
! grep -vqE '^(Tillomar.exe|LICENSE.txt|licenses/|licenses/[^/]+\.txt)$' <<<"$listing" ||
    fail "the zip holds more: $(grep -vE '^(Tillomar.exe|LICENSE.txt|licenses/.*)$' <<<"$listing")"
mkdir "$drive/Portable"
(cd "$drive/Portable" && cmake -E tar xf "$zip")
shows_window 'C:\Portable\Tillomar.exe'
rm -rf "$drive/Portable"
echo "PASS: the portable zip holds the program and its licences, and runs unpacked"

before=$(state)
# Each installation takes the copy of the other scope away first.
for scope in CurrentUser AllUsers CurrentUser; do
    if [ $scope = CurrentUser ]; then hive=HKCU other=HKLM; else hive=HKLM other=HKCU; fi
    wine "$setup" /S /$scope || fail "the installer failed ($scope)"
    location=$(value $hive InstallLocation)
    [ -n "$location" ] || fail "no uninstall key in $hive"
    [ -z "$(value $other InstallLocation)" ] || fail "the copy in $(value $other InstallLocation) stays beside $location"
    installed=$(wine winepath -u "$location" 2>/dev/null | tr -d '\r')
    for pair in "DisplayName=Tillomar" "DisplayVersion=1.01" "Publisher=Varnholt" \
        "DisplayIcon=$location\\Tillomar.exe,0" "NoModify=0x1" "NoRepair=0x1" \
        "UninstallString=\"$location\\uninstall.exe\""; do
        [ "$(value $hive "${pair%%=*}")" = "${pair#*=}" ] ||
            fail "$hive uninstall ${pair%%=*} is '$(value $hive "${pair%%=*}")', not '${pair#*=}'"
    done
    size=$(($(value $hive EstimatedSize)))
    actual=$(du -sk --apparent-size "$installed" | cut -f1)
    # Apps & features shows it: the files, give or take their rounding.
    ((size <= actual && size * 100 >= actual * 99)) || fail "EstimatedSize $size KiB for $actual KiB"
    shortcuts=$(find "$drive" -name 'Tillomar.lnk' -path '*Start Menu/Programs*')
    [ "$(wc -l <<<"$shortcuts")" = 1 ] && [ -n "$shortcuts" ] || fail "Start-menu shortcuts: ${shortcuts:-none}"
    shows_window "$location\\Tillomar.exe"
    echo "PASS: installed for $scope in $location, the only copy"
done

# While Tillomar runs, neither the uninstaller nor the installer changes
# anything; silent, each ends with an exit code that says so.
unchanged_while_running() {
    local installed_state
    installed_state=$(state)
    ! wine "$location\\uninstall.exe" /S "_?=$location" || fail "the uninstaller reported success while Tillomar ran"
    ! wine "$setup" /S /CurrentUser || fail "the installer reported success over a running Tillomar"
    [ "$(state)" = "$installed_state" ] || fail "changed while Tillomar ran: $(diff <(echo "$installed_state") <(state) | grep "^[<>]")"
}
shows_window "$location\\Tillomar.exe" unchanged_while_running
echo "PASS: nothing changed while Tillomar ran (exit codes given)"

# An upgrade into a nested folder takes the earlier copy away first; the
# uninstaller takes every folder made on the way, but one that holds a file
# of the user's own.
wine "$setup" /S '/D=C:\Outer\Mid\Tillomar' || fail "the installation into C:\\Outer\\Mid\\Tillomar failed"
[ ! -e "$installed" ] || fail "the earlier copy is left in $location: $(ls "$installed")"
wine 'C:\Outer\Mid\Tillomar\uninstall.exe' /S
wineserver --wait
[ "$(state)" = "$before" ] || fail "uninstalling left: $(diff <(echo "$before") <(state) | grep "^[<>]")"
wine "$setup" /S '/D=C:\Outer\Tillomar' || fail "the installation into C:\\Outer\\Tillomar failed"
echo note >"$drive/Outer/notes.txt"
wine 'C:\Outer\Tillomar\uninstall.exe' /S
wineserver --wait
[ "$(ls "$drive/Outer")" = notes.txt ] || fail "the uninstaller left $(ls "$drive/Outer") in C:\\Outer"
echo "PASS: upgraded into a nested folder, uninstalled without a trace, a user's file kept"
