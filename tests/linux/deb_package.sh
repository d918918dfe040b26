#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the Debian package, checks its control fields and its files, and
# unpacks it for the validators; each icon must have the size its theme
# folder names.
# usage: deb_package.sh build-dir output-dir expected-files version
set -euo pipefail
build=$1 out=$2 expected=$3 version=$4
fail() { echo "deb package: $*" >&2; exit 1; }

rm -rf "$out"
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$out" >"$out.log" 2>&1 \
    || { cat "$out.log" >&2; fail "cpack failed"; }

arch=$(dpkg --print-architecture)
deb=$out/tillomar_${version}_${arch}.deb
[ -f "$deb" ] || fail "no $(basename "$deb") among: $(ls "$out")"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = tillomar ] || fail "Package is $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version is $(field Version)"
[ "$(field Architecture)" = "$arch" ] || fail "Architecture is $(field Architecture)"
[ "$(field Section)" = utils ] || fail "Section is $(field Section)"
# The Qt libraries come from the linked program, the font from the windows.
depends=$(field Depends)
# Debian 13 names some of them for its 64-bit time (libqt6core6t64).
for package in libqt6core6 libqt6gui6 libqt6widgets6 fonts-liberation2; do
    grep -Eq "(^|, )$package(t64)?( |,|$)" <<<"$depends" || fail "Depends lacks $package: $depends"
done

# Debian's own checks: changelog, manual page, description, file modes ...
lintian --fail-on error,warning "$deb" >&2 || fail "lintian finds faults"

root=$out/root
dpkg-deb -x "$deb" "$root"
diff -u <(grep -v '^#' "$expected" | LC_ALL=C sort) \
    <(cd "$root" && find . ! -type d | sed 's|^\./||' | LC_ALL=C sort) || fail "unexpected files"
[ -x "$root/usr/bin/Tillomar" ] || fail "usr/bin/Tillomar is not executable"
for icon in "$root"/usr/share/icons/hicolor/*/apps/*.png; do
    folder=$(basename "$(dirname "$(dirname "$icon")")") # 16x16 or 16x16@2
    size=${folder%%x*}
    [[ $folder == *@2 ]] && size=$((size * 2))
    # Width and height from the IHDR chunk.
    actual=$(od -An -tu1 -j16 -N8 "$icon" | awk '{ print $3*256 + $4 "x" $7*256 + $8 }')
    [ "$actual" = "${size}x${size}" ] || fail "$folder holds a $actual icon"
done
echo "deb package: $(basename "$deb"), depends: $depends"
