#!/usr/bin/env bash
# Starts the built Quorvex under Wine on the build's prefix and display, waits until its main
# dialog is shown and drawn, saves a screenshot of the display, then ends the program.
#   scripts/screenshot.sh [BUILD_DIR [OUT.png [tray-menu]]]
# Defaults: build/x86_64 and BUILD_DIR/quorvex-screenshot.png. With tray-menu, the tray icon's
# menu is opened (as by a right click) before the shot. Prints the screenshot's path.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

build=$(cd "${1:-$QV_ROOT/build/x86_64}" && pwd)
out=${2:-$build/quorvex-screenshot.png}
case "${3:-}" in
  "") view=() ;;
  tray-menu) view=(--tray-menu) ;;
  *) qv_log "unknown view: $3 (tray-menu is the one there is)"; exit 1 ;;
esac
waitwin="$build/tests/tools/waitwin.exe"
for f in "$build/bin/Quorvex.exe" "$waitwin"; do
  [ -f "$f" ] || { qv_log "missing $f: build the tree first (scripts/build.sh x86_64)"; exit 1; }
done
mkdir -p "$(dirname "$out")"
out="$(cd "$(dirname "$out")" && pwd)/$(basename "$out")"

prefix="$build/wineprefix"
qv_wine_env "$prefix"
qv_prefix "$prefix"
qv_display "$prefix.display"
qv_wineserver

# Started from its own folder, as a user would: UpdateApp.exe and skin.smf are found there.
(cd "$build/bin" && exec "$WINELOADER" Quorvex.exe </dev/null >/dev/null 2>&1) &
program=$!
# Whatever happens, the program does not outlive the script.
trap 'kill "$program" 2>/dev/null || true' EXIT

if ! "$WINELOADER" "$waitwin" --timeout 60000 "${view[@]}" Quorvex </dev/null >/dev/null 2>&1; then
  qv_log "the Quorvex window did not appear"
  exit 1
fi
xwd -root -display "$DISPLAY" -silent | convert xwd:- "$out"
# End it with its Exit command; waitwin terminates it when that does not work in time.
"$WINELOADER" "$waitwin" --timeout 10000 --close Quorvex </dev/null >/dev/null 2>&1 || true
wait "$program" 2>/dev/null || true
trap - EXIT
echo "$out"
