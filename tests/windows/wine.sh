#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The emulator CTest runs each cross-built test program with: under Wine, in
# a fresh prefix on its own desktop; CTest reads what the program prints.
# Usage: wine.sh PROGRAM.exe [ARGUMENTS...]
# Environment: TILLOMAR_WINE_SCALE, Windows' display scaling (1.25 for
# 125 %, 120 dots per inch); none unless given.
. "$(dirname "$0")/../realwindow/harness.sh"
trap harness_stop EXIT
start_wine
if [ -n "${TILLOMAR_WINE_SCALE:-}" ]; then
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD \
        /d "$(awk -v scale="$TILLOMAR_WINE_SCALE" 'BEGIN { print scale * 96 }')" /f >/dev/null 2>&1
    wineserver --wait
fi
status=0
wine "$@" || status=$?
exit $status
