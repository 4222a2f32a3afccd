#!/usr/bin/env bash
# Times `varrow export` of 4000 payments as a process, as a user or a script runs it: the minimum
# and the median of many runs, without and with the bank's account number check (--check-accounts,
# which also reads the tables). Goals on the project's 2-core machine: under 50 ms, and the check
# at most 1.2 times the time without it.
set -euo pipefail
cd "$(dirname "$0")/.."
source bench/command_timing.bash

export_once() {
    "$varrow" export --today 01/12/2026 --date 07/12/2026 "$@" -o "$work/upload.csv" "$payments" >/dev/null || true
}

read -r min median < <(time_runs export_once)
lines=$(wc -l <"$work/upload.csv")
echo "varrow export, 4000 payments ($lines lines written), $runs runs: min ${min} ms, median ${median} ms (goal: under 50 ms)"
read -r checked_min checked_median < <(time_runs export_once --check-accounts)
ratio=$(awk -v a="$checked_median" -v b="$median" 'BEGIN { printf "%.2f", a / b }')
echo "varrow export --check-accounts, same payments, $runs runs: min ${checked_min} ms, median ${checked_median} ms," \
     "${ratio} times the median without the check (goal: at most 1.2)"
