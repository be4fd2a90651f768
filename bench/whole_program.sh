#!/usr/bin/env bash
# Whole-program figures of the real game under Xvfb: time to the first menu
# frame, CPU share while idle on the menu and while playing level 3 with a
# defence being built, and peak resident memory (from /usr/bin/time -v).
#   bench/whole_program.sh [build folder]      (default: build)
set -euo pipefail

build="$(cd "${1:-build}" && pwd)"
here="$(cd "$(dirname "$0")" && pwd)"
for tool in Xvfb xdotool import /usr/bin/time; do
  command -v "$tool" >/dev/null || { echo "missing $tool (packages xvfb, xdotool, imagemagick, time)" >&2; exit 1; }
done

display=:$((90 + RANDOM % 9))
Xvfb "$display" -screen 0 1024x768x24 -noreset >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
sleep 1
export DISPLAY=$display ALSOFT_DRIVERS=null
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
begin=$(date +%s)
# Level 3's opening defence, placed as a player would: key, then a click on
# the cell (towers on their raised top, platforms on their ground tile).
build_at() { # seconds key column row ground
  local wait=$(( $1 - ($(date +%s) - begin) ))
  [ "$wait" -gt 0 ] && sleep "$wait"
  local x=$(( 50 * $3 - 75 )) y=$(( 499 - 50 * $4 ))
  [ "$5" = tower ] && y=$(( y - 24 ))
  xdotool windowfocus "$window" key "$2"
  xdotool mousemove --window "$window" "$x" "$y" click 1
}
build_at 0 1 4 5 tower;   build_at 1 q 17 6 ground; build_at 4 q 17 4 ground
build_at 7 4 13 4 tower;  build_at 9 2 15 6 tower;  build_at 11 1 14 6 tower
build_at 13 1 14 4 tower; build_at 15 1 17 6 tower; build_at 17 1 17 4 tower
build_at 19 w 16 5 ground; build_at 21 w 15 5 ground; build_at 25 1 14 3 tower
build_at 30 1 5 4 tower;  build_at 35 1 15 7 tower; build_at 45 2 13 3 tower
build_at 55 1 14 7 tower; build_at 60 1 5 7 tower;  build_at 65 3 11 5 tower
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
