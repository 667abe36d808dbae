#!/usr/bin/env bash
# Whole-program benchmarks, run on demand (never part of the test pass).
#   scripts/bench.sh [ROUNDS]
# Builds the x86_64 preset's programs, then runs Quorvex and the floor (QuorvexFloor.exe: the
# same dialog template and platform calls under a bare dialog procedure) side by side,
# alternating which goes first, ROUNDS times each under the same Wine prefix and display, and
# prints medians and ratios of: start-up to the main dialog visible, CPU time over an idle
# period shown and another hidden, peak working set. Then runs the micro-benchmarks.
# Settings (environment):
#   BENCH_ROUNDS         rounds per program (default 7; the argument wins)
#   BENCH_IDLE_SECONDS   length of each idle period (default 60; the recorded figures use 60)
#   BENCH_BUILD_DIR      build tree to use (default build/x86_64, configured from its preset)
#   BENCH_REQUIRED_FLOOR 0: leave out the second floor (QuorvexFloorRequired.exe: the floor plus
#                        the common controls and the capture worker's socket and thread, which
#                        the program needs whoever writes it); by default it runs too
set -euo pipefail
. "$(dirname "$0")/lib.sh"
cd "$QV_ROOT"

rounds=${1:-${BENCH_ROUNDS:-7}}
idle=${BENCH_IDLE_SECONDS:-60}
build=${BENCH_BUILD_DIR:-$QV_ROOT/build/x86_64}
case "$rounds$idle" in *[!0-9]*) qv_log "rounds and idle seconds are whole numbers"; exit 1 ;; esac
[ "$rounds" -ge 1 ] || { qv_log "at least one round"; exit 1; }

# Build only what the benchmarks run.
if [ ! -f "$build/build.ninja" ]; then
  if [ "$build" = "$QV_ROOT/build/x86_64" ]; then
    cmake --preset x86_64 >/dev/null
  else
    cmake -S "$QV_ROOT" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$QV_ROOT/cmake/mingw-x86_64.cmake" \
      -DCMAKE_BUILD_TYPE=Release >/dev/null
  fi
fi
build=$(cd "$build" && pwd)
qv_log "building the benchmarked programs in $build"
cmake --build "$build" --target Quorvex UpdateApp skinlet quorvex_floor quorvex_floor_required bench_measure \
  bench_refresh bench_capture_drain -- -j"$(nproc)" >/dev/null

prefix="$build/wineprefix"
qv_wine_env "$prefix"
qv_prefix "$prefix"
display_was_up=false
if [ -n "${DISPLAY:-}" ]; then
  display_was_up=true
elif [ -f "$prefix.display" ]; then
  read -r _ xpid < "$prefix.display" || true
  [ -n "${xpid:-}" ] && kill -0 "$xpid" 2>/dev/null && display_was_up=true
fi
qv_display "$prefix.display"
qv_wineserver
work=$(mktemp -d)
cleanup() {
  rm -rf "$work"
  # A display (and its Wine server) that this run started goes with it.
  if ! $display_was_up && [ -f "$prefix.display" ]; then
    "$WINESERVER" -k 2>/dev/null || true
    read -r _ xpid < "$prefix.display" || true
    [ -n "${xpid:-}" ] && kill "$xpid" 2>/dev/null || true
    rm -f "$prefix.display"
  fi
}
trap cleanup EXIT

winpath() { printf 'Z:%s' "${1//\//\\}"; }
measure=$(winpath "$build/bench/BenchMeasure.exe")
# Both start from the program's folder, so both find the same UpdateApp.exe (and Quorvex its skin).
folder=$(winpath "$build/bin")
declare -A exe=([quorvex]=$(winpath "$build/bin/Quorvex.exe") [floor]=$(winpath "$build/bench/QuorvexFloor.exe")
  [required]=$(winpath "$build/bench/QuorvexFloorRequired.exe"))
# Quorvex hides with its Minimize command; the floors have none and are hidden from outside.
declare -A hide=([quorvex]=command [floor]=showwindow [required]=showwindow)
programs=(quorvex floor)
[ "${BENCH_REQUIRED_FLOOR:-1}" = 1 ] && programs+=(required)
results="$work/results"
: > "$results"

