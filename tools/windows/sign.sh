#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Signs a Windows program in place with the PKCS#12 certificate that
# TILLOMAR_SIGNING_CERTIFICATE names (its password, if any, in
# TILLOMAR_SIGNING_PASSWORD), then verifies the signature against the
# certificates that file carries. With --if-configured and no certificate
# named, leaves the program unsigned.
# Usage: tools/windows/sign.sh [--if-configured] PROGRAM.exe
set -euo pipefail
if [ "$1" = --if-configured ]; then
    shift
    [ -n "${TILLOMAR_SIGNING_CERTIFICATE:-}" ] || exit 0
fi
program=$1
certificate=${TILLOMAR_SIGNING_CERTIFICATE:-}
[ -n "$certificate" ] || { echo "sign.sh: TILLOMAR_SIGNING_CERTIFICATE names no certificate" >&2; exit 1; }
[ -r "$certificate" ] || { echo "sign.sh: cannot read the certificate $certificate" >&2; exit 1; }
for tool in osslsigncode openssl; do
    command -v $tool >/dev/null || { echo "sign.sh: $tool is missing: ./setup windows installs it" >&2; exit 1; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
trap 'exit 130' INT TERM
# The password reaches the tools in a file only this user can read: on a
# command line every local user could read it in the process list.
# Both take the file's text as it stands; no password is a bare line feed,
# since an empty file is refused.
(umask 077 && printf '%s' "${TILLOMAR_SIGNING_PASSWORD:-$'\n'}" >"$work/password")
openssl pkcs12 -in "$certificate" -passin "file:$work/password" -nokeys -out "$work/chain.pem" 2>"$work/log" || {
    echo "sign.sh: $certificate does not open: set TILLOMAR_SIGNING_PASSWORD to its password" >&2
    exit 1
}
osslsigncode sign -pkcs12 "$certificate" -readpass "$work/password" -h sha256 -in "$program" -out "$work/signed" \
    >"$work/log" 2>&1 || { cat "$work/log" >&2; exit 1; }
osslsigncode verify -CAfile "$work/chain.pem" -in "$work/signed" >"$work/log" 2>&1 ||
    { cat "$work/log" >&2; echo "sign.sh: the signature of $program does not verify" >&2; exit 1; }
# Written over, not moved: the program keeps its place and mode.
cat "$work/signed" >"$program"
