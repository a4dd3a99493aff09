#!/usr/bin/env bash
# Start-up to the mapped standard window and resident memory of numora beside a bare Qt
# Widgets program, measured in one run on one X server, alternating the two programs.
#   bench/windows/startup.sh [BUILD_DIR] [ROUNDS]     (default: build, 15 rounds)
# Needs xvfb-run (it starts its own X server) and the build's numora, numora-bare-qt and
# numora-window-driver. Targets: start-up at most 1.05 times, memory at most 1.5 times.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-build}
case "$build" in /*) ;; *) build="$root/$build" ;; esac
rounds=${2:-15}

for tool in numora numora-bare-qt numora-window-driver; do
  [ -x "$build/$tool" ] || { echo "startup.sh: $build/$tool is missing: build it first" >&2; exit 2; }
done

if [ -z "${NUMORA_BENCH_ON_X:-}" ]; then
  command -v xvfb-run >/dev/null || { echo "startup.sh: xvfb-run is missing" >&2; exit 2; }
  NUMORA_BENCH_ON_X=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$build" "$rounds"
fi
export QT_QPA_PLATFORM=xcb

measure() {  # TITLE PROGRAM: prints "startup_ms rss_kb"
  "$build/numora-window-driver" --close --settle 300 "$1" -- "$2" 2>/dev/null |
    sed -E 's/startup_ms=([0-9.]+) rss_kb=([0-9]+) exit=0/\1 \2/;t;s/.*/failed/'
}

# One unmeasured start of each, so that both meet warm file caches.
measure Numora "$build/numora" >/dev/null
measure Bare "$build/numora-bare-qt" >/dev/null

samples=$(mktemp)
trap 'rm -f "$samples"' EXIT
for ((i = 0; i < rounds; i++)); do
  echo "numora $(measure Numora "$build/numora")" >>"$samples"
  echo "bare $(measure Bare "$build/numora-bare-qt")" >>"$samples"
done
if grep -q failed "$samples"; then
  echo "startup.sh: a run did not show its window or did not end with status 0" >&2
  exit 1
fi

median() {  # NAME COLUMN
  awk -v n="$1" -v c="$2" '$1 == n { print $c }' "$samples" | sort -n |
    awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
fastest() {  # NAME COLUMN
  awk -v n="$1" -v c="$2" '$1 == n { print $c }' "$samples" | sort -n | head -1
}
numora_ms=$(median numora 2); bare_ms=$(median bare 2)
numora_kb=$(median numora 3); bare_kb=$(median bare 3)
# The machine may be shared: the fastest starts show the programs' own cost best.
awk -v nf="$(fastest numora 2)" -v bf="$(fastest bare 2)" 'BEGIN {
  printf "start-up, fastest of each:                  numora %.1f ms, bare Qt %.1f ms (ratio %.2f)\n", nf, bf, nf / bf
}'
awk -v nm="$numora_ms" -v bm="$bare_ms" -v nk="$numora_kb" -v bk="$bare_kb" -v r="$rounds" 'BEGIN {
  ts = nm / bm; tm = nk / bk
  printf "start-up to the mapped window, median of %d: numora %.1f ms, bare Qt %.1f ms\n", r, nm, bm
  printf "resident memory, median of %d:             numora %.1f MB, bare Qt %.1f MB\n", r, nk / 1024, bk / 1024
  printf "start-up ratio %.2f (target <= 1.05): %s\n", ts, ts <= 1.05 ? "met" : "NOT met"
  printf "memory ratio   %.2f (target <= 1.50): %s\n", tm, tm <= 1.5 ? "met" : "NOT met"
}'
