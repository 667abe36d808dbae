#!/usr/bin/env bash
# The whole test pass: install what is missing, build both targets, run every suite of the
# x86_64 build under Wine (the i686 build cannot run on these machines; it is built only).
set -euo pipefail
. "$(dirname "$0")/lib.sh"
cd "$QV_ROOT"
"$QV_ROOT/scripts/bootstrap.sh"
"$QV_ROOT/scripts/build.sh" x86_64
# The 32-bit build: what we ship (program, skin library, updater, installer, zip).
QV_TARGETS="Quorvex skinlet UpdateApp installer portable_zip" "$QV_ROOT/scripts/build.sh" i686

prefix="$QV_ROOT/build/x86_64/wineprefix"
qv_wine_env "$prefix"
qv_prefix "$prefix"
qv_display "$prefix.display"
qv_wineserver

cd build/x86_64
status=0
ctest --output-on-failure --timeout 300 "$@" || status=$?
"$WINESERVER" -k 2>/dev/null || true
# The display this pass started goes with it.
if [ -f "$prefix.display" ]; then
  read -r _ xpid < "$prefix.display" || true
  [ -n "${xpid:-}" ] && kill "$xpid" 2>/dev/null || true
  rm -f "$prefix.display"
fi
exit $status
