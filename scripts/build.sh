#!/usr/bin/env bash
# Configures and builds the given presets (default: both): everything, or the targets named
# in QV_TARGETS.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
cd "$QV_ROOT"
presets=("$@")
[ ${#presets[@]} -gt 0 ] || presets=(x86_64 i686)
for preset in "${presets[@]}"; do
  qv_log "building $preset"
  [ -f "build/$preset/build.ninja" ] || cmake --preset "$preset" >/dev/null
  # shellcheck disable=SC2086
  cmake --build --preset "$preset" ${QV_TARGETS:+--target $QV_TARGETS} -- -j"$(nproc)"
done
