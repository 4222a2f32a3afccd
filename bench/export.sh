#!/usr/bin/env bash
# Times `varrow export` of 4000 payments as a process, as a user or a script runs it: the minimum
# and the median of many runs. Goal on the project's 2-core machine: under 50 ms.
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
    "$varrow" export --today 01/12/2026 --date 07/12/2026 -o "$work/upload.csv" "$payments" >/dev/null
}

export_once  # warm the page cache
times=()
for ((r = 0; r < runs; r++)); do
    start=$EPOCHREALTIME
    export_once
    end=$EPOCHREALTIME
    times+=("$(awk -v s="$start" -v e="$end" 'BEGIN { printf "%.3f", (e - s) * 1000 }')")
done
sorted=$(printf '%s\n' "${times[@]}" | sort -n)
min=$(head -n1 <<<"$sorted")
median=$(sed -n "$(((runs + 1) / 2))p" <<<"$sorted")
lines=$(wc -l <"$work/upload.csv")
echo "varrow export, 4000 payments ($lines lines written), $runs runs: min ${min} ms, median ${median} ms (goal: under 50 ms)"
