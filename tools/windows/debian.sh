# SPDX-License-Identifier: MIT
# shellcheck shell=bash
# Sourced by the tools that build Windows libraries from Debian's own source
# packages (qt.sh, benchmark.sh); the sourcing script defines fail.

. "$(dirname "${BASH_SOURCE[0]}")/../apt-sources.sh"

# The folder finished builds are kept in: TILLOMAR_WINDOWS_CACHE, else
# /var/cache/tillomar/windows as root and ~/.cache/tillomar/windows otherwise.
windows_cache() {
    if [ -n "${TILLOMAR_WINDOWS_CACHE:-}" ]; then echo "$TILLOMAR_WINDOWS_CACHE"
    elif [ "$(id -u)" -eq 0 ]; then echo /var/cache/tillomar/windows
    else echo "${XDG_CACHE_HOME:-$HOME/.cache}/tillomar/windows"; fi
}

# debian_source PACKAGE VERSION FOLDER LOG: the source package unpacked into
# FOLDER/source, through apt's own tools from the Debian archive this
# machine's apt uses, with a state and source list of our own: the machine's
# apt set-up stays as it is.
debian_source() {
    local package=$1 version=$2 folder=$3 log=$4 codename keyring="" candidate
    codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
    [ -n "$codename" ] || fail "no VERSION_CODENAME in /etc/os-release"
    local state=$folder/apt
    mkdir -p "$state/lists/partial"
    for candidate in /usr/share/keyrings/debian-archive-keyring.{gpg,pgp}; do
        [ -f "$candidate" ] && keyring=$candidate && break
    done
    [ -n "$keyring" ] || fail "Debian's archive keyring is missing (debian-archive-keyring)"
    local main security
    main=$(debian_archive "$codename")
    [ -n "$main" ] || fail "this machine's apt sources name no Debian archive for $codename"
    security=$(debian_archive "$codename-security")
    {
        echo "deb-src [signed-by=$keyring] $main $codename main"
        echo "deb-src [signed-by=$keyring] $main $codename-updates main"
        [ -z "$security" ] || echo "deb-src [signed-by=$keyring] $security $codename-security main"
    } >"$state/sources.list"
    local options=(-o "Dir::State::Lists=$state/lists" -o "Dir::Etc::SourceList=$state/sources.list"
        -o "Dir::Etc::SourceParts=$state/none" -o "Dir::Cache=$state/cache" -o "APT::Sandbox::User=root")
    apt-get "${options[@]}" -q update >>"$log" 2>&1 ||
        fail "cannot reach Debian's source archive for $codename (apt-get update failed; see the end of the log below)
$(tail -5 "$log")"
    (cd "$folder" && apt-get "${options[@]}" -q source --download-only "$package=$version") >>"$log" 2>&1 ||
        fail "cannot fetch Debian's $package $version source package
$(tail -5 "$log")"
    (cd "$folder" && dpkg-source -x "${package}_"*.dsc source) >>"$log" 2>&1 ||
        fail "cannot unpack the $package source package
$(tail -5 "$log")"
}

# installed PACKAGE FIELD: a field of an installed package, empty if none.
installed() { dpkg-query -W -f="\${$2}" "$1" 2>/dev/null || true; }

# build_once NAME BUILDER: prints the cache folder NAME, which BUILDER WORK
# LOG fills through WORK/install the first time; only a finished build is
# ever put there, and two runs never build at once.
build_once() {
    local name=$1 builder=$2 cache prefix
    cache=$(windows_cache)
    prefix=$cache/$name
    if [ ! -f "$prefix/.complete" ]; then
        mkdir -p "$cache"
        exec 9>"$cache/.lock"
        flock --nonblock 9 || { echo "Waiting for another build in $cache to finish ..." >&2; flock 9; }
    fi
    if [ ! -f "$prefix/.complete" ]; then
        build_work=$(mktemp -d "$cache/.build.XXXXXX")
        trap 'rm -rf --one-file-system "$build_work"' EXIT
        trap 'exit 130' INT TERM
        : >"$build_work/log"
        local started=$SECONDS
        "$builder" "$build_work" "$build_work/log"
        touch "$build_work/install/.complete"
        rm -rf --one-file-system "$prefix"
        mv "$build_work/install" "$prefix"
        echo "built in $(((SECONDS - started) / 60)) min: $prefix" >&2
    fi
    echo "$prefix"
}
