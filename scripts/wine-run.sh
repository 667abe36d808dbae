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
# The program's output goes through a file: Wine's own helper processes (the desktop, the
# services) started on behalf of the first program inherit its handles, and a pipe held open
# by them would keep the caller (ctest, a pipeline) waiting long after the program ended.
out=$(mktemp)
trap 'rm -f "$out"' EXIT
status=0
/usr/lib/wine/wine64 "$@" </dev/null >"$out" 2>&1 || status=$?
cat "$out"
exit $status
