#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Signing with a throw-away certificate made here: the program, the
# installer and the uninstaller it writes verify; an unsigned program, or a
# wrong password, does not pass; the password never appears
# on the command line of any program the signing starts.
# Usage: signing.sh Tillomar.exe installer.nsi
. "$(dirname "$0")/../realwindow/harness.sh"
trap harness_stop EXIT
program=$1 script=$2
tools=$(cd "$(dirname "$0")/../../tools/windows" && pwd)
start_wine
work=$harness_dir/signing
mkdir "$work"
openssl req -x509 -newkey rsa:2048 -nodes -keyout "$work/key.pem" -out "$work/certificate.pem" -days 2 \
    -subj "/CN=Tillomar test signer" -addext extendedKeyUsage=codeSigning 2>/dev/null
openssl pkcs12 -export -inkey "$work/key.pem" -in "$work/certificate.pem" -out "$work/signer.p12" \
    -passout pass:secret
export TILLOMAR_SIGNING_CERTIFICATE=$work/signer.p12 TILLOMAR_SIGNING_PASSWORD=secret
# Every program the signing starts through PATH leaves its arguments here.
mkdir "$work/shims"
for tool in osslsigncode openssl makensis; do
    printf '#!/bin/sh\necho "$0 $*" >>%s\nexec %s "$@"\n' "$work/arguments" "$(command -v $tool)" >"$work/shims/$tool"
    chmod +x "$work/shims/$tool"
done
export PATH=$work/shims:$PATH
verifies() { osslsigncode verify -CAfile "$work/certificate.pem" -in "$1" >/dev/null 2>&1; }

cp "$program" "$work/Tillomar.exe"
! verifies "$work/Tillomar.exe" || fail "the unsigned program verifies"
bash "$tools/sign.sh" "$work/Tillomar.exe" || fail "signing the program failed"
verifies "$work/Tillomar.exe" || fail "the signed program does not verify"
cp "$program" "$work/wrong.exe"
! TILLOMAR_SIGNING_PASSWORD=wrong bash "$tools/sign.sh" "$work/wrong.exe" 2>/dev/null ||
    fail "a wrong password signed"
echo "PASS: the program signs and verifies; unsigned or wrongly signed it does not"

bash "$tools/makensis.sh" "$script" "-DOUTFILE=$work/setup.exe" || fail "the signed installer was not made"
verifies "$work/setup.exe" || fail "the installer does not verify"
wine "$work/setup.exe" /S /CurrentUser '/D=C:\Signed' || fail "the signed installer failed"
verifies "$WINEPREFIX/drive_c/Signed/uninstall.exe" || fail "the uninstaller does not verify"
[ -s "$work/arguments" ] && ! grep -q secret "$work/arguments" ||
    fail "the password is on a command line: $(grep secret "$work/arguments")"
echo "PASS: the installer and the uninstaller it writes are signed; no command line carries the password"
