# Drives the real game under a virtual display as a player would, for
# scripts/screenshot and scripts/realplay: starts it, chooses a level, clicks
# a plan in at the plan's times and tells how the level stands. Sourced after
# setup.sh; the playing runs inside an X display, from the runtime folder.

PLAN_DIR="$ROOT_DIR/tools/levellab/plans"
PLAN_MOVES="$BUILD_DIR/tools/levellab/plan_moves"

# Plan times are read by the lab's reader; what the shell, bc and date do
# with them must not depend on the caller's decimal separator.
export LC_ALL=C

# Level seconds per second of the wall clock: the level clock adds the whole
# milliseconds of each frame, 33 of a frame that really lasts about 33.6 ms
# (tools/levellab/measure_frames shows the spread).
LEVEL_CLOCK_RATE="${LEVEL_CLOCK_RATE:-0.983}"

# Builds the game, its data and the lab's plan reader, and any further
# targets named (the lab is turned on in a build folder that scripts/play
# made).
build_game_and_plan_reader() {
  configure_game_build
  local cache="$BUILD_DIR/CMakeCache.txt"
  grep -qx -e 'BRAMBLEHOLT_LEVELLAB:BOOL=ON' -e 'BRAMBLEHOLT_TESTS:BOOL=ON' "$cache" ||
    cmake -S "$ROOT_DIR" -B "$BUILD_DIR" -DBRAMBLEHOLT_LEVELLAB=ON
  build --target brambleholt game_data plan_moves "$@"
}

# A plan's placements on a map, read as the level lab reads them: "waves S"
# first, then "seconds building column row" in time order. Refuses, with the
# reader's one-line reason on standard error, what the lab refuses. The
# reader shares the game's start-up, which wants a display and the game's
# data: it runs in the runtime folder, under a virtual display when there is
# no display yet.
read_plan() {
  local map="$1" plan="$2"
  if [ -n "${DISPLAY:-}" ]; then
    (cd "$BUILD_DIR/game" && ALSOFT_DRIVERS=null "$PLAN_MOVES" "$map" "$plan")
  else
    (cd "$BUILD_DIR/game" && ALSOFT_DRIVERS=null xvfb-run -a "$PLAN_MOVES" "$map" "$plan")
  fi
}

# The clicks of read_plan's placements (up to a level time, if given):
# "seconds key x y", x and y in window pixels, towers on the raised top of
# their block or platform, platforms and ponds on the grass.
plan_clicks() {
  local until="${1:-}" t building column row key raised
  while read -r t building column row; do
    [ "$t" != waves ] || continue
    [ -z "$until" ] || [ "$(echo "$t <= $until" | bc)" = 1 ] || break
    raised=24
    case "$building" in
      arrow) key=1 ;; ice) key=2 ;; skunk) key=3 ;; slap) key=4 ;; demolish) key=c ;;
      platform) key=q raised=0 ;;
      pond) key=w raised=0 ;;
      *) continue ;;
    esac
    echo "$t $key $((50 * column - 75)) $((499 - 50 * row - raised))"
  done
}

now() { date +%s.%N; }
# Seconds from now until a wall-clock time (negative when it has passed).
seconds_until() { echo "$1 - $(now)" | bc -l; }
# Level seconds since the level was chosen, by the wall clock.
level_seconds() { echo "($(now) - $level_start) * $LEVEL_CLOCK_RATE" | bc -l; }

# Starts the game; with a file name, its frames are traced into that file
# (the main thread's sleeps, which end each frame); with a second, the play
# is recorded into it (brambleholt --record). Sets game_pid and window;
# fails when no window shows within 30 s, three times over.
start_game() {
  local trace="${1:-}" recording="${2:-}" attempt waited
  local options=()
  [ -z "$recording" ] || options=(--record "$recording")
  for attempt in 1 2 3; do
    if [ -n "$trace" ]; then
      ALSOFT_DRIVERS=null strace -f --seccomp-bpf -e trace=clock_nanosleep,nanosleep -ttt -T -o "$trace" \
        ./brambleholt "${options[@]}" >/dev/null 2>&1 &
      local tracer=$!
      until game_pid="$(pgrep -P "$tracer" -x brambleholt)" || ! kill -0 "$tracer" 2>/dev/null; do sleep 0.1; done
    else
      ALSOFT_DRIVERS=null ./brambleholt "${options[@]}" >/dev/null 2>&1 &
      game_pid=$!
    fi
    for waited in $(seq 300); do
      window="$(xdotool search --onlyvisible --name '^Brambleholt$' 2>/dev/null | head -n 1 || true)"
      [ -n "$window" ] || ! kill -0 "${game_pid:-0}" 2>/dev/null && break
      sleep 0.1
    done
    if [ -n "$window" ]; then
      sleep 1
      return 0
    fi
    stop_game
  done
  return 1
}

