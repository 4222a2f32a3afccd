#!/usr/bin/env bash
# Times `varrow export` of 4000 payments as a process, as a user or a script runs it: the minimum
# and the median of many runs, without and with the bank's account number check (--check-accounts,
# which also reads the tables). Goals on the project's 2-core machine: under 50 ms, and the check
# at most 1.2 times the time without it.
set -euo pipefail
cd "$(dirname "$0")/.."
varrow=build/native/varrow
runs=${RUNS:-50}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

payments="$work/payments.csv"
{
    printf 'PayerBankSortCode,PayerBankAccountNumber,Value,PayeeBankSortCode,PayeeBankAccountNumber,PayeeBankAccountName,PayeeBankBACSReference,Details\r\n'
    for ((i = 0; i < 4000; i++)); do
        printf '40-12-76,41829374,%d.%02d,20-%02d-06,%08d,"Supplier %d, Ltd",INV-%05d,Invoice %d\r\n' \
            $((i % 5000 + 1)) $((i % 100)) $((i % 100)) $((73000000 + i)) "$i" "$i" "$i"
    done
} >"$payments"

export_once() {
    "$varrow" export --today 01/12/2026 --date 07/12/2026 "$@" -o "$work/upload.csv" "$payments" >/dev/null || true
}

# Prints "MIN MEDIAN" in ms of `runs` exports with the given extra options.
time_exports() {
    export_once "$@"  # warm the page cache
    local times=() start end
    for ((r = 0; r < runs; r++)); do
        start=$EPOCHREALTIME
        export_once "$@"
        end=$EPOCHREALTIME
        times+=("$(awk -v s="$start" -v e="$end" 'BEGIN { printf "%.3f", (e - s) * 1000 }')")
    done
    local sorted
    sorted=$(printf '%s\n' "${times[@]}" | sort -n)
    echo "$(head -n1 <<<"$sorted") $(sed -n "$(((runs + 1) / 2))p" <<<"$sorted")"
}

read -r min median < <(time_exports)
lines=$(wc -l <"$work/upload.csv")
echo "varrow export, 4000 payments ($lines lines written), $runs runs: min ${min} ms, median ${median} ms (goal: under 50 ms)"
read -r checked_min checked_median < <(time_exports --check-accounts)
ratio=$(awk -v a="$checked_median" -v b="$median" 'BEGIN { printf "%.2f", a / b }')
echo "varrow export --check-accounts, same payments, $runs runs: min ${checked_min} ms, median ${checked_median} ms," \
     "${ratio} times the median without the check (goal: at most 1.2)"
