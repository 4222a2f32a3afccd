#!/usr/bin/env bash
# Imports samples/statement.csv through the registered component (the build demo/wine.bash picks)
# under Wine, with the substitute host playing the accounting application: its file
# chooser first tries the component's recogniser on the statement and on samples/payments.csv,
# then the user "chooses" the statement, and the transactions of account 40-12-76 41829374 reach
# the substitute reconciliation list. Prints every call the substitute host received, then what
# `varrow statement` prints for the same file and account.
set -euo pipefail
cd "$(dirname "$0")/.."
source demo/wine.bash
sort_code=40-12-76
account=41829374

# A private Wine prefix for this run, thrown away afterwards with its registrations.
WINEPREFIX=$(mktemp -d)
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
trap 'wineserver -k >/dev/null 2>&1 || true; rm -rf "$WINEPREFIX"' EXIT
(wineserver -p; wine cmd /c exit) >/dev/null 2>&1 </dev/null

windows_path() { echo "Z:$(pwd)/$1" | tr / '\\'; }

# regsvr32 takes an argument beginning with "/" as a switch: register beside the DLLs.
(cd "$build" && wine regsvr32 /s TeskVarrowInternetBanking.dll && wine regsvr32 /s SubstituteHost.dll) \
    >/dev/null 2>&1 </dev/null

echo "=== ImportStatement through TeskVarrowInternetBanking.dll, account $sort_code $account"
wine "$build/ImportDemo.exe" "$(windows_path samples/statement.csv)" "$sort_code" "$account" \
    "$(windows_path samples/statement.csv)" "$(windows_path samples/payments.csv)" </dev/null | tr -d '\r'
echo
echo "=== varrow statement --sort-code $sort_code --account $account samples/statement.csv"
build/native/varrow statement --sort-code "$sort_code" --account "$account" samples/statement.csv
