#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# A screen reader's view of Tillomar (accessibility.py) beside a private X
# server, with the session's own accessibility bus and registry.
# Usage: accessibility.sh PATH-TO-Tillomar
. "$(dirname "$0")/harness.sh"
trap harness_stop EXIT
start_x11 openbox
start_accessibility
/usr/bin/python3 "$(dirname "$0")/accessibility.py" "$1"
