#!/usr/bin/env bash
# Keeps the manual pages in step with the programs: every verb and option
# that kelvra-cli's help (and synth's) names, and every option of kelvra's
# usage line, is in its page, and both pages render without a warning.
# Usage: check-man-pages.sh MANDIR KELVRA-CLI [KELVRA]
set -euo pipefail
mandir=$1
cli=$2
app=${3:-}
status=0

# The page's text with roff's escapes taken out: \- is -, fonts go.
page_text() { sed -e 's/\\-/-/g' -e 's/\\f[BIRP]//g' "$1"; }

# WORDS... must all occur in PAGE.
expect_in() {
    local page=$1 what=$2
    shift 2
    local text
    text=$(page_text "$mandir/$page")
    for word in "$@"; do
        if ! grep -qF -- "$word" <<<"$text"; then
            echo "$page does not name the $what $word" >&2
            status=1
        fi
    done
}

help=$("$cli" --help)
verbs=$(awk '/^  [a-z]/ {print $1}' <<<"$help")
cli_page=$(page_text "$mandir/kelvra-cli.1")
for verb in $verbs; do
    if ! grep -q "^\.SS $verb\b" <<<"$cli_page"; then
        echo "kelvra-cli.1 has no section for the verb $verb" >&2
        status=1
    fi
done
options=$( { echo "$help"; "$cli" synth --help; } | grep -o -- '--[a-z][a-z0-9-]*' | sort -u)
# shellcheck disable=SC2086
expect_in kelvra-cli.1 option $options
if [ -n "$app" ]; then
    usage=$("$app" --help 2>&1 || true)
    # shellcheck disable=SC2046
    expect_in kelvra.1 option $(grep -o -- '--[a-z][a-z0-9-]*' <<<"$usage" | sort -u)
fi

for page in "$mandir"/*.1; do
    said=$(LC_ALL=C.UTF-8 groff -k -man -Tutf8 -ww -z "$page" 2>&1)
    if [ -n "$said" ]; then
        echo "$(basename "$page") does not render cleanly: $said" >&2
        status=1
    fi
done
[ "$status" -eq 0 ] && echo "manual pages name every verb and option and render cleanly"
exit "$status"
