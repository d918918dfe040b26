#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Makes the installer from its script; signs it and its uninstaller as they
# are written when TILLOMAR_SIGNING_CERTIFICATE names a certificate.
# Usage: tools/windows/makensis.sh INSTALLER.nsi [-DOUTFILE=PATH]
set -euo pipefail
command -v makensis >/dev/null || { echo "makensis is missing: install Debian's nsis package" >&2; exit 1; }
options=(-V2 -NOCD)
[ -z "${TILLOMAR_SIGNING_CERTIFICATE:-}" ] || options+=("-DSIGN=$(cd "$(dirname "$0")" && pwd)/sign.sh")
makensis "${options[@]}" "${@:2}" "$1"
