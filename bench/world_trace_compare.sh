#!/usr/bin/env bash
# Plays the flood maps and every level of the runtime folder in two builds
# with bench/world_trace and compares the hashes of the whole world, printed
# every 100 ticks: the same lines mean the same simulation, draw for draw.
#   bench/world_trace_compare.sh OLD_BUILD NEW_BUILD [ticks]     (default 6000)
set -euo pipefail

old="$(cd "$1" && pwd)"
new="$(cd "$2" && pwd)"
ticks="${3:-6000}"
here="$(cd "$(dirname "$0")" && pwd)"
if [ -z "${BRAMBLEHOLT_TRACE_COMPARE:-}" ]; then
  exec env BRAMBLEHOLT_TRACE_COMPARE=1 xvfb-run -a -s "-screen 0 1024x768x24 -noreset" "$0" "$old" "$new" "$ticks"
fi
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export ALSOFT_DRIVERS=null

maps=("$here/flood-2000.txt" "$here/flood-10000.txt")
for level in "$new"/game/map/*.txt; do maps+=("map/$(basename "$level")"); done
status=0
for map in "${maps[@]}"; do
  for build in old new; do
    dir="$old"; [ "$build" = new ] && dir="$new"
    (cd "$dir/game" && ../bench/world_trace "$map" "$ticks" > "$work/$build" 2>/dev/null)
  done
  if cmp -s "$work/old" "$work/new"; then
    echo "same: $map ($(wc -l < "$work/new") hashes, $(tail -1 "$work/new" | cut -d' ' -f2) wolves at the end)"
  else
    echo "DIFFERENT: $map"; diff "$work/old" "$work/new" | head -4; status=1
  fi
done
exit $status
