#!/usr/bin/env bash
# The waits a user of the component sees, measured under Wine with the registered i686 DLL and
# the substitute host (tests/com_response_times_test.cpp): the options dialog of Process with 8
# and with 4000 payments (on screen after the call, Set and Reset on every row until the list
# shows the new marks) and the import of a 20 MB statement through COM.
# Goals: with 4000 payments the dialog is on screen at most 3 times later than with 8, and Set or
# Reset on all rows takes at most 300 ms.
# The i686 tree is the shipping one; where 32-bit programs do not run natively (scripts/wine-loader:
# not at all, or only under emulation, whose times would say nothing of a real machine), the x86_64
# tree is measured instead.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD:-build/win32}
if [[ -z ${BUILD:-} && $(scripts/wine-loader --how 32) != native ]]; then
    build=build/win64
    echo "(32-bit programs do not run natively here: measuring $build)"
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
[[ -f $build/TeskVarrowInternetBanking.dll ]] || { echo "bench/response_times.sh: build $build first (make build)" >&2; exit 1; }
log=$work/log

echo "response times under Wine: load average $(cut -d' ' -f1 /proc/loadavg) on $(nproc) cores"
if ! scripts/wine-ctest "$build" -R 'ResponseTimesTest' -V >"$log" 2>&1; then
    tail -n 40 "$log" >&2
    echo "bench/response_times.sh: the measuring test failed" >&2
    exit 1
fi

figure() {  # figure KIND KEY [PAYMENTS]: one value of the "figure:" lines the test prints
    grep -o "figure: $1 .*" "$log" | grep -e "${3:-}" | grep -o "$2=[0-9.]*" | head -n1 | cut -d= -f2
}
open8=$(figure dialog open_ms 'payments=8 ')
open4000=$(figure dialog open_ms 'payments=4000 ')
printf '  %-36s %12s %14s\n' "options dialog (median of 3 runs)" "8 payments" "4000 payments"
for key in open_ms set_ms reset_ms; do
    case $key in
        open_ms) what="on screen after the call to Process" ;;
        set_ms) what="Set on every row until shown" ;;
        reset_ms) what="Reset on every row until shown" ;;
    esac
    printf '  %-36s %9s ms %11s ms\n' "$what" "$(figure dialog $key 'payments=8 ')" "$(figure dialog $key 'payments=4000 ')"
done
awk -v o8="$open8" -v o4="$open4000" -v s="$(figure dialog set_ms 'payments=4000 ')" \
    -v r="$(figure dialog reset_ms 'payments=4000 ')" 'BEGIN {
    ratio = o4 / (o8 > 0 ? o8 : 1)
    printf "  goal on screen <= 3 x the 8-payment figure: %s (%.1f x)\n", ratio <= 3 ? "met" : "NOT met", ratio
    worst = s > r ? s : r
    printf "  goal Set and Reset <= 300 ms: %s (%d ms)\n", worst <= 300 ? "met" : "NOT met", worst
}'
printf '  statement import through COM: %s MB, %s transactions, %s ms, %s MB/s (median of 3 runs)\n' \
    "$(figure import megabytes)" "$(figure import transactions)" "$(figure import ms)" "$(figure import mb_per_s)"
