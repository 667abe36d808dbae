#!/usr/bin/env bash
# Configures and builds the given presets (default: both).
set -euo pipefail
. "$(dirname "$0")/lib.sh"
cd "$QV_ROOT"
presets=("$@")
[ ${#presets[@]} -gt 0 ] || presets=(x86_64 i686)
for preset in "${presets[@]}"; do
  qv_log "building $preset"
  [ -f "build/$preset/build.ninja" ] || cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -- -j"$(nproc)"
done
