# Drives the real game under a virtual display as a player would, for
# scripts/screenshot and scripts/realplay: starts it, chooses a level, clicks
# a plan in at the plan's times and tells how the level stands. Sourced after
# setup.sh, inside an X display, from the runtime folder.

PLAN_DIR="$ROOT_DIR/tools/levellab/plans"

# Level seconds per second of the wall clock: the level clock adds the whole
# milliseconds of each frame, 33 of a frame that really lasts about 33.6 ms
# (tools/levellab/measure_frames shows the spread).
LEVEL_CLOCK_RATE="${LEVEL_CLOCK_RATE:-0.983}"

# The plan's placements up to a level time, one "seconds key x y" line each,
# x and y the click in window coordinates: towers on the raised top of their
# block or platform, platforms and ponds on the grass.
plan_moves() {
  awk -v until="$2" '
    BEGIN {
      key["arrow"] = "1"; key["ice"] = "2"; key["skunk"] = "3"; key["slap"] = "4"
      key["platform"] = "q"; key["pond"] = "w"; key["demolish"] = "c"
    }
    { sub(/#.*/, "") }
    NF >= 4 {
      period = ($5 == "every") ? $6 : 0
      last = period ? $8 : $1
      raised = ($2 == "platform" || $2 == "pond") ? 0 : 24
      for (t = $1; t <= last && t <= until; t += (period ? period : last + 1))
        print t, key[$2], 50 * $3 - 75, 499 - 50 * $4 - raised
    }' "$1" | sort -s -n -k1,1
}

now() { date +%s.%N; }
# Seconds from now until a wall-clock time (negative when it has passed).
seconds_until() { echo "$1 - $(now)" | bc -l; }

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

# Clicks a level button on the menu; sets level_start to the wall-clock time.
choose_level() {
  xdotool mousemove --window "$window" 380 $((365 + 50 * $1)) click 1
  level_start="$(now)"
}

# The building buttons' black captions turn grey while a placement is being
# built (and once the level is lost); the arrow tower's stands for them all.
build_lock_free() {
  [ "$(import -window "$window" -crop 100x25+5+479 txt:- | grep -c '#000000' || true)" -gt 0 ]
}

# The demolition button's black caption turns grey only once the level is lost.
level_lost() {
  [ "$(import -window "$window" -crop 100x25+5+569 txt:- | grep -c '#000000' || true)" -eq 0 ]
}

# The clock at the bottom right gains a slice every 2 s of level time: when
# it stands still for 2.5 s the world has stopped, and the level is over.
level_stopped() {
  local before after
  before="$(import -window "$window" -crop 50x50+725+479 txt:- | md5sum)"
  sleep 2.5
  after="$(import -window "$window" -crop 50x50+725+479 txt:- | md5sum)"
  [ "$before" = "$after" ]
}

# "lost", "won" or "playing".
level_state() {
  if level_lost; then echo lost
  elif level_stopped; then
    if level_lost; then echo lost; else echo won; fi
  else echo playing
  fi
}

# Clicks the plan's placements up to a level time. Each click comes a moment
# after its time and after the build lock of the last placement has cleared,
# as a player waits for the greyed buttons; a click the board refuses sets
# no lock. With "watch", stops early when the level is lost, checking every
# few seconds while it waits.
play_plan() {
  local plan="$1" until="$2" watch="${3:-}"
  local t key x y wake delay waited
  while read -r t key x y; do
    [ -n "$t" ] || continue
    wake="$(echo "$level_start + $t / $LEVEL_CLOCK_RATE + 0.3" | bc -l)"
    while delay="$(seconds_until "$wake")"; [ "${delay:0:1}" != - ]; do
      if [ -n "$watch" ] && level_lost; then return 0; fi
      sleep "$(echo "if ($delay > 5) 5 else $delay" | bc -l)"
    done
    xdotool windowfocus "$window" key "$key"
    xdotool mousemove --window "$window" "$x" "$y" click 1
    # With CLICK_LOG set, each click's planned and actual level time.
    [ -z "${CLICK_LOG:-}" ] || echo "$t $(echo "($(now) - $level_start) * $LEVEL_CLOCK_RATE" | bc -l)" >> "$CLICK_LOG"
    # Keep the pointer off the board, so no preview is drawn over it.
    xdotool mousemove --window "$window" 600 560
    sleep 0.15
    for waited in $(seq 30); do
      build_lock_free && break
      if [ -n "$watch" ] && level_lost; then return 0; fi
      sleep 0.1
    done
    sleep 0.2
  done <<< "$(plan_moves "$plan" "$until")"
}

# Waits until a level time (wall clock from level_start).
wait_level_time() {
  local delay
  delay="$(seconds_until "$(echo "$level_start + $1 / $LEVEL_CLOCK_RATE" | bc -l)")"
  [ "${delay:0:1}" = - ] || sleep "$delay"
}
