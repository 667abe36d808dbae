#!/usr/bin/env bash
# Runs a Windows executable under 64-bit Wine in the build tree's own prefix, on the display
# of the caller or on an Xvfb display of the build tree. Used by CTest as the emulator.
#   wine-run.sh --prefix DIR program.exe [args...]
set -eu
. "$(dirname "$0")/lib.sh"
prefix=""
if [ "${1:-}" = "--prefix" ]; then prefix="$2"; shift 2; fi
[ -n "$prefix" ] || prefix="$QV_ROOT/build/wineprefix"
prefix=$(realpath -m "$prefix")
qv_wine_env "$prefix"
qv_prefix "$prefix"
qv_display "$prefix.display"
qv_wineserver
exec /usr/lib/wine/wine64 "$@"
