# SPDX-License-Identifier: MIT
# shellcheck shell=bash
# Sourced by the tools that fetch from Debian's archive (fresh-root/run.sh,
# windows/debian.sh), so that they use the mirror or proxy this machine's apt
# already uses; no package host is written anywhere else.

# debian_archive SUITE: the address of the archive that serves SUITE (such
# as bookworm or bookworm-security) to apt here, in either form of apt's
# sources; nothing when none does.
debian_archive() {
    local files=() file
    for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources; do
        [ ! -f "$file" ] || files+=("$file")
    done
    [ ${#files[@]} -gt 0 ] || return 0
    awk -v suite="$1" '
        function stanza(   n, s, i) {
            n = split(suites, s, " ")
            for (i = 1; i <= n; i++)
                if (s[i] == suite && types ~ /(^| )deb( |$)/ && enabled != "no") { split(uris, u, " "); print u[1]; found = 1; exit }
            types = uris = suites = enabled = ""
        }
        FNR == 1 { stanza() }
        /^[ \t]*#/ { next }
        FILENAME ~ /\.sources$/ {
            if (!NF) stanza()
            else if (match($0, /^[A-Za-z-]+:/)) {
                key = tolower(substr($0, 1, RLENGTH - 1)); value = substr($0, RLENGTH + 1)
                gsub(/^[ \t]+|[ \t]+$/, "", value)
                if (key == "types") types = value; else if (key == "uris") uris = value
                else if (key == "suites") suites = value; else if (key == "enabled") enabled = tolower(value)
            }
            next
        }
        $1 == "deb" {
            i = 2
            if ($i ~ /^\[/) while ($i !~ /\]$/) i++
            if ($i ~ /\]$/) i++
            if ($(i + 1) == suite) { print $i; found = 1; exit }
        }
        END { if (!found) stanza() }' "${files[@]}"
}
