#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The emulator CTest runs each cross-built test program with: under Wine, in
# a fresh prefix on its own desktop; CTest reads what the program prints.
# Usage: wine.sh PROGRAM.exe [ARGUMENTS...]
. "$(dirname "$0")/../realwindow/harness.sh"
trap harness_stop EXIT
start_wine
status=0
wine "$@" || status=$?
exit $status
