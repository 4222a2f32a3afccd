#!/usr/bin/env bash
# A Windows build against the native one: what its programs write, and what the host receives
# from its component, must be byte for byte what the native varrow writes for the same input. On
# the i686 build this is the check that the shipped width computes what the core computes.
#
#   matches_native.sh export|process|import WINE_RUN NATIVE_VARROW BUILD_DIR
#
#   export   varrow.exe writes the four formats from awkward_payments.csv, on processing dates
#            around the year ends, as the native varrow does
#   process  Process, through the real dialogs and the substitute host, writes each format as
#            the native varrow export does with the same choices (one Wine process for all four)
#   import   the transactions that ImportStatement hands to a host written apart from the project
#            (plain_host/) are those the native varrow statement reads
#
# Each Wine process has a time limit of VARROW_PROCESS_TIMEOUT seconds (600 unless set), so that a
# hang fails the check instead of holding up the run. The component must be registered already.
set -euo pipefail
check=$1 wine_run=$2 native=$3 build=$4
here=$(cd "$(dirname "$0")" && pwd)
limit=${VARROW_PROCESS_TIMEOUT:-600}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/wine" "$work/native"
failed=0

wine_path() { echo "Z:${1//\//\\}"; }
under_wine() { timeout -k 10 "$limit" "$wine_run" "$@" </dev/null; }
without_cr() { tr -d '\r' <"$1"; }

# same NAME EXPECTED ACTUAL: the two files are equal, or the difference is shown.
same() {
    if cmp -s "$2" "$3"; then
        echo "same: $1"
    else
        echo "DIFFERENT: $1 (native, then $build)"
        diff "$2" "$3" | head -n 20 || true
        failed=1
    fi
}

formats=(standard-domestic domestic-template bulk-list ad-hoc-bulk)
# varrow export's processing date and the day that counts as today, per format: around year ends.
declare -A export_dates=([standard-domestic]="31/12/2026 30/12/2026" [domestic-template]="02/01/2029 28/12/2028"
                         [bulk-list]="31/12/2027 30/12/2027" [ad-hoc-bulk]="04/01/2027 31/12/2026")

# The choices a user makes for FORMAT in the options dialog, as varrow export's options, one a line.
choices() {
    case $1 in
        domestic-template) printf '%s\n' --template "Joinery Dec" ;;
        bulk-list) printf '%s\n' --template SUPPLIERS-DEC --benref "HJL DEC RUN" ;;
        ad-hoc-bulk) printf '%s\n' --benref "HJL DEC RUN" ;;
    esac
}

# varrow export FORMAT in both builds; the report without the CRs of the Windows console.
export_both() {
    local format=$1 date today
    read -r date today <<<"${export_dates[$format]}"
    mapfile -t args < <(choices "$format")
    args=(--format "$format" --date "$date" --today "$today" "${args[@]}")
    "$native" export "${args[@]}" -o "$work/native/$format.txt" "$here/awkward_payments.csv" \
        >"$work/native/$format.out" 2>&1 || true
    under_wine "$build/varrow.exe" export "${args[@]}" -o "$(wine_path "$work/wine/$format.txt")" \
        "$(wine_path "$here/awkward_payments.csv")" >"$work/wine/$format.raw" 2>&1 || true
    without_cr "$work/wine/$format.raw" >"$work/wine/$format.out"
}

check_export() {
    local format
    # Two Wine processes at a time: under emulation each start costs about a minute.
    for format in "${formats[@]}"; do
        export_both "$format" &
        [[ $(jobs -r | wc -l) -lt 2 ]] || wait -n
    done
    wait
    for format in "${formats[@]}"; do
        same "varrow export --format $format: upload file" "$work/native/$format.txt" "$work/wine/$format.txt"
        same "varrow export --format $format: statuses" "$work/native/$format.out" "$work/wine/$format.out"
    done
}

check_process() {
    local -a runs=()
    local format
    for format in "${formats[@]}"; do
        mkdir -p "$work/wine/$format" "$work/native/$format"
        [[ ${#runs[@]} -eq 0 ]] || runs+=(--then)
        mapfile -t args < <(choices "$format")
        runs+=("$(wine_path "$work/wine/$format/upload.txt")" "$format" "${args[@]}")
    done
    under_wine "$build/process_demo.exe" "$(wine_path "$here/awkward_payments.csv")" "${runs[@]}" \
        >"$work/process.raw" 2>&1 || { cat "$work/process.raw"; failed=1; }
    without_cr "$work/process.raw" >"$work/process.report"
    # The report holds, run after run, the date the dialog offered and each payment's Status.
    mapfile -t dates < <(sed -n 's/^processing date //p' "$work/process.report")
    local i=0
    for format in "${formats[@]}"; do
        mapfile -t args < <(choices "$format")
        "$native" export --format "$format" --date "${dates[$i]:-none}" "${args[@]}" \
            -o "$work/native/$format/upload.txt" "$here/awkward_payments.csv" >"$work/native/$format/report" 2>&1 || true
        same "Process, $format, on ${dates[$i]:-no date}: upload file" "$work/native/$format/upload.txt" \
            "$work/wine/$format/upload.txt"
        sed -nE 's/^([0-9]+)\t([0-9]+)\t.*/payment \1: Status \2/p' "$work/native/$format/report" >>"$work/native/statuses"
        i=$((i + 1))
    done
    grep '^payment ' "$work/process.report" >"$work/wine/statuses" || true
    same "Process: every payment's Status, run after run" "$work/native/statuses" "$work/wine/statuses"
}

check_import() {
    local statement=$here/awkward_statement.csv
    under_wine "$build/statement_import_host.exe" "$(wine_path "$statement")" 40-12-76 41829374 \
        "$(wine_path "$here/../../samples/payments.csv")" >"$work/wine/import.raw" 2>"$work/wine/import.err" ||
        { cat "$work/wine/import.err"; failed=1; }
    without_cr "$work/wine/import.raw" >"$work/wine/import.csv"
    # The host is not told each record's account: the native listing without those two columns.
    "$native" statement --sort-code 40-12-76 --account 41829374 "$statement" |
        sed -E '1s/^number,sort_code,account,/number,/; 2,$s/^([0-9]+),[0-9]*,[0-9]*,/\1,/' >"$work/native/import.csv"
    same "ImportStatement: the transactions the host received" "$work/native/import.csv" "$work/wine/import.csv"
    # The recogniser, called as the chooser block declares it, tells the statement from a payment list.
    local answers
    answers=$(tr -d '\r' <"$work/wine/import.err" | grep '^recogniser' || true)
    if [[ $answers != *"statement.csv) -> 1, Varrow Quidlane Statement"*"payments.csv) -> 0"* ]]; then
        echo "DIFFERENT: the recogniser's answers: $answers"
        failed=1
    else
        echo "same: the recogniser's answers"
    fi
}

case $check in
    export) check_export ;;
    process) check_process ;;
    import) check_import ;;
    *) echo "usage: matches_native.sh export|process|import WINE_RUN NATIVE_VARROW BUILD_DIR" >&2; exit 64 ;;
esac
[[ $failed -eq 0 ]] && echo "MATCHES NATIVE: $check" || exit 1
