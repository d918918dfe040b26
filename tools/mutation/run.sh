#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Applies each fault of faults.txt, one at a time, to a copy of the working
# tree, rebuilds it incrementally and runs the tests of the level the fault
# names. Every fault must make a test fail; the ones that do not are
# reported as SURVIVED, and the run fails.
# Levels: unit and window (the headless suites; the default), real-window
# (the real-window tests under the window systems), windows (the Windows
# build and its tests under Wine; Qt for Windows from tools/windows/qt.sh).
# Usage: tools/mutation/run.sh [--levels LEVEL,...] [NAME-PATTERN]
set -euo pipefail
tree=$(cd "$(dirname "$0")/../.." && pwd)
faults=$tree/tools/mutation/faults.txt
levels=unit,window,real-window,windows
if [ "${1:-}" = --levels ]; then levels=$2; shift 2; fi
only=${1:-}
jobs=${JOBS:-$(nproc)}
work=$(mktemp -d "${TMPDIR:-/tmp}/tillomar-mutation.XXXXXX")
trap 'rm -rf "$work"' EXIT
trap 'exit 130' INT TERM
copy=$work/tree log=$work/log

# The tree as it is now, committed or not, without build output (no git
# needed: a fresh root has none).
mkdir -p "$copy"
tar -C "$tree" --exclude=./.git --exclude=./build -cf - . | tar -C "$copy" -xf -

# build KIND: the copy built natively (all of it, or the headless suites) or
# for Windows, configured the first time.
build() {
    local dir=$work/build-${1/headless/native}
    if [ ! -d "$dir" ]; then
        echo "Building the unchanged tree ($1) ..."
        local options=(-G Ninja -DBUILD_TESTING=ON -DTILLOMAR_BENCHMARKS=OFF)
        if [ "$1" = windows ]; then
            TILLOMAR_QT_WINDOWS=$("$tree/tools/windows/qt.sh")
            export TILLOMAR_QT_WINDOWS
            options+=(-DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$copy/cmake/mingw-w64.cmake"
                -DCMAKE_CROSSCOMPILING_EMULATOR="$copy/tests/windows/wine.sh")
        else
            options+=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
        fi
        cmake -S "$copy" -B "$dir" "${options[@]}" >"$log" 2>&1 || { cat "$log"; exit 1; }
    fi
    # The headless levels need only their suites, whose targets the tests are named after.
    local targets=()
    [ "$1" != headless ] || targets=(--target $(cd "$dir" && ctest -N -L '^(unit|window)$' |
        sed -nE 's/^ *Test +#[0-9]+: ([^@ ]+).*/\1/p' | sort -u))
    cmake --build "$dir" -j"$jobs" "${targets[@]}" >"$log" 2>&1
}

# run_tests LEVEL [TESTS]: prints the names of the tests that failed.
run_tests() {
    local kind selection=()
    kind=$(kind_of "$1")
    case $1 in
        unit | window) selection=(-L "^(unit|window)\$" -j"$jobs" --timeout 30 --stop-on-failure) ;;
        real-window) selection=(-L real-window) ;;
        windows) ;;
        *) echo "an unknown level $1"; return ;;
    esac
    [ -z "${2:-}" ] || selection+=(-R "$2")
    (cd "$work/build-${kind/headless/native}" && ctest --timeout 300 "${selection[@]}" >"$log" 2>&1) && return 0
    local names
    names=$(sed -nE 's/^[[:space:]]*[0-9]+ - ([^ ]+) \(.*/\1/p' "$log" | sort -u | paste -sd' ')
    echo "${names:-an unnamed test}"
}
kind_of() { case $1 in windows) echo windows ;; unit | window) echo headless ;; *) echo native ;; esac; }

start=$(date +%s)
survivors=0 tried=0
declare -A checked
apply_fault() { # name file level tests substitutions...
    local name=$1 file=$2 level=${3:-window} tests=$4 before kind
    shift 4
    [ -n "$name" ] || return 0
    [[ -z $only || $name == *$only* ]] || return 0
    [[ ,$levels, == *,$level,* ]] || return 0
    kind=$(kind_of "$level")
    if [ -z "${checked[$level]:-}" ]; then
        build "$kind" || { cat "$log"; exit 1; }
        failed=$(run_tests "$level")
        [ -z "$failed" ] || { echo "The unchanged tree already fails at $level: $failed" >&2; exit 1; }
        checked[$level]=1
    fi
    tried=$((tried + 1))
    cp "$copy/$file" "$work/original"
    for substitution in "$@"; do
        before=$(md5sum <"$copy/$file")
        perl -0777 -pi -e "$substitution" "$copy/$file"
        if [ "$(md5sum <"$copy/$file")" = "$before" ]; then
            printf '%-9s %s (%s: %s)\n' "NO MATCH" "$name" "$file" "$substitution"
            survivors=$((survivors + 1))
            cp "$work/original" "$copy/$file"
            return 0
        fi
    done
    local t0=$SECONDS result
    if ! build "$kind"; then
        result="NO BUILD  $name"
        survivors=$((survivors + 1))
    elif failed=$(run_tests "$level" "$tests") && [ -z "$failed" ]; then
        result="SURVIVED  $name"
        survivors=$((survivors + 1))
    else
        result="caught    $name, at $level by $failed"
    fi
    printf '%s (%ds)\n' "$result" $((SECONDS - t0))
    cp "$work/original" "$copy/$file" # newer than the build, so it is rebuilt
}

name='' file='' level='' tests='' substitutions=()
while IFS= read -r line || [ -n "$line" ]; do
    case $line in
    '#'* | '') ;;
    'name: '*)
        apply_fault "$name" "$file" "$level" "$tests" "${substitutions[@]}"
        name=${line#name: } file='' level='' tests='' substitutions=()
        ;;
    'file: '*) file=${line#file: } ;;
    'level: '*) level=${line#level: } ;;
    'tests: '*) tests=${line#tests: } ;;
    *) substitutions+=("$line") ;;
    esac
done <"$faults"
apply_fault "$name" "$file" "$level" "$tests" "${substitutions[@]}"

echo "$tried fault(s) tried at $levels, $survivors not caught; $(($(date +%s) - start)) s in all"
[ "$survivors" -eq 0 ]
