#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# What a screen reader finds in Tillomar as a user counts, read from another
# process by a real accessibility client and compared with the table worked
# out by hand (screen-reader.txt): on Linux through AT-SPI
# (accessibility.py), on Windows through UI Automation under Wine
# (uia_reader), where the focus must also move in tab order by its events.
# With a locale, only the count.
# Usage: screen_reader.sh linux TILLOMAR
#        screen_reader.sh wine TILLOMAR.exe UIA_READER.exe [LOCALE]
. "$(dirname "$0")/harness.sh"
trap harness_stop EXIT
system=$1 program=$2 reader=${3:-} locale=${4:-}
table=$(dirname "$0")/screen-reader.txt
if [ "$system" = wine ]; then
    start_wine "$locale"
    spawn app.log wine "$program"
    read_tree() { timeout 60 wine "$reader" | tr -d '\r'; }
else
    start_x11 openbox
    start_accessibility
    spawn app.log env QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$program"
    atspi() { timeout 60 /usr/bin/python3 "$(dirname "$0")/accessibility.py" "$@"; }
    read_tree() { atspi "$app"; }
fi
app=$spawned
wait_for "the tally window" window_named "${TILLOMAR_CAPTION:?}"
sleep 1
keys() { xdotool key --delay 150 "$@"; sleep 1; }

# heard SECTION: the tree read now against the table's section ("counted":
# the start with its changes; "menu": its items only), row by row; a
# difference names the control and both values.
heard() {
    local status=0
    read_tree >"$harness_dir/read" || status=$?
    [ $status = 0 ] || { cat "$harness_dir/read"; fail "the reader stopped with status $status (124: it hung) after the above"; }
    awk -F ' [|]( |$)' -v section="$1" -v comma="${locale:+1}" '
        function decimals(text) {
            while (comma && match(text, /[0-9][.][0-9]/)) text = substr(text, 1, RSTART) "," substr(text, RSTART + 2)
            return text
        }
        function differs(what, expected, actual) {
            if (expected == actual) return
            printf "FAIL: %s, %s: expected \"%s\", read \"%s\"\n", want[1] != "" ? want[1] : "beyond the table", what, expected, actual
            failed = 1
        }
        FNR == NR {
            if (/^== /) part = substr($0, 4)
            else if (part == "counted" && section == part && ($1 in at)) row[at[$1]] = $0
            else if (!/^#/ && (part == section || part == "start" && section == "counted")) { row[++rows] = $0; at[$1] = rows }
            next
        }
        section != "menu" || $2 == "menu item" { got[++read] = $0 }
        END {
            for (i = 1; i <= rows || i <= read; i++) {
                fields = split(row[i], want, / [|]( |$)/)
                split(got[i], have, / [|]( |$)/)
                if (have[1] != "") differs("control", want[1], have[1])
                differs("role", want[2], have[2])
                differs("name", decimals(want[3]), have[3])
                if (fields > 3) differs("description", decimals(want[4]), have[4])
            }
            if (failed) exit 1
            printf "PASS: %s: %d controls as expected\n", section, rows
        }' "$table" "$harness_dir/read"
}

heard start
if [ "$system" = wine ] && [ -z "$locale" ]; then
    # Focus-changed events, as Tab walks every field and back to the first.
    spawn focus.log timeout 60 wine "$reader" --focus 22
    wait_for "the focus listener" grep -q listening "$harness_dir/focus.log"
    keys $(printf 'Tab %.0s' $(seq 22))
    (wait_for "22 focus changes" process_gone "$spawned") || true
    order=$(tr -d '\r' <"$harness_dir/focus.log" | grep -v listening | paste -sd ' ')
    [ "$order" = "$(sed -n '/^== tab order/{n;p}' "$table")" ] || fail "the focus moved through $order"
    echo "PASS: the focus moves in tab order"
fi
keys 4 Tab 3 shift+Tab shift+Tab shift+Tab shift+Tab
if [ "$system" = linux ]; then
    # The last key announces the values it changed, the Total among them, and nothing else.
    changed=$(atspi --keys 3)
    [ "$changed" = $'edit | Ending Amount: Number of 50c\'s\nlabel | -548.5\nlabel | 1.5' ] ||
        fail "typing 3 announced: $changed"
    echo "PASS: a keystroke announces the values it changed and nothing else"
else
    keys 3
fi
heard counted
[ -z "$locale" ] || exit 0
keys F10
heard menu
keys Escape F10 Return
heard Form2
keys Escape F10 Down Return
heard Form3
