#!/usr/bin/env bash
# The game's play loop on the flood maps of 2,000 and 10,000 wolves beside the
# bare library drawing as many textured quads (bench/flood_play.cpp,
# bench/bare_quads.cpp), in turn in one run on one virtual display: each run
# times both with the frame limit off and then at 30. Prints every run's lines,
# then the medians over the runs and the ratios, with the machine's load.
#   bench/side_by_side.sh [build folder] [runs] [seconds per phase]
#   (defaults: build 5 4)
set -euo pipefail

build="$(cd "${1:-build}" && pwd)"
runs="${2:-5}"
seconds="${3:-4}"
here="$(cd "$(dirname "$0")" && pwd)"
if [ -z "${BRAMBLEHOLT_SIDE_BY_SIDE:-}" ]; then
  command -v xvfb-run >/dev/null || { echo "missing xvfb-run (package xvfb)" >&2; exit 1; }
  exec env BRAMBLEHOLT_SIDE_BY_SIDE=1 xvfb-run -a -s "-screen 0 1024x768x24 -noreset" "$0" "$build" "$runs" "$seconds"
fi
export ALSOFT_DRIVERS=null
lines="$(mktemp)"
trap 'rm -f "$lines"' EXIT

echo "load before: $(uptime)"
cd "$build/game"
for size in 2000 10000; do
  for _ in $(seq "$runs"); do
    ../bench/flood_play "$here/flood-$size.txt" "$seconds" 2>/dev/null | sed "s/^/$size /" | tee -a "$lines"
    ../bench/bare_quads "$size" "$seconds" 2>/dev/null | sed "s/^/$size /" | tee -a "$lines"
  done
done
echo "load after: $(uptime)"

python3 - "$lines" <<'PY'
import statistics, sys
runs = {}
for line in open(sys.argv[1]):
    words = line.split()
    size, who, limit = int(words[0]), words[1], int(words[2])
    fields = dict(zip(words[3::2], words[4::2]))
    runs.setdefault((size, who, limit), []).append(fields)

def med(size, who, limit, name):
    return statistics.median(float(f[name]) for f in runs[(size, who, limit)])

print()
print("| wolves and quads | frame limit | game frame ms | bare frame ms | frame ratio | game fps | bare fps | fps ratio | game tick ms | game peak RSS |")
print("|---|---|---|---|---|---|---|---|---|---|")
for size in sorted({k[0] for k in runs}):
    for limit in (0, 30):
        if (size, "game", limit) not in runs or (size, "bare", limit) not in runs:
            continue
        g, b = med(size, "game", limit, "frame_ms"), med(size, "bare", limit, "frame_ms")
        gf, bf = med(size, "game", limit, "fps"), med(size, "bare", limit, "fps")
        tick = med(size, "game", limit, "tick_ms")
        rss = max(float(f["rss_kib"]) for f in runs[(size, "game", limit)]) / 1024
        print(f"| {size:,} | {'off' if limit == 0 else limit} | {g:.1f} | {b:.1f} | {g / b:.2f} | {gf:.1f} | {bf:.1f} | {gf / bf:.2f} | {tick:.3f} | {rss:.0f} MiB |")
PY
