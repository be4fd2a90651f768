# Drives the real game under a virtual display as a player would, for
# scripts/screenshot and scripts/realplay: starts it, chooses a level, clicks
# a plan in at the plan's times and tells how the level stands. Sourced after
# setup.sh; the playing runs inside an X display, from the runtime folder.

PLAN_DIR="$ROOT_DIR/tools/levellab/plans"
PLAN_MOVES="$BUILD_DIR/tools/levellab/plan_moves"
BOARD_LOOK="$BUILD_DIR/tools/levellab/board_look"

# Plan times are read by the lab's reader; what the shell, bc and date do
# with them must not depend on the caller's decimal separator.
export LC_ALL=C

# Level seconds per second of the wall clock: the level clock adds the whole
# milliseconds of each frame, 33 of a frame that really lasts about 33.6 ms
# (tools/levellab/measure_frames shows the spread).
LEVEL_CLOCK_RATE="${LEVEL_CLOCK_RATE:-0.983}"

# Builds the game, its data, the lab's plan reader and the board reader,
# and any further targets named (the lab is turned on in a build folder that scripts/play
# made).
build_game_and_plan_reader() {
  configure_game_build
  local cache="$BUILD_DIR/CMakeCache.txt"
  grep -qx -e 'BRAMBLEHOLT_LEVELLAB:BOOL=ON' -e 'BRAMBLEHOLT_TESTS:BOOL=ON' "$cache" ||
    cmake -S "$ROOT_DIR" -B "$BUILD_DIR" -DBRAMBLEHOLT_LEVELLAB=ON
  build --target brambleholt game_data plan_moves board_look "$@"
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
    (cd "$BUILD_DIR/game" && ALSOFT_DRIVERS=null "${XVFB[@]}" "$PLAN_MOVES" "$map" "$plan")
  fi
}

# The game's key for each building of a plan.
declare -A BUILDING_KEYS=([platform]=q [pond]=w [arrow]=1 [ice]=2 [skunk]=3 [slap]=4 [demolish]=c)

# The clicks of read_plan's placements (up to a level time, if given):
# "seconds key x y", x and y in window pixels, towers on the raised top of
# their block or platform, platforms and ponds on the grass; a kept
# placement's line goes on with "keep column row".
plan_clicks() {
  local until="${1:-}" t building column row keep key raised
  while read -r t building column row keep; do
    [ "$t" != waves ] || continue
    [ -z "$until" ] || [ "$(echo "$t <= $until" | bc)" = 1 ] || break
    key="${BUILDING_KEYS[$building]:-}"
    [ -n "$key" ] || continue
    case "$building" in platform | pond) raised=0 ;; *) raised=24 ;; esac
    echo "$t $key $((50 * column - 75)) $((499 - 50 * row - raised))${keep:+ keep $column $row}"
  done
}

now() { date +%s.%N; }
# Seconds from now until a wall-clock time (negative when it has passed).
seconds_until() { echo "$1 - $(now)" | bc -l; }
# Whether a wall-clock time has passed.
passed() { [ "$(seconds_until "$1" | cut -c1)" = - ]; }
# Sleeps until a wall-clock time, or for at most the given seconds.
nap_until() {
  sleep "$(echo "d = $(seconds_until "$1"); if (d > $2) $2 else if (d < 0) 0 else d" | bc -l)"
}
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
  [ -z "$keep_picture" ] || rm -f "$keep_picture"
  keep_picture=""
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
  kept=() kept_seen=() rebuilt=0
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

# Waits, as a player watching the greyed buttons, until the build lock of
# the last placement has cleared (at most 3 s), and a moment more.
wait_for_build_lock() {
  local waited
  for waited in $(seq 30); do
    build_lock_free && break
    sleep 0.1
  done
  sleep 0.2
}

# --- Kept buildings ----------------------------------------------------------
# A plan's "keep" line is clicked at its time, and from then on its building
# is put back whenever it is gone, as the level lab does: as soon as the
# build lock allows, a tower on grass on a new platform first, and what fell
# goes back before the plan's next placement. Whether it stands is seen on
# the window (board_look compares the cell's pixels with the game's pictures).
# kept holds "key x y column row stood" for each kept line whose time has
# come, in plan order; stood is 1 once the building was made or seen standing
# (only then does a tower on grass get its platform back). rebuilt counts the
# clicks that put a building back; keep_log, when set, is a file that gets a
# line for each change seen on a kept cell and each click made for one.
kept=() rebuilt=0 keep_log="" keep_picture="" kept_seen=()

