#!/usr/bin/env bash
# Writes docs/performance.md from one run of the benchmarks on this machine:
# the Google benchmarks of the tick, re-routing, the fields and the frame, and
# bench/side_by_side.sh (the play loop on the flood maps beside the bare
# library), with the machine and its load. Fewer side-by-side runs and
# benchmark repetitions than the usual five each make it quicker on a busy
# machine; the page says how many it took.
#   bench/performance_page.sh [build folder] [side-by-side runs] [benchmark repetitions]
#   (defaults: build, as scripts/test leaves it, 5 and 5)
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/.." && pwd)"
build="$(cd "${1:-$root/build}" && pwd)"
runs="${2:-5}"
repetitions="${3:-5}"
for count in "$runs" "$repetitions"; do
  [[ "$count" =~ ^[1-9][0-9]?$ ]] || { echo "runs and repetitions are whole numbers from 1 to 99, not '$count'" >&2; exit 2; }
done
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

for program in bench/brambleholt_bench bench/flood_play bench/bare_quads; do
  [ -x "$build/$program" ] || { echo "missing $build/$program: build first (scripts/test)" >&2; exit 1; }
done

uptime > "$work/load-bench-before"
(cd "$build/game" && ALSOFT_DRIVERS=null xvfb-run -a -s "-screen 0 1024x768x24 -noreset" \
  ../bench/brambleholt_bench --benchmark_repetitions="$repetitions" --benchmark_min_time=0.2 --benchmark_report_aggregates_only=true \
  --benchmark_out="$work/bench.json" --benchmark_out_format=json >/dev/null)
uptime > "$work/load-bench-after"
"$here/side_by_side.sh" "$build" "$runs" 4 > "$work/side.txt"

python3 - "$work" "$root/docs/performance.md" "$runs" "$repetitions" <<'PY'
import json, os, platform, re, subprocess, sys
work, page = sys.argv[1], sys.argv[2]
runs_count, repetitions = int(sys.argv[3]), int(sys.argv[4])
times = lambda n: {1: "once", 2: "twice"}.get(n, f"{n} times")
fewer = ("" if runs_count >= 5 and repetitions >= 5 else
         f"\n\nThis run took fewer measurements than the usual five of each, to be done on a busy machine: "
         f"{times(runs_count)} side by side and {repetitions} benchmark repetitions.")

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
    rows.append(f"| {name} | {figure(b['real_time'], unit)} | {figure(spread[name]['real_time'], unit)} | "
                f"{figure(b['cpu_time'], unit)} |")

side = open(os.path.join(work, "side.txt")).read()
table = "\n".join(l for l in side.splitlines() if l.startswith("|"))
runs = "\n".join(l for l in side.splitlines() if l[:1].isdigit())
side_load = "; ".join(l.split(":")[0].replace("load ", "") + ": " + re.sub(r"^.*load average:", "", l).strip()
                      for l in side.splitlines() if l.startswith("load"))

