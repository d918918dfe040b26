#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Applies each fault of faults.txt, one at a time, to a copy of the working
# tree, rebuilds it incrementally and runs the unit and window tests. Every
# fault must make a test fail; the ones that do not are reported as SURVIVED.
# Usage: tools/mutation/run.sh [NAME-PATTERN]   (only faults whose name matches)
# Takes some minutes; not part of CI.
set -euo pipefail
tree=$(cd "$(dirname "$0")/../.." && pwd)
faults=$tree/tools/mutation/faults.txt
only=${1:-}
jobs=${JOBS:-2}
work=$(mktemp -d "${TMPDIR:-/tmp}/tillomar-mutation.XXXXXX")
trap 'rm -rf "$work"' EXIT
copy=$work/tree build=$work/build log=$work/log

# The tree as it is now, committed or not, without build output.
mkdir -p "$copy"
(cd "$tree" && git ls-files -z --cached --others --exclude-standard) | (cd "$tree" && xargs -0 cp --parents -t "$copy")

run_tests() { # prints the names of the tests that failed
    (cd "$build" && ctest -L '^(unit|window)$' --timeout 120 -j"$jobs" >"$log" 2>&1) && return 0
    local names
    names=$(sed -nE 's/^[[:space:]]*[0-9]+ - ([^ ]+) \(.*/\1/p' "$log" | sort -u | paste -sd' ')
    echo "${names:-an unnamed test}"
}

start=$(date +%s)
echo "Building the unchanged tree in $build ..."
cmake -S "$copy" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON \
    -DTILLOMAR_BENCHMARKS=OFF >"$log" 2>&1 || { cat "$log"; exit 1; }
cmake --build "$build" -j"$jobs" >"$log" 2>&1 || { cat "$log"; exit 1; }
failed=$(run_tests)
[ -z "$failed" ] || { echo "The unchanged tree already fails: $failed" >&2; exit 1; }

survivors=0
apply_fault() { # name file substitutions...
    local name=$1 file=$2 before
    shift 2
    [ -n "$name" ] || return 0
    [[ -z $only || $name == *$only* ]] || return 0
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
    if ! cmake --build "$build" -j"$jobs" >"$log" 2>&1; then
        result="NO BUILD  $name"
        survivors=$((survivors + 1))
    elif failed=$(run_tests) && [ -z "$failed" ]; then
        result="SURVIVED  $name"
        survivors=$((survivors + 1))
    else
        result="caught    $name, by $failed"
    fi
    printf '%s (%ds)\n' "$result" $((SECONDS - t0))
    cp "$work/original" "$copy/$file" # newer than the build, so it is rebuilt
}

name='' file='' substitutions=()
while IFS= read -r line || [ -n "$line" ]; do
    case $line in
    '#'* | '') ;;
    'name: '*)
        apply_fault "$name" "$file" "${substitutions[@]}"
        name=${line#name: } file='' substitutions=()
        ;;
    'file: '*) file=${line#file: } ;;
    *) substitutions+=("$line") ;;
    esac
done <"$faults"
apply_fault "$name" "$file" "${substitutions[@]}"

echo "$survivors fault(s) not caught; $(($(date +%s) - start)) s in all"
[ "$survivors" -eq 0 ]
