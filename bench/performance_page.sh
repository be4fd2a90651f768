#!/usr/bin/env bash
# Writes docs/performance.md from one run of the benchmarks on this machine:
# the Google benchmarks of the tick, re-routing, the fields and the frame, and
# bench/side_by_side.sh (the play loop on the flood maps beside the bare
# library), with the machine and its load.
#   bench/performance_page.sh [build folder]      (default: build, as scripts/test leaves it)
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/.." && pwd)"
build="$(cd "${1:-$root/build}" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

for program in bench/brambleholt_bench bench/flood_play bench/bare_quads; do
  [ -x "$build/$program" ] || { echo "missing $build/$program: build first (scripts/test)" >&2; exit 1; }
done

uptime > "$work/load-bench-before"
(cd "$build/game" && ALSOFT_DRIVERS=null xvfb-run -a -s "-screen 0 1024x768x24 -noreset" \
  ../bench/brambleholt_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
  --benchmark_out="$work/bench.json" --benchmark_out_format=json >/dev/null)
uptime > "$work/load-bench-after"
"$here/side_by_side.sh" "$build" 5 4 > "$work/side.txt"

python3 - "$work" "$root/docs/performance.md" <<'PY'
import json, os, platform, re, subprocess, sys
work, page = sys.argv[1], sys.argv[2]

def run(*command):
    try:
        return subprocess.run(command, capture_output=True, text=True).stdout.strip()
    except OSError:
        return ""

def package(name):
    return run("dpkg-query", "-W", "-f=${Version}", name) or "?"

cpu = next((l.split(":", 1)[1].strip() for l in run("lscpu").splitlines() if l.startswith("Model name")), "?")
memory = next((l.split()[1] for l in run("free", "-g").splitlines() if l.startswith("Mem:")), "?")
debian = open("/etc/debian_version").read().strip() if os.path.exists("/etc/debian_version") else "?"
compiler = run("g++", "-dumpfullversion")
load = lambda name: re.sub(r"^.*load average:", "", open(os.path.join(work, name)).read().strip())

bench = json.load(open(os.path.join(work, "bench.json")))
medians = {b["run_name"]: b for b in bench["benchmarks"] if b.get("aggregate_name") == "median"}
spread = {b["run_name"]: b for b in bench["benchmarks"] if b.get("aggregate_name") == "stddev"}

def figure(value, unit):
    value = value * {"ns": 1e-3, "us": 1, "ms": 1e3}[unit]  # in microseconds
    return f"{value / 1000:.2f} ms" if value >= 1000 else f"{value:.1f} µs"

rows = []
for name, b in medians.items():
    unit = b["time_unit"]
    line = f"| {name} | {figure(b['real_time'], unit)} | {figure(spread[name]['real_time'], unit)} |"
    if name.startswith("BM_Frame"):
        line += f" {figure(b['cpu_time'], unit)} |"
    else:
        line += " |"
    rows.append(line)

side = open(os.path.join(work, "side.txt")).read()
table = "\n".join(l for l in side.splitlines() if l.startswith("|"))
runs = "\n".join(l for l in side.splitlines() if l[:1].isdigit())
side_load = "\n".join(l for l in side.splitlines() if l.startswith("load"))

