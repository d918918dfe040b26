#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# What a blind user hears from the screen reader Orca while counting: Orca
# speaks through a private speech-dispatcher whose one voice writes each
# utterance to a file, and xdotool types as the user.
# Usage: orca.sh PATH-TO-Tillomar
. "$(dirname "$0")/harness.sh"
trap harness_stop EXIT
start_x11
start_accessibility
start_speech
spawn orca.log orca --replace

# heard PATTERN...: each extended regular expression matches an utterance
# since the last key, each in the same utterance as the one before or later.
heard() {
    local at=$mark line pattern
    for pattern in "$@"; do
        line=$(tail -n +"$((at + 1))" "$spoken" | grep -nE -m 1 -- "$pattern" | cut -d: -f1)
        [ -n "$line" ] || return 1
        at=$((at + line - 1))
    done
}
# press KEY... then EXPECTED...: presses the keys as a user does and waits
# until Orca has said what is expected.
press() {
    local keys=()
    while [ "$1" != then ]; do keys+=("$1"); shift; done
    shift
    mark=$(wc -l <"$spoken")
    xdotool key --delay 150 "${keys[@]}"
    if ! (wait_for "Orca to say: $*" heard "$@"); then
        echo "Orca said after ${keys[*]}:" >&2
        tail -n +"$((mark + 1))" "$spoken" >&2
        exit 1
    fi
}

mark=0
wait_for "Orca" heard "Screen reader on"
spawn app.log "$1"
# Each field is heard by its column and its denomination, once.
wait_for "the tally window read out" heard "Starting Amount: Number of \\\$100's"
press 5 then '^5 ?$' "Amount 500, Total -500"
press Tab then "^Starting Amount: Number of \\\$50's"
[ "$(tail -n +"$((mark + 1))" "$spoken" | grep -c selected)" -le 1 ] || fail "Tab says 'selected' more than once"
# Back past the first field, the sequence comes up the ending column.
press shift+Tab shift+Tab then "^Ending Amount: Number of \\\$2's"
press 7 then '^7 ?$' "Amount 14, Total -486"

# An about window reads its text as it opens, with the button that has the
# focus, and Escape closes it.
press F10 Down Return then "Close" "Program created by Varnholt"
press Escape then "Ending Amount: Number of \\\$2's"

# Reviewing the window reads the numbers on show, row by row, down to the Total.
press KP_Up then "^Number of \\\$2's 0 0 Number of \\\$2's 7 14$"
press Insert+KP_Prior then "^Total: -486$"
echo "PASS: Orca speaks each field's column, every change's amount and Total, the about windows' text and the numbers on review"
