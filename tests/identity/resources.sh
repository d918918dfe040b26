#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The Windows resources linked into Tillomar.exe, read back by windres,
# against the resources written out by hand. Each icon image is shown by its
# bitmap header (header size, width, twice the height for the mask, planes
# and bits) and its length in 32-bit words.
# usage: resources.sh WINDRES PROGRAM.exe EXPECTED
set -euo pipefail
"$1" -J coff -O rc -i "$2" | awk '
    /^[0-9]+ 3 \/\* RT_ICON/ { icon = $1; words = 0; header = ""; next }
    icon && /^END/ { print icon " RT_ICON: " header " ..., " words " words"; icon = ""; next }
    icon && /^ +0x/ {
        gsub(/[ ,]+/, " ")
        n = split($0, word, " ")
        if (header == "") header = word[1] " " word[2] " " word[3] " " word[4]
        words += n
    }
    icon { next }
    # A linked program keeps no memory flags; they mean nothing since Win32.
    { sub(/ MOVEABLE PURE DISCARDABLE$/, "") }
    NF { print }' | diff -u <(grep -v "^#" "$3") -
