#!/usr/bin/env bash
# plan_scripts_test.sh SOURCE_DIR PLAN_MOVES GAME_DIR LEVEL_LAB BOARD_LOOK
# The scripts that click plans into the real game refuse bad arguments
# before any work, with a reason and a non-zero status; their plan reader
# (the lab's) refuses what the lab refuses, and their clicks keep the plan's
# times and order, and mark its kept buildings, under a decimal-comma locale.
# The board reader that realplay watches kept buildings with tells what
# stands on cells of a board the game drew.
set -u
source_dir=$1 plan_moves=$2 game=$3 level_lab=$4 board_look=$5
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
fail() { echo "FAIL: $*"; status=1; }

# expect STATUS TEXT COMMAND...: the command ends with STATUS, saying TEXT.
expect() {
  local want=$1 text=$2 said got
  shift 2
  said=$("$@" 2>&1 >/dev/null)
  got=$?
  [ "$got" = "$want" ] && [[ "$said" == *"$text"* ]] ||
    fail "$(basename "$1") ${*:2}: status $got, said '$said'; expected $want and '$text'"
}

printf '0 platform 4 6 every -5 until 100\n' >"$work/negative.plan"
printf '0 pond 4 6 every 0.5 until 100\n' >"$work/fast.plan"
printf '10 arrow 4 6\n2.25 pond 5 5 keep\n9.75 ice 6 6\n' >"$work/fractions.plan"
cd "$game"
expect 2 "--runs takes a whole number from 1" "$source_dir/scripts/realplay" --runs 0 1
expect 2 "--jobs takes a whole number from 1" "$source_dir/scripts/realplay" --jobs -1
expect 2 "--jobs needs a value" "$source_dir/scripts/realplay" 1 --jobs
expect 2 "cannot read the plan file" "$source_dir/scripts/realplay" --plan "$work/none.plan"
expect 2 "seconds of play are a number above 0" "$source_dir/scripts/screenshot" "$work/a.png" 1 abc
expect 2 "seconds of play are a number above 0" "$source_dir/scripts/screenshot" "$work/a.png" 1 -5
expect 1 "line 1: expected 'every P until T' with P at least 1" "$plan_moves" map/c1.txt "$work/negative.plan"
expect 1 "line 1: expected 'every P until T' with P at least 1" "$plan_moves" map/c1.txt "$work/fast.plan"
expect 2 "usage: plan_moves MAP PLAN" "$plan_moves" map/c1.txt

# A German locale of the test's own (decimal comma), whatever the system has.
localedef -i de_DE -f UTF-8 "$work/de_DE.UTF-8" 2>/dev/null
clicks=$(LOCPATH=$work LC_ALL=de_DE.UTF-8 bash -c 'printf "%.1f " 1,5 &&
  source "$1/scripts/lib/setup.sh" && source "$1/scripts/lib/realgame.sh" &&
  "$2" map/c1.txt "$3" | plan_clicks 9.75' - "$source_dir" "$plan_moves" "$work/fractions.plan" 2>&1)
[ "$clicks" = $'1,5 2.250 w 175 249 keep 5 5\n9.750 2 225 175' ] ||
  fail "clicks up to 9.75 s under de_DE.UTF-8, the kept pond marked: '$clicks'"
# A recording of level 2 with a tower on a platform, a bare platform and a
# tower on stone, played back by the lab, which draws the board as the game
# does, in a runtime folder of the test's own (the picture is saved there).
mkdir "$work/game" && ln -s "$game"/* "$work/game/" && cd "$work/game"
# The lab names the map's checksum when a recording gives another.
printf 'brambleholt-recording 1\nclick 380 465\nlevel 2 0000000000000000\n' >"$work/probe.rec"
checksum=$("$level_lab" --replay "$work/probe.rec" 2>&1 | sed -n 's/.* has \([0-9a-f]\{16\}\): another map$/\1/p')
frames() { for _ in $(seq "$1"); do echo "frame 33333"; done; }
{
  printf 'brambleholt-recording 1\nclick 380 465\nlevel 2 %s\n' "$checksum"
  printf 'key 16\nclick 125 249\n' && frames 70 # Q: a platform at (4, 5)
  printf 'key 27\nclick 125 225\n' && frames 40 # 1: an arrow tower on it
  printf 'key 16\nclick 225 249\n' && frames 70 # a platform at (6, 5)
  printf 'key 27\nclick 575 75\n' && frames 40  # an arrow tower on the stone at (13, 8)
} >"$work/built.rec"
"$level_lab" --replay "$work/built.rec" --at 7 >/dev/null 2>&1
seen=$("$board_look" replay_play1_level2_at_7s.png 4 5 6 5 13 8 14 8 5 5 2>&1 | tr '\n' ,)
[ "$seen" = "4 5 platform tower,6 5 platform,13 8 stone tower,14 8 stone,5 5 open," ] ||
  fail "board_look on the board 7 s into the recording: '$seen'"
expect 2 "expected a column (2 to 17) and a row (1 to 9), not '18 5'" "$board_look" replay_play1_level2_at_7s.png 18 5
expect 1 "not a picture of the 800 x 600 window" "$board_look" "$work/built.rec" 4 5
exit $status
