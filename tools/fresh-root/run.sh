#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs a set-up command as a new user meets it: in a fresh minimal Debian root
# (debootstrap's minbase), on a clone of the committed tree, as root with a
# clean environment and no standard input. Only the bare root is cached, as a
# tarball, and Qt for Windows, as CI systems cache a toolchain: the host's
# cache folder of tools/windows/qt.sh is handed to the root, so that it is
# built once per Qt and compiler version. Packages and builds of Tillomar
# are made anew every run.
# Usage: tools/fresh-root/run.sh RELEASE [COMMAND]
#   RELEASE: bookworm (Debian 12) or trixie (Debian 13); COMMAND: ./setup test
# Environment: TILLOMAR_ROOT_WINDOWS_CACHE, the host folder handed in as
# that cache (default /var/cache/tillomar/windows; "none" for a cold one).
set -euo pipefail
release=${1:?usage: run.sh bookworm|trixie [COMMAND]}
command=${2:-./setup test}
case "$release" in bookworm | trixie) ;; *) echo "unknown release $release" >&2; exit 2 ;; esac
[ "$(id -u)" -eq 0 ] || exec sudo -- "$0" "$@"

repo=$(git -C "$(dirname "$0")" rev-parse --show-toplevel)
commit=$(git -C "$repo" rev-parse HEAD)
cache=${TILLOMAR_ROOT_CACHE:-/var/cache/tillomar/roots}
# The roots come from the Debian archive this machine's apt uses.
. "$repo/tools/apt-sources.sh"
mirror=$(debian_archive "$(. /etc/os-release && echo "${VERSION_CODENAME:-}")")
[ -n "$mirror" ] || { echo "fresh root: this machine's apt sources name no Debian archive for its release" >&2; exit 1; }
started=$SECONDS
say() { printf '== [%s %ds] %s\n' "$release" $((SECONDS - started)) "$*"; }

if ! command -v debootstrap >/dev/null; then
    apt-get update -q && DEBIAN_FRONTEND=noninteractive apt-get install -y -q debootstrap
fi

# The bare root, bootstrapped at most once a month; two runs never build it at once.
mkdir -p "$cache"
exec 9>"$cache/$release.lock"
flock 9
tarball=$cache/$release.tar
if [ ! -s "$tarball" ] || [ -n "$(find "$tarball" -mtime +30)" ]; then
    say "bootstrapping a minimal $release root"
    bare=$(mktemp -d "$cache/$release.XXXXXX")
    debootstrap --variant=minbase "$release" "$bare" "$mirror" >"$bare.log" 2>&1 ||
        { cat "$bare.log" >&2; rm -rf --one-file-system "$bare" "$bare.log"; exit 1; }
    tar --numeric-owner -C "$bare" -cf "$tarball.new" . && mv "$tarball.new" "$tarball"
    rm -rf --one-file-system "$bare" "$bare.log"
fi
flock -u 9

work=$(mktemp -d /var/tmp/tillomar-root.XXXXXX)
root=$work/root
# Every exit, failure and interrupt included, stops what runs in the root and
# unmounts it before anything is removed.
cleanup() {
    local status=$? pid mounts
    trap - EXIT INT TERM
    for pid in /proc/[0-9]*; do
        [ "$(readlink "$pid/root" 2>/dev/null)" = "$root" ] && kill -KILL "${pid#/proc/}" 2>/dev/null
    done
    mounts=$(awk -v root="$root" '$2 == root || index($2, root "/") == 1 {print $2}' /proc/self/mounts | sort -r)
    for mount in $mounts; do umount "$mount" 2>/dev/null || umount --lazy "$mount"; done
    if awk -v root="$root" 'index($2, root "/") == 1 {found = 1} END {exit !found}' /proc/self/mounts; then
        echo "fresh root: $root is still mounted; left in place" >&2
    else
        rm -rf --one-file-system "$work"
    fi
    exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

mkdir "$root"
tar --numeric-owner -C "$root" -xf "$tarball"
# mktemp made the bootstrapped folder private; as the root's "/", it must let
# every user in.
chmod 0755 "$root"
mount -t proc proc "$root/proc"
mount -t sysfs sysfs "$root/sys"
mount --rbind /dev "$root/dev"
mount --make-rslave "$root/dev"
mount -t tmpfs -o mode=1777 tmpfs "$root/tmp"
mount -t tmpfs -o mode=0755 tmpfs "$root/run"
cp -L /etc/resolv.conf "$root/etc/resolv.conf"
windows_cache=${TILLOMAR_ROOT_WINDOWS_CACHE:-/var/cache/tillomar/windows}
if [ "$windows_cache" != none ]; then
    mkdir -p "$windows_cache" "$root/var/cache/tillomar/windows"
    mount --bind "$windows_cache" "$root/var/cache/tillomar/windows"
fi
# Packages installed here must not start system services that outlive the run.
printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d"
chmod 0755 "$root/usr/sbin/policy-rc.d"

git clone -q --no-hardlinks "$repo" "$root/srv/tillomar"
git -C "$root/srv/tillomar" checkout -q --detach "$commit"
say "running '$command' on $(git -C "$repo" log -1 --format='%h %s' "$commit")"
# In the background, so that an interrupt stops it at once, not at its end.
chroot "$root" /usr/bin/env -i PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    HOME=/root LANG=C.UTF-8 CI=true /bin/bash -c "cd /srv/tillomar && $command" </dev/null &
wait $!
say "passed"
