#!/usr/bin/env bash
# The bank's account number check: each payee of samples/payments.csv checked with the shipped
# modulus tables, then the standard domestic export with the check on, as the component writes it
# when BANKSERV.INI turns the check on.
set -euo pipefail
cd "$(dirname "$0")/.."
varrow=build/native/varrow
payments=samples/payments.csv
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

echo "=== varrow check-account: two accounts, each typed right and with two digits swapped"
"$varrow" --version | sed -n 2p
status=0
"$varrow" check-account 08-99-99 66374958 08-99-99 66347958 10-79-99 88837491 10-79-99 88837419 || status=$?
echo "--- exit status $status"
echo

# The sample's payees are made up, so the check finds most of them wrong, as the bank would.
echo "=== varrow check-account (the payees of $payments, from standard input)"
status=0
# Columns 5 and 6 hold the payee's sort code and account number.
tail -n +2 "$payments" | cut -d, -f5,6 | "$varrow" check-account || status=$?
echo "--- exit status $status"
echo

echo "=== varrow export --check-accounts --format standard-domestic ($payments)"
status=0
"$varrow" export --check-accounts --format standard-domestic --today 01/12/2026 --date 07/12/2026 \
    -o "$work/checked.txt" "$payments" || status=$?
echo "--- exit status $status"
