#!/usr/bin/env bash
# Writes samples/statement.csv as OFX for the current account 40-12-76 41829374, as a user would
# before importing it into GnuCash or KMyMoney, with a closing balance read from online banking,
# and prints the file; then lets libofx's ofxdump read it back where it is installed.
set -euo pipefail
cd "$(dirname "$0")/.."
varrow=build/native/varrow
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
args=(--to ofx --sort-code 40-12-76 --account 41829374 --closing-balance 14021.71 --balance-date 09/12/2026)

echo "=== varrow statement ${args[*]} -o december.ofx samples/statement.csv"
"$varrow" statement "${args[@]}" -o "$work/december.ofx" samples/statement.csv
echo "--- december.ofx (CR LF line ends)"
tr -d '\r' <"$work/december.ofx"
if [[ -x /usr/bin/ofxdump ]]; then
    echo "--- as libofx reads it (ofxdump: the transactions)"
    TZ=UTC /usr/bin/ofxdump "$work/december.ofx" 2>/dev/null |
        grep -E '^    (Date posted|Total money amount|Check number|Name of payee|Financial institution.s ID)'
fi
echo
