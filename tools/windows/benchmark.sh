#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Google Benchmark for Windows, built once from Debian's own benchmark source
# package, the version of the host's libbenchmark-dev, with Debian's
# MinGW-w64, so that the benchmarks in bench/ run under Wine too. Kept beside
# Qt for Windows (tools/windows/qt.sh); prints its prefix.
# Usage: tools/windows/benchmark.sh
set -euo pipefail
repo=$(cd "$(dirname "$0")/../.." && pwd)
fail() { echo "Google Benchmark for Windows: $*" >&2; exit 1; }
. "$repo/tools/windows/debian.sh"

version=$(installed libbenchmark-dev source:Version)
compiler_version=$(installed g++-mingw-w64-x86-64-posix Version)
[ -n "$version" ] || fail "the host's Google Benchmark (libbenchmark-dev) is not installed"
[ -n "$compiler_version" ] || fail "MinGW-w64 (g++-mingw-w64-x86-64-posix) is not installed"

# build_benchmark WORK LOG: built and installed into WORK/install.
build_benchmark() {
    local work=$1 log=$2
    echo "Building Google Benchmark $version for Windows once (log in $log)" >&2
    debian_source benchmark "$version" "$work" "$log"
    # Debian's source leaves the version to its packaging.
    (cmake -S "$work/source" -B "$work/build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-w64.cmake" \
        -DCMAKE_BUILD_TYPE=Release -DGIT_VERSION="${version%%-*}" -DBUILD_SHARED_LIBS=OFF \
        -DBENCHMARK_ENABLE_TESTING=OFF -DBENCHMARK_ENABLE_WERROR=OFF -DCMAKE_INSTALL_PREFIX="$work/install" &&
        cmake --build "$work/build" && cmake --install "$work/build") >>"$log" 2>&1 ||
        fail "building Google Benchmark for Windows failed
$(tail -20 "$log")"
}

build_once "benchmark-$version-mingw-$compiler_version" build_benchmark
