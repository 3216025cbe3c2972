#!/usr/bin/env bash
# Real orlith-cli processes taking changes back: SIGKILLs at random moments of remove and of
# restore, and two removes and a create at once in one folder.
# Usage: take_back_processes.sh ORLITH_CLI [KILLS] [ROUNDS]
set -euo pipefail

cli=$(realpath "$1")
kills=${2:-150}
rounds=${3:-20}
work=$(mktemp -d -p "$( [ -d /dev/shm ] && echo /dev/shm || echo "${TMPDIR:-/tmp}")")
trap 'rm -rf "$work"' EXIT
fail() { echo "take back: $*" >&2; exit 1; }
ms() { echo $(($(date +%s%N) / 1000000)); }
# Sleeps a random part of span ms (bash's read with a timeout, no process started).
nap() { read -r -t "$(printf '0.%06d' $(((RANDOM * 32768 + RANDOM) % ($1 * 1000))))" <> <(:) || true; }
is_one_of() { local f=$1; shift; for g; do cmp -s "$f" "$g" && return 0; done; return 1; }

# 1. Kills of remove --all and of restore: scenery.cfg and scenery.org each an old or a new file,
# whole. A scenery.cfg of 1 MB makes a run last long enough for the kills to fall inside it.
k=$work/kill
mkdir -p "$k"
python3 -c 'import sys; sys.stdout.write("[Area.001]\r\nLayer=1\r\n" * 50000)' >"$k/scenery.cfg"
printf 'command,latitude,longitude,type\r\n' >"$work/rows.csv"
for i in $(seq 40); do printf 'delete,N%d 1.5,E1 1.5,NDB\r\n' "$i" >>"$work/rows.csv"; done
"$cli" -C "$k" batch "$work/rows.csv" >/dev/null
cp "$k/scenery.cfg" "$work/old.cfg"
printf 'the backup of an earlier day\r\n' >"$work/old.org"
cp "$work/old.org" "$k/scenery.org"
start=$(ms)
"$cli" -C "$k" remove --all >/dev/null
span=$(($(ms) - start + 1))
cp "$k/scenery.cfg" "$work/new.cfg"
cp "$k/scenery.org" "$work/backup.org"
cmp -s "$work/backup.org" <(cat "$work/old.cfg"; printf '\r\n') || fail "the backup is not whole"
killed=0
for run in $(seq "$kills"); do
  cp "$work/old.cfg" "$k/scenery.cfg"
  cp "$work/old.org" "$k/scenery.org"
  status=0
  if ((run % 2)); then
    "$cli" -C "$k" remove --all >/dev/null 2>&1 &
    pid=$!
    nap "$span"
    kill -KILL "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || status=$?
    is_one_of "$k/scenery.cfg" "$work/old.cfg" "$work/new.cfg" || fail "remove kill $run: scenery.cfg"
    is_one_of "$k/scenery.org" "$work/old.org" "$work/backup.org" || fail "remove kill $run: scenery.org"
  else
    "$cli" -C "$k" restore >/dev/null 2>&1 &
    pid=$!
    nap 5
    kill -KILL "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || status=$?
    is_one_of "$k/scenery.cfg" "$work/old.cfg" "$work/old.org" || fail "restore kill $run: scenery.cfg"
    is_one_of "$k/scenery.org" "$work/old.cfg" "$work/old.org" || fail "restore kill $run: scenery.org"
    cmp -s "$k/scenery.cfg" "$k/scenery.org" && fail "restore kill $run: one file under both names"
  fi
  if [ "$status" -eq 0 ]; then
    ls "$k" | grep -q '^orlith-.*\.tmp$' && fail "kill $run: a finished run left a temporary file"
  else
    killed=$((killed + 1))
    rm -f "$k"/orlith-*.tmp  # a killed run never reached its clean-up
  fi
done
echo "$kills removes and restores, $killed killed before the end, scenery.cfg and scenery.org whole"

# 2. Two removes (each its own rectangle) and a create at once: each remove takes back exactly
# what was in its rectangle, the create's file and switch stay, every line of scenery.cfg whole.
c=$work/together
mkdir -p "$c"
printf '[Area.001]\r\nLayer=1\r\n' >"$c/scenery.cfg"
printf 'command,latitude,longitude,type,frequency\r\n' >"$work/both.csv"
for i in 1 2 3; do
  printf 'modify,N1%d 0.0,E1 0.0,NDB,350\r\nmodify,S1%d 0.0,E1 0.0,VOR,113.9\r\n' "$i" "$i" >>"$work/both.csv"
done
for round in $(seq "$rounds"); do
  "$cli" -C "$c" batch "$work/both.csv" >/dev/null
  "$cli" -C "$c" remove --within "N20 0" "E0 0" "N10 0" "E2 0" >"$work/north" &
  "$cli" -C "$c" remove --within "S10 0" "E0 0" "S20 0" "E2 0" >"$work/south" &
  "$cli" -C "$c" modify --lat "N$round 30.0" --lon "W5 0.0" --type NDB --frequency 350 >/dev/null &
  wait
  for side in north south; do
    tail -n 1 "$work/$side" | grep -qx 'Removed 3 exclusion switches and 3 scenery files.' ||
      fail "round $round: the $side remove said $(tail -n 1 "$work/$side")"
  done
  [ -f "$c/N$round 30_0__W5 0_0.bgl" ] || fail "round $round: the create's file is gone"
  grep -q "^Exclude=N$round " "$c/scenery.cfg" || fail "round $round: the create's switch is gone"
  grep -aE '^Exclude=[NS]1[0-9] +[0-9.]+, E' "$c/scenery.cfg" && fail "round $round: a selected switch is left"
  ls "$c" | grep -E '^[NS]1[0-9] 0_0__E1' && fail "round $round: a selected file is left"
done
[ "$(grep -c '^Exclude=' "$c/scenery.cfg")" -eq "$rounds" ] || fail "switches lost or doubled"
[ "$(grep -c '^Title=Navigational Updates' "$c/scenery.cfg")" -eq 1 ] || fail "blocks"
echo "$rounds rounds of two removes and a modify at once: every change accounted for"
