#!/usr/bin/env bash
# Writes an upload file in each of the four payment formats from samples/payments.csv and prints
# each file and its status report. Today is fixed at Tuesday 1 December 2026 and the processing
# date at Monday 7 December 2026, so the demo gives the same files on any day.
set -euo pipefail
cd "$(dirname "$0")/.."
varrow=build/native/varrow
payments=samples/payments.csv
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

run() {
    local format=$1; shift
    local file="$work/$format.txt"
    echo "=== varrow export --format $format${*:+ $*} ($payments)"
    local status=0
    "$varrow" export --format "$format" --today 01/12/2026 --date 07/12/2026 "$@" -o "$file" "$payments" \
        >"$work/report" 2>"$work/notes" || status=$?
    if [[ $status -gt 2 ]]; then
        cat "$work/notes" >&2
        echo "demo: varrow export --format $format exited $status" >&2
        exit 1
    fi
    echo "--- upload file (CR LF line ends)"
    tr -d '\r' <"$file"
    echo "--- status report"
    cat "$work/report"
    cat "$work/notes"
    echo "--- exit status $status"
    echo
}

run standard-domestic
run domestic-template --template "Joinery Dec"
run bulk-list --template "SUPPLIERS-DEC" --benref "HJL DEC RUN"
run ad-hoc-bulk --benref "HJL DEC RUN"