# Looks at the kept buildings' cells once: sets kept_seen to what stands on
# each ("GROUND [tower]" as board_look says it), in kept's order.
look_at_kept() {
  local entry key x y column row stood cells=() seen line i=0
  [ -n "$keep_picture" ] || keep_picture="$(mktemp --suffix=.bmp)"
  for entry in "${kept[@]}"; do
    read -r key x y column row stood <<< "$entry"
    cells+=("$column" "$row")
  done
  import -window "$window" "bmp:$keep_picture" 2>/dev/null &&
    seen="$("$BOARD_LOOK" "$keep_picture" "${cells[@]}")" || return 1
  while read -r column row line; do
    read -r key _ <<< "${kept[$i]}"
    if [ -n "$keep_log" ] && [ "${kept_seen[$i]:-}" != "$line" ]; then
      printf '%.1f %s %s %s: seen %s\n' "$(level_seconds)" "$(key_building "$key")" "$column" "$row" "$line" >> "$keep_log"
    fi
    kept_seen[i]="$line"
    i=$((i + 1))
  done <<< "$seen"
}

# The building a key chooses, for the log.
key_building() {
  local building
  for building in "${!BUILDING_KEYS[@]}"; do
    [ "${BUILDING_KEYS[$building]}" != "$1" ] || echo "$building"
  done
}

# Whether a kept line's building shows in what was seen on its cell.
kept_stands() {
  local key="$1" seen="$2"
  case "$key" in
    q) [ "${seen%% *}" = platform ] ;;
    w) [ "$seen" = pond ] ;;
    *) [[ "$seen" == *" tower" ]] ;;
  esac
}

# Watches a kept line from its time on, once the plan's click for it was made
# (landed is 1 when the board took it): it stood when it was made or is seen
# standing now.
keep_watching() {
  local key="$1" x="$2" y="$3" column="$4" row="$5" landed="$6" stood=0
  kept+=("$key $x $y $column $row 0")
  if [ "$landed" = 1 ]; then
    stood=1
  elif look_at_kept && kept_stands "$key" "${kept_seen[-1]}"; then
    stood=1
  fi
  kept[-1]="$key $x $y $column $row $stood"
}

# Looks at the board and puts back the first kept building that is gone and
# whose cell allows it, when the build lock is free; succeeds when a click
# landed (and its build lock has cleared).
put_back_fallen() {
  local i key x y column row stood seen click
  [ ${#kept[@]} -gt 0 ] && build_lock_free && look_at_kept || return 1
  for i in "${!kept[@]}"; do
    read -r key x y column row stood <<< "${kept[$i]}"
    seen="${kept_seen[$i]}"
    kept_stands "$key" "$seen" && continue
    click=""
    case "$key:$seen" in
      [qw]:open | [1-4]:platform | [1-4]:stone) click="$key $x $y" ;;
      # A tower's platform fell with it: the platform first, on the grass.
      [1-4]:open) [ "$stood" = 0 ] || click="q $x $((y + 24))" ;;
    esac
    [ -n "$click" ] || continue
    # shellcheck disable=SC2086 # the key and the point
    if click_placement $click; then
      rebuilt=$((rebuilt + 1))
      [ "${click%% *}" != "$key" ] || kept[i]="$key $x $y $column $row 1"
      [ -z "$keep_log" ] || printf '%.1f %s %s %s: put back %s\n' "$(level_seconds)" "$(key_building "$key")" \
        "$column" "$row" "$(key_building "${click%% *}")" >> "$keep_log"
      wait_for_build_lock
      return 0
    fi
    [ -z "$keep_log" ] || printf '%.1f %s %s %s: refused %s\n' "$(level_seconds)" "$(key_building "$key")" \
      "$column" "$row" "$(key_building "${click%% *}")" >> "$keep_log"
  done
  return 1
}

# Clicks the plan's placements up to a level time, for scripts/screenshot.
# Each click comes a moment after its time and after the build lock of the
# last placement has cleared, as a player waits for the greyed buttons;
# until then, kept buildings that fell are put back.
play_plan() {
  local clicks="$1" t key x y keep column row wake landed
  while read -r t key x y keep column row; do
    [ -n "$t" ] || continue
    wake="$(echo "$level_start + $t / $LEVEL_CLOCK_RATE + 0.3" | bc -l)"
    # What fell goes back first, then the plan's click when its time has come.
    while :; do
      put_back_fallen && continue
      passed "$wake" && break
      nap_until "$wake" 0.5
    done
    landed=0
    click_placement "$key" "$x" "$y" && landed=1
    [ -z "$keep" ] || keep_watching "$key" "$x" "$y" "$column" "$row" "$landed"
    wait_for_build_lock
  done <<< "$clicks"
}

# Waits until a level time (wall clock from level_start), putting back
# kept buildings that fell meanwhile.
wait_level_time() {
  local wake
  wake="$(echo "$level_start + $1 / $LEVEL_CLOCK_RATE" | bc -l)"
  while ! passed "$wake"; do
    put_back_fallen || nap_until "$wake" 0.5
  done
}
