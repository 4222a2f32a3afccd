#!/bin/sh
# Runs a Windows program under a quiet Wine. WINEPREFIX and VARROW_WINE (the loader, from
# scripts/wine-loader) come from scripts/wine-ctest; alone, a private prefix under /tmp is used and
# the loader is looked for. "--64" first: start Wine's builtin programs (cscript, reg) as 64-bit,
# since Debian's wine starts them as 32-bit.
: "${WINEPREFIX:=${TMPDIR:-/tmp}/varrow-wine-prefix}"
export WINEPREFIX
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
: "${VARROW_WINE:=$("$(dirname "$0")/../scripts/wine-loader" 64)}" || exit 1
WINE=$VARROW_WINE
# Without Debian's wrapper, Wine would look for the 32-bit loader to start further programs.
[ "$WINE" = wine ] || export WINELOADER="$WINE"
if [ "$1" = "--64" ]; then
    shift
    WINE=/usr/lib/wine/wine64
fi
exec "$WINE" "$@"
