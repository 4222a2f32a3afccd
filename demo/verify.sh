#!/usr/bin/env bash
# Reads back the upload files that varrow export writes from samples/payments.csv, one per format,
# with varrow verify; then a copy of the standard domestic file opened and saved again as a
# spreadsheet would: a leading zero dropped, an amount reformatted, a name retyped, LF line ends.
# Today is fixed at Tuesday 1 December 2026 and the processing date at Monday 7 December 2026, as
# in demo/export.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
varrow="$PWD/build/native/varrow"
payments=samples/payments.csv
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

write() {
    local format=$1; shift
    # Exit 1: payment 3 of the sample fails its check; its line is written all the same.
    "$varrow" export --format "$format" --today 01/12/2026 --date 07/12/2026 "$@" -o "$work/$format.txt" \
        "$payments" >/dev/null 2>&1 || [[ $? -eq 1 ]]
}

# Prints the command, runs it in the work folder, so that findings name the files alone, and its
# exit status; only a status above 1 (a file not read, a usage error) ends the demo.
verify() {
    echo "=== varrow verify $*"
    local status=0
    (cd "$work" && "$varrow" verify "$@") || status=$?
    echo "--- exit status $status"
    echo
    if [[ $status -gt 1 ]]; then
        echo "demo: varrow verify exited $status" >&2
        exit 1
    fi
}

write standard-domestic
write domestic-template --template "Joinery Dec"
write bulk-list --template "SUPPLIERS-DEC" --benref "HJL DEC RUN"
write ad-hoc-bulk --benref "HJL DEC RUN"
# Payment 3's seven-digit account number is written zero-padded: the file cannot show that it
# failed its check, which only the run's status tells.
verify --today 01/12/2026 standard-domestic.txt domestic-template.txt bulk-list.txt ad-hoc-bulk.txt

sed -e 's/,02214096,/,2214096,/' -e 's/,1250\.00,/,1250,/' -e 's/,WHITFIELD BUILDING,/,Whitfield Building,/' \
    "$work/standard-domestic.txt" | tr -d '\r' >"$work/saved-again.txt"
verify --today 01/12/2026 saved-again.txt
