#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the build into a scratch root and compares the tree with the files
# a desktop needs; each icon must have the size its theme folder names.
# usage: install_tree.sh build-dir scratch-root expected-files
set -euo pipefail
build=$1 root=$2 expected=$3

rm -rf "$root"
DESTDIR="$root" cmake --install "$build" --prefix /usr >/dev/null

diff -u <(grep -v '^#' "$expected" | LC_ALL=C sort) \
    <(cd "$root" && find . ! -type d | sed 's|^\./||' | LC_ALL=C sort)

[ -x "$root/usr/bin/Tillomar" ] || { echo "usr/bin/Tillomar is not executable" >&2; exit 1; }

png_size() { # width and height from the IHDR chunk
    od -An -tu1 -j16 -N8 "$1" | awk '{ print $1*16777216 + $2*65536 + $3*256 + $4 "x" $5*16777216 + $6*65536 + $7*256 + $8 }'
}
for icon in "$root"/usr/share/icons/hicolor/*/apps/*.png; do
    folder=$(basename "$(dirname "$(dirname "$icon")")") # 16x16 or 16x16@2
    size=${folder%%x*}
    [[ $folder == *@2 ]] && size=$((size * 2))
    actual=$(png_size "$icon")
    [ "$actual" = "${size}x${size}" ] || { echo "$folder holds a $actual icon" >&2; exit 1; }
done
echo "install tree: $(grep -vc '^#' "$expected") files as expected"
