#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The Windows resources linked into Tillomar.exe, read back by windres,
# against the resources written out by hand: the icon group, whose entries
# give each image's size, bits and length, and the version data.
# usage: resources.sh WINDRES PROGRAM.exe EXPECTED
set -euo pipefail
"$1" -J coff -O rc -i "$2" | awk '
    /^\/\* Type: group icon/ { started = 1 }
    # A linked program keeps no memory flags; they mean nothing since Win32.
    { sub(/ MOVEABLE PURE DISCARDABLE$/, "") }
    started && NF { print }' | diff -u <(grep -v "^#" "$3") -
