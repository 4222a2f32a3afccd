# Shared by the command-level benchmarks, sourced from the top of the tree: the list of 4000
# payments they time, written to $payments in a work folder that goes at exit, and the minimum and
# median time of a command over $runs runs.

# Writes 4000 payments of one payer to many payees, as the host could hand them over, to $1.
write_payment_list() {
    {
        printf 'PayerBankSortCode,PayerBankAccountNumber,Value,PayeeBankSortCode,PayeeBankAccountNumber,PayeeBankAccountName,PayeeBankBACSReference,Details\r\n'
        for ((i = 0; i < 4000; i++)); do
            printf '40-12-76,41829374,%d.%02d,20-%02d-06,%08d,"Supplier %d, Ltd",INV-%05d,Invoice %d\r\n' \
                $((i % 5000 + 1)) $((i % 100)) $((i % 100)) $((73000000 + i)) "$i" "$i" "$i"
        done
    } >"$1"
}

# Prints "MIN MEDIAN" in ms of $runs runs of the command given, after one run to warm the page cache.
time_runs() {
    "$@"
    local times=() start end
    for ((r = 0; r < runs; r++)); do
        start=$EPOCHREALTIME
        "$@"
        end=$EPOCHREALTIME
        times+=("$(awk -v s="$start" -v e="$end" 'BEGIN { printf "%.3f", (e - s) * 1000 }')")
    done
    local sorted
    sorted=$(printf '%s\n' "${times[@]}" | sort -n)
    echo "$(head -n1 <<<"$sorted") $(sed -n "$(((runs + 1) / 2))p" <<<"$sorted")"
}

varrow=build/native/varrow
runs=${RUNS:-50}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
payments="$work/payments.csv"
write_payment_list "$payments"
