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
. "$repo/tools/windows/debian.sh"

qt_version=$(installed qt6-base-dev source:Version)
compiler_version=$(installed g++-mingw-w64-x86-64-posix Version)
[ -n "$qt_version" ] || fail "the host's Qt (qt6-base-dev) is not installed"
[ -n "$compiler_version" ] || fail "MinGW-w64 (g++-mingw-w64-x86-64-posix) is not installed"
for tool in cmake ninja dpkg-source perl gcc; do
    command -v $tool >/dev/null || fail "$tool is missing: install it with ./setup windows"
done
multiarch=$(gcc -print-multiarch)
[ -d "/usr/lib/$multiarch/cmake/Qt6" ] || fail "the host's Qt is not in /usr/lib/$multiarch/cmake (gcc -print-multiarch gave '$multiarch')"

# Core, Gui, Widgets, Test and the windows platform plugin, made small, with
# the libraries they need built in from Qt's own copies. Debian's source
# lacks the Wintab header, hence no tablet events.
features=(sql network printsupport concurrent xml dbus opengl vulkan tabletevent jpeg gif
    testlib_selfcover pdf textodfwriter textmarkdownreader textmarkdownwriter graphicsview
    mdiarea calendarwidget datetimeedit dial lcdnumber splashscreen undoview wizard fontdialog
    colordialog)
options=(-static -release -optimize-size -xplatform win32-g++
    -qt-host-path /usr -nomake examples -nomake tests -nomake benchmarks
    -qt-zlib -qt-pcre -qt-libpng -qt-harfbuzz -qt-freetype -qt-doubleconversion)
for feature in "${features[@]}"; do
    # From Qt 6.8 on, the windows platform plugin needs OpenGL and the Windows
    # 11 style the graphics effects, which need the graphics view.
    case "$qt_version $feature" in 6.[0-7].*) ;; *" opengl" | *" graphicsview") continue ;; esac
    options+=(-no-feature-"$feature")
done
# A build made with other options is another build.
recipe=$(printf '%s\n' "${options[@]}" | sha256sum | cut -c1-8)

# build_qt WORK LOG: Qt built and installed into WORK/install.
build_qt() {
    local work=$1 log=$2
    echo "Building Qt $qt_version for Windows once (about 15 minutes on two cores; log in $log)" >&2
    debian_source qt6-base "$qt_version" "$work" "$log"

    mkdir "$work/build"
    (cd "$work/build" && "$work/source/configure" -prefix "$work/install" "${options[@]}" -- \
        -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-w64.cmake" \
        -DQT_HOST_PATH_CMAKE_DIR="/usr/lib/$multiarch/cmake") >>"$log" 2>&1 ||
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
}

build_once "qt-${qt_version}-mingw-${compiler_version}-$recipe" build_qt