text = f"""# Performance

The game draws at most 30 frames a second, so a frame has 33.3 ms; the
simulation and the drawing must fit in that even when a level floods the board
with wolves. This page is written by one command, `bench/performance_page.sh`,
from one run on the machine below; the figures are medians.

## The machine

{cpu}, {os.cpu_count()} cores, {memory} GiB; Debian {debian}, g++ {compiler} with `-O3` (CMake's Release) and
`-ffp-contract=off`; SFML {package("libsfml-dev")}. There is no GPU: drawing goes through Mesa's
llvmpipe software renderer ({package("libgl1-mesa-dri")}) under Xvfb, as in CI and the tests.
The machine is shared with other work, so its load average (1, 5 and 15
minutes) is given with each measurement; what counts are the ratios of the
game to the bare library, measured in turn in the same run.

## The bench board

Nothing here depends on the shipped levels. The board is the flood map of
`bench/` (`flood-2000.txt`, `flood-10000.txt`): a serpentine path between walls
of high ground, 81 to 89 cells from the entry column to the home, with 20
towers on the walls beside it, five of each kind (`bench/busy_level.cpp`
places them). The flood's first wave sends a regular and a hacking wolf every
tick for 33 s or 165 s: 2,000 or 10,000 wolves at 30 ticks a second.

## The frame beside the bare library

`bench/side_by_side.sh` runs, in turn and five times, `bench/flood_play` (the
game's own frame on a flood map: the pending events, `updateFrame` with the
tick by the real frame time, the clear, the level screen's drawing, `display`)
and `bench/bare_quads` (the bare library drawing as many textured 32 x 32
quads from one texture through one `sf::VertexArray` in an 800 x 600 window,
nothing else), each for 4 s with the frame limit off and then at the game's 30.
The flood is played headless first; wolves that reach the home are kept on the
board so that the count holds. The frame ratio is the game's frame time over
the bare program's (at most 1.25 is the aim), the fps ratio the game's frames
a second over the bare program's (at least 0.9 with both at 30); the tick is
the median time of `updateFrame`; the peak is the game's resident memory.

{table}

Load average: {side_load.replace(chr(10), "; ")}.

<details><summary>Every run</summary>

```
{runs}
```
</details>

## Benchmarks

`bench/brambleholt_bench` (Google Benchmark), on the flood board with its 20
towers built and ready, N wolves of the six kinds in turn, each on a random
low-ground cell at least three steps from the home and routed from there, and
60 bullets and 40 stones in flight (`setUpBusyLevel`):

- `BM_Tick/N`: one `tick` of 1/30 s; the set-up is rebuilt before every
  iteration (untimed), so each is the same tick, in which every tower is ready
  and searches for a target, and the flood's wave spawns two wolves.
- `BM_Reroute/N`: placing a platform across the path, with its three field
  computations and every wolf's re-route; the platform is taken away again
  untimed.
- `BM_Fields`: the four field computations.
- `BM_Frame/N`: one whole frame of the level screen, board view and building
  panel, drawn into the game's window, plus `display`; the last column is the
  time on the game's own thread (llvmpipe renders on threads of its own).

Five repetitions; load average before {load("load-bench-before")}, after {load("load-bench-after")}.

| Benchmark | Median | Spread (sd) | Game's thread |
|---|---|---|---|
""" + "\n".join(rows) + """

## Fewer wolves below 30 frames a second

The world steps by the frame's time, and at most one wolf of each kind comes
per tick. That is the game's design: a machine that draws fewer than 30 frames
a second also sends fewer wolves, whatever the wave asks for. The frame is kept
fast so that this never matters.

## What keeps it fast

Everything below draws the same pixels and simulates the same world, draw for
draw: the golden frame of a crowded board (`tests/ui/main_view_test.cpp`) and
the golden runs (`tests/world/tick_test.cpp`, `tests/levels`) compare them, and
`bench/world_trace` prints a hash of every field every 100 ticks to compare two
builds over long runs.

- The board view draws through a batch (`src/ui/draw_batch.h`) that sends runs
  of draws sharing a texture and a blending in one call; every small picture of
  the board and a white patch for bars and shots share one atlas texture
  (`src/ui/board_atlas.h`). The batch's vertex buffer is kept from frame to
  frame.
- Each wolf's quad is cut to its frame's opaque box, widened by one see-through
  texel (`src/ui/opaque_boxes.h`): the wolf art covers a fifth to two fifths
  of its frames, and transparent texels draw nothing.
- The opaque ground is drawn without blending, and the strip of high ground
  along the top, which the board draws once per cell of its column over itself,
  is drawn once.
- A full health bar, whose fill hides the frame's inside, is one black box and
  its fill (four triangles) instead of the frame's four bands and the fill (ten).
- The towers' target searches read a packed copy of the wolves' positions and
  states, taken once per tick (`src/towers/wolf_scan.h`); the slap tower looks
  only at the wolves filed under its four side cells, in list order.
- The animation clock steps in whole microseconds inline, with the library's
  own arithmetic, instead of through `sf::Time`'s out-of-line operators.
- A route's room is reserved at its length before it is extended, and a wolf's
  animations are filled with one allocation each.

## Reproducing

```sh
scripts/test                    # builds everything in build/
bench/performance_page.sh       # rewrites this page (needs xvfb, python3)
bench/side_by_side.sh build 5 4 # the frame table alone
cd build/game && ALSOFT_DRIVERS=null xvfb-run -a ../bench/brambleholt_bench
```
"""
open(page, "w").write(text)
print("wrote", page)
PY
