#!/usr/bin/env bash
# The host's payment run under Wine: registers the component (demo/wine.bash picks the build) and
# the substitute host in a private Wine prefix on a virtual display, and runs Process on the
# payments of samples/payments.csv once per payment format. A second thread of the driver plays the
# user: it chooses the format in the options dialog, types the template name and beneficiary reference,
# keeps the offered processing date, and types the file name into the save dialog. Each upload file
# is printed beside the one `build/native/varrow export` writes from the same payments and choices,
# and the two must be identical.
set -euo pipefail
cd "$(dirname "$0")/.."
source demo/wine.bash

formats=(standard-domestic domestic-template bulk-list ad-hoc-bulk)
declare -A choices=(
    [standard-domestic]=""
    [domestic-template]="--template|Joinery Dec"
    [bulk-list]="--template|SUPPLIERS-DEC|--benref|HJL DEC RUN"
    [ad-hoc-bulk]="--benref|HJL DEC RUN"
)

wine_path() { echo "Z:${1//\//\\}"; }

# The choices of one format, one per line (none for standard-domestic).
choice_args() {
    [[ -n "${choices[$1]}" ]] || return 0
    local IFS='|'
    read -r -a args <<<"${choices[$1]}"
    printf '%s\n' "${args[@]}"
}

# Inside the virtual display: one wineserver for every run, the DLLs registered once.
if [[ "${1:-}" == --runs ]]; then
    work=$2
    mkdir -p "$WINEPREFIX"
    { wineserver -p && wine cmd /c exit; } >/dev/null 2>&1 </dev/null
    status=0
    (cd "$build" && wine regsvr32 /s TeskVarrowInternetBanking.dll && wine regsvr32 /s SubstituteHost.dll) \
        >/dev/null 2>&1 </dev/null || status=$?
    if [[ $status -eq 0 ]]; then
        for format in "${formats[@]}"; do
            mapfile -t args < <(choice_args "$format")
            wine "$build/process_demo.exe" "$(wine_path "$PWD/samples/payments.csv")" \
                "$(wine_path "$work/wine/$format.txt")" "$format" "${args[@]}" \
                >"$work/wine/$format.report" 2>&1 </dev/null || status=$?
        done
    fi
    wineserver -k >/dev/null 2>&1 || true
    exit $status
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/wine" "$work/native"
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

echo "=== Process under Wine: $build/TeskVarrowInternetBanking.dll with the substitute host"
if ! xvfb-run -a -s '-screen 0 1024x768x24' "$0" --runs "$work"; then
    cat "$work"/wine/*.report >&2 2>/dev/null || true
    echo "demo: a payment run under Wine did not finish" >&2
    exit 1
fi

differ=0
for format in "${formats[@]}"; do
    mapfile -t args < <(choice_args "$format")
    report="$work/wine/$format.report"
    date=$(sed -n 's/^processing date //p' "$report" | tr -d '\r')
    echo
    echo "=== $format${args[*]:+ ${args[*]}} (samples/payments.csv)"
    tr -d '\r' <"$report"
    echo "--- upload file written by Process (CR LF line ends)"
    tr -d '\r' <"$work/wine/$format.txt"
    native_status=0
    build/native/varrow export --format "$format" --date "$date" "${args[@]}" -o "$work/native/$format.txt" \
        samples/payments.csv >/dev/null 2>&1 || native_status=$?
    echo "--- upload file written by varrow export --format $format --date $date${args[*]:+ ${args[*]}} (exit status $native_status)"
    tr -d '\r' <"$work/native/$format.txt"
    if cmp -s "$work/wine/$format.txt" "$work/native/$format.txt"; then
        echo "--- identical, byte for byte"
    else
        echo "--- DIFFERENT"
        differ=1
    fi
done

echo
echo "=== settings the runs left (C:\\ProgramData\\TESK\\Tesk EBanking\\BANKSERV.INI)"
tr -d '\r' <"$WINEPREFIX/drive_c/ProgramData/TESK/Tesk EBanking/BANKSERV.INI"
if [[ $differ -ne 0 ]]; then
    echo "demo: the upload files of Process and varrow export differ" >&2
    exit 1
fi
