#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Start-up under a real X server: the program's window set against a Qt
# window showing one label, which pays the same font set-up, and an empty Qt
# window. The probes take turns, so that drift in the machine's speed hits
# each alike; each run is timed from spawn to the end of the first paint,
# where the probe exits. Prints the median of each and the ratios.
# Usage: bench/startup.sh BUILD-DIR [RUNS]   (a build with TILLOMAR_BENCHMARKS=ON)
# Times are read with a full stop, whatever the user's locale.
export LC_ALL=C
probes=$1/bench
runs=${2:-40}

. "$(dirname "$0")/../tests/realwindow/harness.sh"
trap harness_stop EXIT
export QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR=$harness_dir
start_display
times=$harness_dir/times
mkdir "$times"

names=(empty text tillomar)
# One unmeasured round warms the disk cache and fontconfig's own cache.
for name in "${names[@]}"; do "$probes/startup_$name"; done
for _ in $(seq "$runs"); do
    for name in "${names[@]}"; do
        start=$EPOCHREALTIME
        "$probes/startup_$name"
        end=$EPOCHREALTIME
        echo $(((${end/./} - ${start/./}))) >>"$times/$name"
    done
done

# Medians in milliseconds; the times are in microseconds.
median() { sort -g "$times/$1" | awk '{v[NR] = $1} END {printf "%.1f", (v[int((NR + 1) / 2)] + v[int(NR / 2) + 1]) / 2000}'; }
for name in "${names[@]}"; do printf '%-9s %6s ms (median of %d)\n' "$name" "$(median "$name")" "$runs"; done
awk -v t="$(median tillomar)" -v l="$(median text)" -v e="$(median empty)" \
    'BEGIN {printf "Tillomar / one label: %.2f\nTillomar / empty:     %.2f\n", t / l, t / e}'
