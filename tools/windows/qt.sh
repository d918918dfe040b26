#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Qt for Windows, built once from Debian's own qt6-base source package, the
# version of the host's Qt (whose moc, rcc and uic the cross build runs), with
# Debian's MinGW-w64. Static and only what Tillomar and its tests use. Kept in
# a cache folder keyed by both versions, so that later runs take a moment;
# only a finished build is ever put there. Prints the Qt prefix.
# Usage: tools/windows/qt.sh
# Environment: TILLOMAR_WINDOWS_CACHE, the cache folder (default
# /var/cache/tillomar/windows as root, ~/.cache/tillomar/windows otherwise).
set -euo pipefail
repo=$(cd "$(dirname "$0")/../.." && pwd)
fail() { echo "Qt for Windows: $*" >&2; exit 1; }

installed() { dpkg-query -W -f="\${$2}" "$1" 2>/dev/null || true; }
qt_version=$(installed qt6-base-dev source:Version)
compiler_version=$(installed g++-mingw-w64-x86-64-posix Version)
[ -n "$qt_version" ] || fail "the host's Qt (qt6-base-dev) is not installed"
[ -n "$compiler_version" ] || fail "MinGW-w64 (g++-mingw-w64-x86-64-posix) is not installed"
for tool in cmake ninja dpkg-source perl; do
    command -v $tool >/dev/null || fail "$tool is missing"
done

# Core, Gui, Widgets, Test and the windows platform plugin, made small, with
# the libraries they need built in from Qt's own copies. Debian's source
# lacks the Wintab header, hence no tablet events.
features=(sql network printsupport concurrent xml dbus)
# From Qt 6.8 on, the windows platform plugin needs OpenGL and the Windows 11
# style the graphics effects, which need the graphics view.
case "$qt_version" in 6.[0-7].*) features+=(opengl) ;; esac
features+=(vulkan tabletevent jpeg gif testlib_selfcover pdf textodfwriter textmarkdownreader
    textmarkdownwriter)
case "$qt_version" in 6.[0-7].*) features+=(graphicsview) ;; esac
features+=(mdiarea calendarwidget datetimeedit dial lcdnumber splashscreen undoview
    wizard fontdialog colordialog)
options=(-static -release -optimize-size -xplatform win32-g++
    -qt-host-path /usr -nomake examples -nomake tests -nomake benchmarks
    -qt-zlib -qt-pcre -qt-libpng -qt-harfbuzz -qt-freetype -qt-doubleconversion)
for feature in "${features[@]}"; do options+=(-no-feature-"$feature"); done
# A build made with other options is another build.
recipe=$(printf '%s\n' "${options[@]}" | sha256sum | cut -c1-8)

if [ "$(id -u)" -eq 0 ]; then default_cache=/var/cache/tillomar/windows
else default_cache=${XDG_CACHE_HOME:-$HOME/.cache}/tillomar/windows; fi
cache=${TILLOMAR_WINDOWS_CACHE:-$default_cache}
prefix=$cache/qt-${qt_version}-mingw-${compiler_version}-$recipe
if [ -f "$prefix/.complete" ]; then echo "$prefix"; exit 0; fi

mkdir -p "$cache"
exec 9>"$cache/.lock"
flock 9
if [ -f "$prefix/.complete" ]; then echo "$prefix"; exit 0; fi

work=$(mktemp -d "$cache/.build.XXXXXX")
trap 'rm -rf --one-file-system "$work"' EXIT
log=$work/log
started=$SECONDS
echo "Building Qt $qt_version for Windows once (about 15 minutes on two cores; log in $log)" >&2

# The source through apt's own tools, from Debian's archive, with a state
# and source list of our own: the machine's apt set-up stays as it is.
. /etc/os-release
codename=${VERSION_CODENAME:?no VERSION_CODENAME in /etc/os-release}
apt_state=$work/apt
mkdir -p "$apt_state/lists/partial"
keyring=""
for candidate in /usr/share/keyrings/debian-archive-keyring.{gpg,pgp}; do
    [ -f "$candidate" ] && keyring=$candidate && break
done
[ -n "$keyring" ] || fail "Debian's archive keyring is missing (debian-archive-keyring)"
cat >"$apt_state/sources.list" <<EOF
deb-src [signed-by=$keyring] http://deb.debian.org/debian $codename main
deb-src [signed-by=$keyring] http://deb.debian.org/debian $codename-updates main
deb-src [signed-by=$keyring] http://deb.debian.org/debian-security $codename-security main
EOF
apt_options=(-o "Dir::State::Lists=$apt_state/lists" -o "Dir::Etc::SourceList=$apt_state/sources.list"
    -o "Dir::Etc::SourceParts=$apt_state/none" -o "Dir::Cache=$apt_state/cache" -o "APT::Sandbox::User=root")
apt-get "${apt_options[@]}" -q update >"$log" 2>&1 ||
    fail "cannot reach Debian's source archive for $codename (apt-get update failed; see the end of the log below)
$(tail -5 "$log")"
(cd "$work" && apt-get "${apt_options[@]}" -q source --download-only "qt6-base=$qt_version") >>"$log" 2>&1 ||
    fail "cannot fetch Debian's qt6-base $qt_version source package
$(tail -5 "$log")"
(cd "$work" && dpkg-source -x qt6-base_*.dsc source) >>"$log" 2>&1 ||
    fail "cannot unpack the qt6-base source package
$(tail -5 "$log")"

mkdir "$work/build"
(cd "$work/build" && "$work/source/configure" -prefix "$work/install" "${options[@]}" -- \
    -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-w64.cmake" \
    -DQT_HOST_PATH_CMAKE_DIR="/usr/lib/$(gcc -print-multiarch)/cmake") >>"$log" 2>&1 ||
    fail "configuring Qt for Windows failed
$(tail -20 "$log")"
(cd "$work/build" && cmake --build . --parallel && cmake --install .) >>"$log" 2>&1 ||
    fail "building Qt for Windows failed
$(tail -20 "$log")"

# The licences of Qt and of the libraries built into it travel with every
# program linked against it, each as a text file of its own.
licences=$work/install/licenses
mkdir -p "$licences"
for licence in LGPL-3.0-only GPL-3.0-only; do
    cp "$work/source/LICENSES/$licence.txt" "$licences/Qt-$licence.txt"
done
# licence LIBRARY NAMES...: the first of the names found in its folder.
licence() {
    local folder=$work/source/src/3rdparty/$1 name
    shift
    for name; do
        [ -f "$folder/$name" ] && { cp "$folder/$name" "$licences/Qt-${folder##*/}.txt"; return; }
    done
    fail "no licence of ${folder##*/} in Qt's source"
}
licence zlib LICENSE
licence pcre2 LICENCE LICENCE.md
licence libpng LICENSE
licence harfbuzz-ng COPYING
licence freetype docs/FTL.TXT
licence double-conversion LICENSE
licence md4c LICENSE.md
touch "$work/install/.complete"
rm -rf --one-file-system "$prefix"
mv "$work/install" "$prefix"
echo "Qt for Windows built in $(((SECONDS - started) / 60)) min: $prefix" >&2
echo "$prefix"
