#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Start-up of the Windows build under Wine: the program's window set against
# a Qt window showing one label and an empty one, all cross-built alike,
# taking turns in one Wine session. Each probe reports its own time from
# process creation to the end of its first paint. Prints the medians and the
# ratios.
# Usage: bench/startup_wine.sh BUILD-DIR [RUNS]   (the windows preset with
# TILLOMAR_BENCHMARKS=ON)
. "$(dirname "$0")/../tests/realwindow/harness.sh"
trap harness_stop EXIT
export LC_ALL=C
probes=$1 runs=${2:-20}
start_wine
names=(empty text tillomar)
# One unmeasured round warms the caches.
for name in "${names[@]}"; do wine "$probes/startup_$name.exe" >/dev/null; done
for _ in $(seq "$runs"); do
    for name in "${names[@]}"; do
        wine "$probes/startup_$name.exe" | tr -d '\r' >>"$harness_dir/$name"
    done
done
median() { sort -g "$harness_dir/$1" | awk '{v[NR] = $1} END {printf "%.1f", (v[int((NR + 1) / 2)] + v[int(NR / 2) + 1]) / 2}'; }
for name in "${names[@]}"; do printf '%-9s %6s ms (median of %d)\n' "$name" "$(median "$name")" "$runs"; done
awk -v t="$(median tillomar)" -v l="$(median text)" -v e="$(median empty)" \
    'BEGIN {printf "Tillomar / one label: %.2f\nTillomar / empty:     %.2f\n", t / l, t / e}'
