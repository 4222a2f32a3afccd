#!/usr/bin/env bash
# Times `varrow verify` of the upload file of 4000 payments as a process, beside `varrow export`
# writing that file from the same list: the minimum and the median of many runs each. Goal on the
# project's 2-core machine: verifying takes well under the time of writing.
set -euo pipefail
cd "$(dirname "$0")/.."
source bench/command_timing.bash
upload="$work/upload.csv"

export_once() {
    "$varrow" export --format "$1" --today 01/12/2026 --date 07/12/2026 -o "$upload" "$payments" >/dev/null || true
}

verify_once() {
    "$varrow" verify --today 01/12/2026 "$upload" >"$work/findings" || true
}

for format in standard-domestic bulk-list; do
    read -r export_min export_median < <(time_runs export_once "$format")
    read -r min median < <(time_runs verify_once)
    summary=$(tail -n 1 "$work/findings")
    ratio=$(awk -v a="$median" -v b="$export_median" 'BEGIN { printf "%.2f", a / b }')
    echo "varrow verify, $format, 4000 payments, $runs runs: min ${min} ms, median ${median} ms;" \
         "varrow export of the same: min ${export_min} ms, median ${export_median} ms;" \
         "verify takes ${ratio} of export's median (goal: well under 1)"
    echo "  ${summary#"$upload"}"
done
