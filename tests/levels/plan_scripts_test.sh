#!/usr/bin/env bash
# plan_scripts_test.sh SOURCE_DIR PLAN_MOVES GAME_DIR
# The scripts that click plans into the real game refuse bad arguments
# before any work, with a reason and a non-zero status; their plan reader
# (the lab's) refuses what the lab refuses, and their clicks keep the plan's
# times and order under a decimal-comma locale.
set -u
source_dir=$1 plan_moves=$2 game=$3
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
printf '10 arrow 4 6\n2.25 pond 5 5\n9.75 ice 6 6\n' >"$work/fractions.plan"
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
[ "$clicks" = $'1,5 2.250 w 175 249\n9.750 2 225 175' ] || fail "clicks up to 9.75 s under de_DE.UTF-8: '$clicks'"
exit $status