# One measured run: appends "<program> key=value..." to the results.
run_one() {
  local program=$1 out="$work/out"
  "$WINELOADER" "$measure" "${exe[$program]}" "$folder" "$idle" "${hide[$program]}" </dev/null >"$out" 2>/dev/null || true
  local line
  line=$(tr -d '\r' < "$out" | grep -E '^(startup_ms|error)=' | tail -n 1 || true)
  printf '  %-8s %s\n' "$program" "${line:-error=no-output}" >&2
  case "$line" in startup_ms=*) echo "$program $line" >> "$results" ;; esac
}

count=${#programs[@]}
qv_log "$rounds rounds of ${programs[*]}, idle periods of $idle s (about $((rounds * count * (2 * idle + 5) / 60 + 1)) min)"
for round in $(seq 1 "$rounds"); do
  qv_log "round $round of $rounds"
  # Each round starts with the next program, so none always runs first (or last).
  for i in $(seq 0 $((count - 1))); do run_one "${programs[$(((round - 1 + i) % count))]}"; done
done

echo
echo "Quorvex against the floor: $rounds rounds, idle periods of $idle s ($(date -u '+%Y-%m-%d %H:%M UTC'))"
echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//'), $("$WINELOADER" --version 2>/dev/null)"
awk -v rounds="$rounds" '
  function median(program, key,   n, i, j, v, t) {
    n = 0
    for (i = 1; i <= runs[program]; i++) v[++n] = value[program, i, key]
    if (n == 0) return -1
    for (i = 2; i <= n; i++) { t = v[i]; for (j = i - 1; j >= 1 && v[j] > t; j--) v[j + 1] = v[j]; v[j + 1] = t }
    return n % 2 ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2
  }
  {
    program = $1; k = ++runs[program]
    for (f = 2; f <= NF; f++) { split($f, kv, "="); value[program, k, kv[1]] = kv[2] }
  }
  function row(label, key, unit, target, limit, kind,   q, f, verdict, shown) {
    q = median("quorvex", key); f = median(base, key)
    if (q < 0 || f < 0) { printf "%-34s no figures\n", label; return }
    if (kind == "ratio") {
      shown = (f > 0) ? sprintf("%.2fx", q / f) : "n/a"
      verdict = (f > 0 && q <= limit * f) ? "met" : "MISSED"
    } else if (kind == "diff") {
      shown = sprintf("%+.2f MiB", (q - f) / 1024)
      verdict = (q - f <= limit) ? "met" : "MISSED"
    } else { shown = ""; verdict = "" }
    printf "%-34s %10.1f %10.1f %12s   %-18s %s\n", label, q, f, shown, target, verdict
  }
  function table(name) {
    base = name
    printf "%-34s %10s %10s %12s   %-18s %s\n", "median", "Quorvex", name, "ratio/diff", "target", ""
    row("start-up to dialog visible (ms)", "startup_ms", "ms", "<= 1.10x floor", 1.10, "ratio")
    row("CPU idle, shown (ms)", "cpu_shown_ms", "ms", "<= 1.10x floor", 1.10, "ratio")
    row("CPU idle, hidden (ms)", "cpu_hidden_ms", "ms", "<= 1.10x floor", 1.10, "ratio")
    row("peak working set (KiB)", "peak_ws_kib", "KiB", "<= floor + 2 MiB", 2048, "diff")
    row("CPU up to dialog visible (ms)", "cpu_start_ms", "ms", "(information)", 0, "info")
    row("CPU of hiding (ms)", "cpu_hide_ms", "ms", "(information)", 0, "info")
    row("peak private bytes (KiB)", "peak_private_kib", "KiB", "(information)", 0, "info")
  }
  END {
    printf "runs measured: Quorvex %d, floor %d", runs["quorvex"], runs["floor"]
    if (runs["required"]) printf ", floor with what is required %d", runs["required"]
    printf " (of %d each)\n", rounds
    table("floor")
    if (runs["required"]) {
      print "\nagainst the floor with the common controls and the capture worker (QuorvexFloorRequired.exe):"
      table("required")
    }
  }' "$results"
echo
echo "every run (program, figures):"
sed 's/^/  /' "$results"

echo
echo "capture drain (bench_capture_drain):"
"$WINELOADER" "$(winpath "$build/bench/bench_capture_drain.exe")" </dev/null 2>/dev/null | tr -d '\r' | sed 's/^/  /' || true
echo "statistics refresh (bench_refresh):"
"$WINELOADER" "$(winpath "$build/bench/bench_refresh.exe")" </dev/null 2>/dev/null | tr -d '\r' | sed 's/^/  /' || true
