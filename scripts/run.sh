#!/usr/bin/env bash
# Builds Quorvex (x86_64) and starts it under Wine.
# With a DISPLAY: runs it there in the foreground, on Wine's virtual desktop, until it ends.
# Without one: runs it on an Xvfb display of its own, saves a screenshot to
# build/x86_64/quorvex-screenshot.png and prints where it is.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

"$QV_ROOT/scripts/bootstrap.sh"
"$QV_ROOT/scripts/build.sh" x86_64
build="$QV_ROOT/build/x86_64"

if [ -n "${DISPLAY:-}" ]; then
  # A prefix of its own: what the program stores (preferences, start with Windows) stays
  # apart from the test prefix, and its desktop opens on this display.
  prefix="$build/wineprefix-run"
  qv_wine_env "$prefix"
  qv_prefix "$prefix"
  cd "$build/bin"
  qv_log "starting Quorvex on $DISPLAY"
  exec "$WINELOADER" Quorvex.exe
fi

# Headless: the build's prefix on an Xvfb display. When this run starts the display, it also
# stops it (and the prefix's Wine server) afterwards.
prefix="$build/wineprefix"
state="$prefix.display"
display_was_up=false
if [ -f "$state" ]; then
  read -r n xpid < "$state" || true
  if [ -n "${xpid:-}" ] && kill -0 "$xpid" 2>/dev/null; then display_was_up=true; fi
fi
shot=$("$QV_ROOT/scripts/screenshot.sh" "$build" "$build/quorvex-screenshot.png")
if ! $display_was_up && [ -f "$state" ]; then
  qv_wine_env "$prefix"
  "$WINESERVER" -k 2>/dev/null || true
  read -r n xpid < "$state" || true
  [ -n "${xpid:-}" ] && kill "$xpid" 2>/dev/null || true
  rm -f "$state"
fi
qv_log "Quorvex ran on a virtual display; its screenshot: $shot"
echo "$shot"
