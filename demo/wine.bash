# Sourced by the demos: the Windows build to show and the Wine that runs it. The i686 build is the
# host's architecture; a machine whose kernel cannot run 32-bit programs shows the x86_64 build.
if VARROW_WINE=$(scripts/wine-loader 32 2>/dev/null); then
    build=build/win32
else
    VARROW_WINE=$(scripts/wine-loader 64)
    build=build/win64
fi
export VARROW_WINE
wine_runner=$PWD/cmake/wine-run.sh
wine() { "$wine_runner" "$@"; }
