#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Tillomar's Windows packages as a Windows user meets them, under Wine: the
# portable zip unpacked and started; the installer run silently for the
# current user and for all users, its shortcut and its entry in Apps &
# features, the installed program started; an upgrade into another folder
# leaving nothing of the earlier copy; the uninstaller removing every file
# and key the installer made, and nothing else.
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
        grep -E 'Programs|Program Files|Tillomar' | sort) || true
    for hive in HKCU HKLM; do
        wine reg query "$hive\\$uninstall_key" /s 2>/dev/null | tr -d '\r' || true
    done
}

# value HIVE NAME: a value of Tillomar's uninstall key.
value() {
    { wine reg query "$1\\$uninstall_key\\Tillomar" /v "$2" 2>/dev/null || true; } | tr -d '\r' |
        awk -v name="$2" '$1 == name { $1 = ""; $2 = ""; sub(/^  /, ""); print }'
}

# shows_window PROGRAM: the program, started, shows the tally window, which
# Wine's desktop gives an X window of its own.
shows_window() {
    wine "$1" 2>/dev/null &
    local pid=$!
    wait_for "the tally window of $1" window_named "$TILLOMAR_CAPTION"
    [ -z "${TILLOMAR_SHOT_DIR:-}" ] || import -window root "$TILLOMAR_SHOT_DIR/$(basename "${1//\\//}" .exe).png"
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
for scope in CurrentUser AllUsers; do
    if [ $scope = CurrentUser ]; then hive=HKCU; else hive=HKLM; fi
    wine "$setup" /S /$scope || fail "the installer failed ($scope)"
    location=$(value $hive InstallLocation)
    [ -n "$location" ] || fail "no uninstall key in $hive"
    installed=$(wine winepath -u "$location" 2>/dev/null | tr -d '\r')
    [ -f "$installed/Tillomar.exe" ] || fail "no Tillomar.exe in $location"
    [ -f "$installed/uninstall.exe" ] || fail "no uninstaller in $location"
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
    find "$drive" -name 'Tillomar.lnk' -path '*Start Menu/Programs*' | grep -q . || fail "no Start-menu shortcut"
    shows_window "$location\\Tillomar.exe"

    # An upgrade into another folder takes the earlier copy away first.
    wine "$setup" /S /$scope '/D=C:\Tillomar2' || fail "the second installation failed"
    [ ! -e "$installed" ] || fail "the earlier copy is left in $location: $(ls "$installed")"
    [ "$(value $hive InstallLocation)" = 'C:\Tillomar2' ] || fail "the key names $(value $hive InstallLocation)"
    # A file of the user's own outlives the uninstaller, and so its folder.
    echo note >"$drive/Tillomar2/notes.txt"
    wine 'C:\Tillomar2\uninstall.exe' /S
    wineserver --wait
    [ "$(ls "$drive/Tillomar2")" = notes.txt ] || fail "the uninstaller left $(ls "$drive/Tillomar2")"
    rm -rf "$drive/Tillomar2"
    [ "$(state)" = "$before" ] || fail "uninstalling left: $(diff <(echo "$before") <(state) | grep "^[<>]")"
    echo "PASS: installed for $scope in $location, upgraded, uninstalled without a trace"
done
