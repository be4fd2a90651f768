#!/usr/bin/env bash
# Whole-program figures of the real game under Xvfb: time to the first menu
# frame, CPU share while idle on the menu and while playing level 3 with its
# reference plan's defence, and peak resident memory (from /usr/bin/time -v).
#   bench/whole_program.sh [build folder]      (default: build)
set -euo pipefail

build="$(cd "${1:-build}" && pwd)"
here="$(cd "$(dirname "$0")" && pwd)"
ROOT_DIR="$(cd "$here/.." && pwd)"
source "$ROOT_DIR/scripts/lib/realgame.sh"
for tool in Xvfb xdotool import /usr/bin/time; do
  command -v "$tool" >/dev/null || { echo "missing $tool (packages xvfb, xdotool, imagemagick, time)" >&2; exit 1; }
done

# Xvfb picks a free display number itself and writes it to the pipe.
exec {numbers}< <(Xvfb -displayfd 1 -screen 0 1024x768x24 -noreset 2>/dev/null)
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
read -r -u "$numbers" number
export DISPLAY=":$number" ALSOFT_DRIVERS=null
ticks=$(getconf CLK_TCK)

pixel() { import -window "$window" -crop "1x1+$1+$2" -depth 8 txt:- 2>/dev/null | tail -1 | grep -o '#[0-9A-F]\{6\}'; }
cpu() { awk '{ print $14 + $15 }' "/proc/$game/stat"; }
# Percent of one core the game used over the given seconds.
share() {
  local before after
  before=$(cpu); sleep "$1"; after=$(cpu)
  echo "scale=1; 100 * ($after - $before) / ($ticks * $1)" | bc
}

cd "$build/game"
started=$(date +%s%N)
/usr/bin/time -v -o /tmp/brambleholt-time.txt ./brambleholt 2>/dev/null &
timed=$!
for _ in $(seq 200); do
  game=$(pgrep -P "$timed" brambleholt || true)
  window=$(xdotool search --name '^Brambleholt$' 2>/dev/null | head -1 || true)
  [ -n "$game" ] && [ -n "$window" ] && break
  sleep 0.02
done
xdotool windowmove "$window" 0 0
until [ "$(pixel 335 405)" = "#FFFF00" ]; do sleep 0.01; done
echo "first menu frame: $(( ($(date +%s%N) - started) / 1000000 )) ms after start"

sleep 2
echo "idle on the menu: $(share 10) % of one core"

xdotool mousemove --window "$window" 380 515 click 1
sleep 1 # the level screen is up
# The first 65 s of level 3's reference plan, clicked in as a player would.
level_start="$(now)"
play_plan "$PLAN_DIR/c3.plan" 65
wait_level_time 65
most=0
for _ in 1 2 3 4 5 6; do
  now=$(share 10)
  most=$(echo "if ($now > $most) $now else $most" | bc)
done
echo "playing level 3 (busiest 10 s from 65 s to 125 s): $most % of one core"
import -window "$window" /tmp/brambleholt-level3.png

kill "$game"
wait "$timed" 2>/dev/null || true
grep -E "Maximum resident set size" /tmp/brambleholt-time.txt