stop_game() {
  [ -n "${game_pid:-}" ] || return 0
  kill "$game_pid" 2>/dev/null || true
  while kill -0 "$game_pid" 2>/dev/null; do sleep 0.1; done
  game_pid=""
}

# The demolition button's caption is black while a level is played, grey
# once it is lost, and missing on the menu.
demolition_caption_black() {
  [ "$(import -window "$window" -crop 100x25+5+569 txt:- | grep -c '#000000' || true)" -gt 0 ]
}

# Clicks a level button on the menu and waits until the level shows; sets
# level_start to the wall-clock time of the click. Fails when the level did
# not show within 10 s (the click missed the menu).
choose_level() {
  local waited
  xdotool mousemove --window "$window" 380 $((365 + 50 * $1)) click 1
  level_start="$(now)"
  for waited in $(seq 50); do
    demolition_caption_black && return 0
    sleep 0.2
  done
  return 1
}

# The building buttons' black captions turn grey while a placement is being
# built (and once the level is lost); the arrow tower's stands for them all.
build_lock_free() {
  [ "$(import -window "$window" -crop 100x25+5+479 txt:- | grep -c '#000000' || true)" -gt 0 ]
}

level_lost() { ! demolition_caption_black; }

# Watching for the end of the level: level_over looks at the window once and
# sets ended to "won" or "lost" when the banner is up ("gone" when the game
# has ended by itself). The clock at the bottom right gains a slice every 2 s
# of level time, and the world (with its clock) stops at the banner: a clock
# that has stood still for 5 s means the level is over, lost when the
# demolition caption has turned grey.
ended="" clock_seen="" clock_since=""
level_over() {
  local clock
  if ! kill -0 "${game_pid:-0}" 2>/dev/null; then ended=gone; return 0; fi
  if level_lost; then ended=lost; return 0; fi
  clock="$(import -window "$window" -crop 50x50+725+479 txt:- | md5sum)"
  if [ "$clock" != "$clock_seen" ]; then
    clock_seen="$clock" clock_since="$(now)"
    return 1
  fi
  [ "$(echo "$(now) - $clock_since > 5" | bc)" = 1 ] || return 1
  if level_lost; then ended=lost; else ended=won; fi
}

# One click of a plan: chooses the building with its key, clicks the cell and
# moves the pointer off the board, so that no preview is drawn over it.
# Succeeds when the click landed: the board took the placement and the build
# lock greyed the buttons (a click the cell refuses sets no lock).
click_placement() {
  local key="$1" x="$2" y="$3" waited
  xdotool windowfocus "$window" key "$key"
  xdotool mousemove --window "$window" "$x" "$y" click 1
  xdotool mousemove --window "$window" 600 560
  for waited in 1 2 3; do
    build_lock_free || return 0
    sleep 0.1
  done
  return 1
}

# Clicks the plan's placements up to a level time, for scripts/screenshot.
# Each click comes a moment after its time and after the build lock of the
# last placement has cleared, as a player waits for the greyed buttons.
play_plan() {
  local clicks="$1" t key x y wake delay waited
  while read -r t key x y; do
    [ -n "$t" ] || continue
    wake="$(echo "$level_start + $t / $LEVEL_CLOCK_RATE + 0.3" | bc -l)"
    delay="$(seconds_until "$wake")"
    [ "${delay:0:1}" = - ] || sleep "$delay"
    click_placement "$key" "$x" "$y" || true
    for waited in $(seq 30); do
      build_lock_free && break
      sleep 0.1
    done
    sleep 0.2
  done <<< "$clicks"
}

# Waits until a level time (wall clock from level_start).
wait_level_time() {
  local delay
  delay="$(seconds_until "$(echo "$level_start + $1 / $LEVEL_CLOCK_RATE" | bc -l)")"
  [ "${delay:0:1}" = - ] || sleep "$delay"
}