text = f"""# Performance

The game draws at most 30 frames a second, so a frame has 33.3 ms; the
simulation and the drawing must fit in that even when a level floods the board
with wolves. This page is written by one command, `bench/performance_page.sh`,
from one run on the machine below; the figures are medians.{fewer}

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

In the game a wolf that reaches the home ends the level. The flood drivers
(`bench/flood_play.cpp`) play on instead: a wolf that reaches the home leaves
the board and comes in again, as new, at the left edge on a row of the
driver's own engine. So the count holds, every wolf walks the path, and no
pile forms on the home: the board is one a player could see, only fuller.
(Up to commit 95ff957 the drivers kept such wolves on the home, where by the
end of the 10,000 flood about 4,950 stood on one spot; the figures of the
older sections below come from that flood.)

## The frame beside the bare library

`bench/side_by_side.sh` runs, in turn and {times(runs_count)}, `bench/flood_play` (the
game's own frame on a flood map: the pending events, `updateFrame` with the
tick by the real frame time, the clear, the level screen's drawing, `display`)
and `bench/bare_quads` (the bare library drawing as many textured 32 x 32
quads from one texture through one `sf::VertexArray` in an 800 x 600 window,
nothing else), each for 4 s with the frame limit off and then at the game's 30.
The flood is played headless first; wolves that reach the home come in again
at the left edge, so that the count holds. The frame ratio is the game's frame time over
the bare program's (at most 1.25 is the aim), the fps ratio the game's frames
a second over the bare program's (at least 0.9 with both at 30); the tick is
the median time of `updateFrame`; the peak is the game's resident memory.

{table}

Load average {side_load}.

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
  panel, drawn into the game's window, plus `display`.

The last column is the time the benchmark's own thread ran, which a busy
machine stretches less than the time on the clock (llvmpipe renders a frame
on threads of its own, so for `BM_Frame` it is only the game's part).

{repetitions} repetitions of at least 0.2 s of timed work each; load average before {load("load-bench-before")}, after {load("load-bench-after")}.

| Benchmark | Median | Spread (sd) | Own thread |
|---|---|---|---|
""" + "\n".join(rows) + """

## Fewer wolves below 30 frames a second

The world steps by the frame's time, and at most one wolf of each kind comes
per tick. That is the game's design: a machine that draws fewer than 30 frames
a second also sends fewer wolves, whatever the wave asks for. The frame is kept
fast so that this never matters.

## The repeated-triangle filter, weighed and taken out

Until commit 95ff957 the draw batch left out every earlier copy of a triangle
that came again, vertex for vertex, later in the same call (a hash table over
the triangles of every large call). It was made for the pile on the home of
the old 10,000 flood, which no player sees. It was weighed on boards a player
can reach: the two floods with wolves coming in again at the left edge, and
the three levels under their reference plans (`tools/levellab/plans`), every
30 s of level time to their end. One program drew the same board with and
without the filter in alternate frames (the flood ticking between frames),
timing each frame on the clock and in CPU time of the whole process,
llvmpipe's threads included; the machine's one-minute load average was 17 to
21 throughout, so the clock's medians swing by several percent from run to
run, and the CPU time is the steadier figure:

| board | triangles a frame | left out by the filter | frame with / without (clock, median ms) | CPU a frame with / without (ms) | saved (CPU) |
|---|---|---|---|---|---|
| flood, 2,000 wolves (3 runs) | 8,669 | 1.8 % | 102.5 / 106.4, 127.0 / 123.0, 113.2 / 112.7 | 23.70 / 23.94, 28.01 / 28.29, 25.99 / 26.89 | 1.0 %, 1.0 %, 3.3 % |
| flood, 10,000 wolves (3 runs) | 40,757 | 3.5 % | 514.7 / 530.8, 581.9 / 619.8, 474.2 / 435.5 | 100.9 / 103.2, 111.9 / 114.4, 99.5 / 99.2 | 2.2 %, 2.1 %, -0.3 % |
| levels 1 to 3, 30 moments | 438 to 1,232 | none at any moment | 3.5 to 27.6 ms, either way by turns | 3.3 to 9.0 ms | -4.4 % to 2.0 % |

Nowhere did it save 5 % of the frame, and on the levels it found nothing to
leave out, so it was taken out with the atlas's texel check that served it
only.

## Skipping draws with the standard engine's own discard

Forced route steps used to pass over their draws with our own refill of the
engine's 624 words, reached through the standard library's private members.
They now call `std::mt19937::discard`. The draws are the same, in the same
order (the golden runs, the level hashes and `bench/world_trace_compare.sh`
agree), but libstdc++ 12 refills the words with a branch on each word's low
bit, which the processor guesses wrong half the time: 5.5 ns an output
against 0.6 ns for the branch-free refill (CPU time, one thread, measured in
turn). A platform that cuts the flood's path with 10,000 wolves on it passes
about 300,000 draws, so `BM_Reroute/10000` takes about 1.5 ms more than it
did: measured in turn with the build before, at a load average of 16 to 20,
its own thread's median time went from 2.18, 1.84 and 2.33 ms to 4.13, 3.56
and 3.68 ms (`BM_Reroute/2000`: 0.23, 0.22, 0.17 to 0.56, 0.49, 0.56 ms). A
re-route happens when a platform comes or goes, not every frame, and stays
far inside the frame's 33 ms.

## Before this work

The same scripts on the code before it (commit 1598948, which only added the
bench), on the same machine on 2026-12-07; the one-minute load average was 2.7
before and 3.0 after the frames, 2.8 before and 6.7 after the benchmarks:

| wolves and quads | frame limit | game frame ms | bare frame ms | frame ratio | game fps | bare fps | fps ratio | game tick ms | game peak RSS |
|---|---|---|---|---|---|---|---|---|---|
| 2,000 | off | 43.5 | 19.7 | 2.21 | 22.5 | 48.4 | 0.46 | 0.466 | 119 MiB |
| 2,000 | 30 | 45.8 | 33.5 | 1.37 | 21.6 | 29.8 | 0.72 | 0.511 | 120 MiB |
| 10,000 | off | 144.0 | 71.3 | 2.02 | 6.6 | 13.7 | 0.48 | 2.655 | 166 MiB |
| 10,000 | 30 | 126.6 | 58.4 | 2.17 | 6.5 | 16.3 | 0.40 | 2.453 | 167 MiB |

| Benchmark | Median | Own thread |
|---|---|---|
| BM_Tick/2000 | 0.70 ms | 0.47 ms |
| BM_Tick/10000 | 6.94 ms | 4.70 ms |
| BM_Reroute/2000 | 1.01 ms | 0.97 ms |
| BM_Reroute/10000 | 6.67 ms | 5.43 ms |
| BM_Frame/2000 | 61.7 ms | 13.4 ms |
| BM_Frame/10000 | 221.5 ms | 60.1 ms |

## Before the third pass

The second pass's figures, from this page as it stood at commit 0a1f419 on a
quiet machine (one-minute load average 1.28 before and 1.85 after the frames,
0.02 before and 1.28 after the benchmarks). The benchmarks have not changed
since, apart from the frame:

| wolves and quads | frame limit | game frame ms | bare frame ms | frame ratio | game fps | bare fps | fps ratio | game tick ms | game peak RSS |
|---|---|---|---|---|---|---|---|---|---|
| 2,000 | off | 11.8 | 10.2 | 1.15 | 84.0 | 97.0 | 0.87 | 0.106 | 114 MiB |
| 2,000 | 30 | 33.5 | 33.5 | 1.00 | 29.9 | 29.9 | 1.00 | 0.220 | 114 MiB |
| 10,000 | off | 61.8 | 49.0 | 1.26 | 16.1 | 20.3 | 0.79 | 0.954 | 137 MiB |
| 10,000 | 30 | 62.9 | 47.7 | 1.32 | 15.8 | 20.7 | 0.76 | 0.940 | 138 MiB |

| Benchmark | Median | Own thread |
|---|---|---|
| BM_Frame/2000 | 10.96 ms | 2.35 ms |
| BM_Frame/10000 | 42.45 ms | 9.17 ms |

## Before the second pass

The first pass's figures, from this page as it stood at commit 4b51ff2 on a
quiet machine (one-minute load average 1.25 before and 1.83 after the frames,
0.79 before and 1.27 after the benchmarks):

| wolves and quads | frame limit | game frame ms | bare frame ms | frame ratio | game fps | bare fps | fps ratio | game tick ms | game peak RSS |
|---|---|---|---|---|---|---|---|---|---|
| 2,000 | off | 14.3 | 11.4 | 1.26 | 69.4 | 87.5 | 0.79 | 0.147 | 114 MiB |
| 2,000 | 30 | 33.5 | 33.5 | 1.00 | 29.9 | 29.9 | 1.00 | 0.395 | 114 MiB |
| 10,000 | off | 70.1 | 55.7 | 1.26 | 14.1 | 17.9 | 0.79 | 1.376 | 139 MiB |
| 10,000 | 30 | 73.4 | 51.9 | 1.41 | 13.5 | 19.2 | 0.70 | 1.329 | 140 MiB |

| Benchmark | Median | Own thread |
|---|---|---|
| BM_Tick/2000 | 157.4 µs | 155.2 µs |
| BM_Tick/10000 | 1.08 ms | 1.08 ms |
| BM_Reroute/2000 | 628.8 µs | 629.1 µs |
| BM_Reroute/10000 | 3.54 ms | 3.54 ms |
| BM_Frame/2000 | 17.22 ms | 5.86 ms |
| BM_Frame/10000 | 71.34 ms | 25.49 ms |

## What keeps it fast

Everything below draws the same pixels and simulates the same world, draw for
draw: the golden frame of a crowded board (`tests/ui/main_view_test.cpp`) and
the golden runs (`tests/world/tick_test.cpp`, `tests/levels`) compare them, and
`bench/world_trace` prints a hash of every field every 100 ticks to compare two
builds over long runs.

Drawing. Software rendering pays for every triangle and for every 4 x 4 block
of pixels a triangle touches, so the board draws fewer and smaller ones:

- The board view draws through a batch (`src/ui/draw_batch.h`) that sends runs
  of draws sharing a texture and a blending in one call; every small picture of
  the board and a white patch for bars and shots share one atlas texture
  (`src/ui/board_atlas.h`). The batch's vertex buffer is kept from frame to
  frame.
- Each wolf's quad is cut to its frame's opaque box, widened by one see-through
  texel (`src/ui/opaque_boxes.h`): the wolf art covers a fifth to two fifths
  of its frames, and transparent texels draw nothing.
- A wolf standing within one column of high ground is cut at the blocks' top
  row: the opaque blocks are drawn after the wolves and cover the rest.
- A 40 x 5 health bar (`src/ui/health_bars.h`) was five rectangles, ten
  triangles. Where all its edges lie clear of the pixel centres (by 1/64 of a
  pixel; a rasteriser puts an edge within 1/512 of where it is asked), its ring
  is one picture from the atlas, drawn texel for pixel, filled when the fill is
  whole: two triangles, or four with a partial fill. Otherwise a whole fill
  goes over a black box when the box's edges are exactly the ring's bands'
  (four triangles); else the five rectangles.
- The opaque ground is drawn without blending, and the strip of high ground
  along the top, which the board draws once per cell of its column over itself,
  is drawn once.
- Triangles that reach the view's edges (or come within a unit of them) go in
  draw calls of their own, in their turn. llvmpipe clips a call with a point
  outside the view, and then takes every triangle of that call through its
  slow path, which with thousands of triangles in a call cost the game's
  thread more than everything else it did for the frame; the other calls now
  go the fast way. Only where the calls end changes, not the pixels
  (`tests/ui/draw_batch_test.cpp` compares them). The bare program's drifting
  quads cross the window's edges, so its one call still takes the slow path.

The tick:

- The towers' target searches read a packed copy of the wolves' positions,
  states and steps, noted right after each wolf's update (no wolf's update
  changes another wolf, and no tower moves one); the slap tower looks only at
  the wolves filed under its four side cells, in list order
  (`src/towers/wolf_scan.h`). The arrow and ice towers' scan runs without a
  branch.
- Only the wolves found dead right after their update are looked at by the
  sweep.
- Wolves and stones live side by side in slots of their own
  (`src/wolves/object_slots.h`), and the tick fetches the next wolves ahead of
  their update; the fields every tick reads come first in a wolf.
- The arrow and ice towers' scan writes into room that only grows and hands
  out its indices without copying them; the packed copy's arrays only grow.
- The animation clock steps in whole microseconds inline, with the library's
  own arithmetic, instead of through `sf::Time`'s out-of-line operators; the
  tick's seconds are taken once.
- Re-routing reads each field's route choices, made once after the field is
  computed (`LevelMap::stepChoices`). A step picks neighbour i when
  trunc(u x total) is below the running sum w of the closer neighbours' paths;
  below 2^21 paths that is exactly when the 32-bit draw is below
  ceil(w x 2^32 / total), so each cell keeps those bounds and a step is four
  comparisons. A cell with one closer neighbour only is a forced step, whatever
  the draw: the cells that runs of forced steps lead through are kept in a row
  and copied whole into the route, and the draws they take (one per step, as
  ever) are passed over with the engine's own `std::mt19937::discard`, which
  steps through its 624 words without tempering them and refills them when it
  runs past them. On the flood's corridor nearly every step is forced: about
  300,000 steps and draws when a platform cuts the path with 10,000 wolves on
  it.

## Reproducing

```sh
scripts/test                    # builds everything in build/
bench/performance_page.sh       # rewrites this page (needs xvfb, python3)
bench/side_by_side.sh build 5 4 # the frame table alone
cd build/game && ALSOFT_DRIVERS=null xvfb-run -a ../bench/brambleholt_bench
bench/world_trace_compare.sh OLD_BUILD NEW_BUILD # same world, tick by tick?
```

`bench/whole_program.sh` still times the real game on its menu and in level 3
(CPU share, peak memory) with the first 65 s of level 3's reference plan
clicked in.
"""
open(page, "w").write(text)
print("wrote", page)
PY
