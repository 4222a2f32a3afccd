#!/bin/sh
# Runs a Windows program under a quiet Wine. WINEPREFIX comes from scripts/wine-ctest; alone, a
# private prefix under /tmp is used. "--64" first: start Wine's builtin programs (cscript, reg) as
# 64-bit, since Debian's wine starts them as 32-bit.
: "${WINEPREFIX:=${TMPDIR:-/tmp}/varrow-wine-prefix}"
export WINEPREFIX
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
WINE=wine
if [ "$1" = "--64" ]; then
    shift
    if [ -x /usr/lib/wine/wine64 ]; then WINE=/usr/lib/wine/wine64; else WINE=wine64; fi
fi
exec "$WINE" "$@"
