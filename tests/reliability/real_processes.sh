#!/usr/bin/env bash
# Real orlith-cli processes on real files, no seams: eight at once on one folder, one waiting for
# another's lock and getting it when that one is killed, kills of a create over an existing
# scenery file, and FIFOs, devices, folders and dangling symlinks where files are expected.
# Usage: real_processes.sh ORLITH_CLI [ROUNDS] [KILLS]
set -euo pipefail

cli=$(realpath "$1")
rounds=${2:-100}
kills=${3:-200}
examples=$(cd "$(dirname "$0")/../../examples" && pwd)
# On a tmpfs when there is one: the syncs cost nothing there, so the runs stay short.
work=$(mktemp -d -p "$( [ -d /dev/shm ] && echo /dev/shm || echo "${TMPDIR:-/tmp}")")
trap 'rm -rf "$work"' EXIT
fail() { echo "real processes: $*" >&2; exit 1; }
# A fresh simulator folder with an earlier backup and log.
fresh() {
  rm -rf "$1" && mkdir -p "$1"
  cp "$examples/simulator/scenery.cfg" "$1/"
  printf 'the backup of an earlier day\r\n' >"$1/scenery.org"
  printf '\r\nan entry of an earlier day\r\n' >"$1/orlith.log"
}
ms() { echo $(($(date +%s%N) / 1000000)); }
# scenery.org is a whole backup: some earlier state of scenery.cfg, plus the CR LF the copy adds.
whole_backup() {
  local size=$(($(stat -c %s "$1/scenery.org") - 2))
  [ "$(tail -c 2 "$1/scenery.org" | od -An -tx1 | tr -d ' \n')" = 0d0a ] &&
    cmp -s -n "$size" "$1/scenery.org" "$1/scenery.cfg"
}

# 1. Eight processes at once, mixing the commands, round after round.
sim=$work/sim
fresh "$sim"
old_size=$(stat -c %s "$sim/scenery.cfg")
printf 'command,latitude,longitude,type,frequency,id,name\r\ndelete,N9 1.5,E1 1.5,NDB,,,\r\n%s\r\n' \
  'create,N9 2.5,E1 2.5,VOR,113.90,ABC,B' >"$work/rows.csv"
start=$(ms)
for round in $(seq "$rounds"); do
  for p in 0 1 2 3 4 5 6 7; do
    pos=(--lat "N$p 1.5" --lon "E1 1.5")
    case $((p % 4)) in
      0) args=(create "${pos[@]}" --type NDB --frequency 350 --id ABC --name "R$round") ;;
      1) args=(delete "${pos[@]}") ;;
      2) args=(modify "${pos[@]}" --type VOR --frequency 113.90 --id XYZ --name "R$round") ;;
      3) args=(batch "$work/rows.csv") ;;
    esac
    { "$cli" -C "$sim" "${args[@]}" 2>&1 || echo "status $?"; } >>"$work/out.$p" &
  done
  wait
done
echo "$((rounds * 8)) processes in $(($(ms) - start)) ms"
cat "$work"/out.* >"$work/out"
grep -v -E '^(All (NDB )?NavAids at .* are deleted!|A new (NDB|VOR) NavAid was created at .*|An existing VOR NavAid at .* was modified)$' \
  "$work/out" && fail "a run failed or said something unexpected"
blocks=$(grep -c '^Title=Navigational Updates' "$sim/scenery.cfg")
[ "$blocks" -eq 1 ] || fail "$blocks updates area blocks"
tail -c +$((old_size + 1)) "$sim/scenery.cfg" | grep -av $'^\r$' |
  grep -avE $'^(\\[Area\\.[0-9]+\\]|Title=Navigational Updates|Local=Addon Scenery\\\\Updates|Active=TRUE|Required=FALSE|Layer=[0-9]+|Exclude=N[ 0-9.]+, E[ 0-9.]+, N[ 0-9.]+, E[ 0-9.]+, (all|vors|ndbs))\r$' &&
  fail "a line added to scenery.cfg is not whole"
# Every message is true on disk: one switch per delete or modify, one file and report per create.
switches=$(grep -c '^Exclude=' "$sim/scenery.cfg")
excluding=$(grep -c -E 'are deleted!$|was modified$' "$work/out")
[ "$switches" -eq "$excluding" ] || fail "$switches switches for $excluding messages"
[ "$(grep -c '^Exclusion switch was added' "$sim/orlith.log")" -eq "$switches" ] ||
  fail "the log does not report every switch"
creating=$(grep -c -E 'was created at|was modified$' "$work/out")
[ "$(grep -c 'was created with the following data' "$sim/orlith.log")" -eq "$creating" ] ||
  fail "the log does not report every scenery file"
for f in "$sim"/*.bgl; do "$cli" inspect "$f" >/dev/null || fail "$f is not whole"; done
[ "$(tail -c 2 "$sim/orlith.log" | od -An -tx1 | tr -d ' \n')" = 0d0a ] || fail "log line cut"
whole_backup "$sim" || fail "scenery.org is not a whole backup"
ls "$sim" | grep -q '^orlith-.*\.tmp$' && fail "a temporary file was left"

# 2. The lock: a delete waits for a long batch, and goes on at once when the batch is killed.
lock=$work/lock
fresh "$lock"
python3 -c '
import sys
rows = ["command,latitude,longitude"] + ["delete,N%d %d.5,E1 1.5" % (i % 80, i % 60) for i in range(200000)]
sys.stdout.write("\r\n".join(rows) + "\r\n")' >"$work/long.csv"
# Waits until another process holds the folder's lock (flock probes the same lock).
held() {
  for _ in $(seq 500); do
    flock -n "$lock" true || return 0
    sleep 0.01
  done
  fail "the batch never took the lock"
}
"$cli" -C "$lock" batch "$work/long.csv" >/dev/null &
batch=$!
held
"$cli" -C "$lock" delete --lat "S1 1.5" --lon "W1 1.5" >/dev/null
wait "$batch" || fail "the batch failed"
# Started while the batch held the lock, the delete added its switch after all of the batch's.
[ "$(grep '^Exclude=' "$lock/scenery.cfg" | tail -n 1 | cut -c9-10)" = S1 ] ||
  fail "the delete did not wait for the batch"
"$cli" -C "$lock" batch "$work/long.csv" >/dev/null &
batch=$!
held
"$cli" -C "$lock" delete --lat "S2 1.5" --lon "W1 1.5" >"$work/waited" &
waiting=$!
sleep 0.3
kill -0 "$waiting" 2>/dev/null || fail "the delete did not wait for the batch"
# By now the batch has read all 200,000 rows once: it holds one at a time, not all of them.
# (AddressSanitizer keeps freed memory aside, so its builds are not measured.)
peak_kb=$(awk '/^VmHWM/ {print $2}' "/proc/$batch/status")
grep -qa AddressSanitizer "$cli" || [ "$peak_kb" -lt 65536 ] || fail "the batch took ${peak_kb} kB"
kill -KILL "$batch"
killed_at=$(ms)
wait "$batch" 2>/dev/null || true
wait "$waiting" || fail "the delete failed after the kill"
waited=$(($(ms) - killed_at))
[ "$waited" -lt 1000 ] || fail "the lock was released only ${waited} ms after the kill"
echo "the lock went over ${waited} ms after the SIGKILL; the batch's peak memory: ${peak_kb} kB"

# 3. Kills of a create over an existing scenery file: the old file or the new one, whole.
# A scenery.cfg of 1 MB makes a run last long enough for the kills to fall inside it.
k=$work/kill
fresh "$k"
python3 -c 'import sys; sys.stdout.write("[Area.001]\r\nLayer=1\r\n" * 50000)' >>"$k/scenery.cfg"
bgl="$k/N1 2_5__E3 4_5.bgl"
create=(-C "$k" create --lat "N1 2.5" --lon "E3 4.5" --type VOR --frequency 113.90 --id NEW)
"$cli" "${create[@]}" >/dev/null && cp "$bgl" "$work/new.bgl"
"$cli" -C "$k" create --lat "N1 2.5" --lon "E3 4.5" --type NDB --frequency 350 --id OLD >/dev/null
cp "$bgl" "$work/old.bgl"
start=$(ms)
"$cli" "${create[@]}" >/dev/null
span=$(($(ms) - start + 1))
killed=0
for run in $(seq "$kills"); do
  cp "$work/old.bgl" "$bgl"
  "$cli" "${create[@]}" >/dev/null 2>&1 &
  pid=$!
  delay=$((RANDOM * 32768 + RANDOM))
  read -r -t "$(printf '0.%06d' $((delay % (span * 1000))))" <> <(:) || true  # a sleep in bash
  kill -KILL "$pid" 2>/dev/null || true
  status=0
  wait "$pid" 2>/dev/null || status=$?
  cmp -s "$bgl" "$work/old.bgl" || cmp -s "$bgl" "$work/new.bgl" || fail "kill $run: a part file"
  if [ "$status" -eq 0 ]; then
    ls "$k" | grep -q '^orlith-.*\.tmp$' && fail "kill $run: a finished create left a temporary file"
  else
    killed=$((killed + 1))
    rm -f "$k"/orlith-*.tmp  # a killed run never reached its clean-up
  fi
done
echo "$kills creates over an existing file, $killed killed before the end, each file whole"

# 4. FIFOs, devices, folders and dangling symlinks where a file is expected: an answer within a
# second, nothing waited on, nothing written through them, nothing outside the folder touched.
odd=$work/odd
snap() { (cd "$1" && find . -printf '%p %y %s %l\n' | sort && find . -type f -exec md5sum {} + | sort); }
place() {
  case $1 in
    fifo) mkfifo "$2" ;;
    null) ln -s /dev/null "$2" ;;
    zero) ln -s /dev/zero "$2" ;;
    folder) mkdir "$2" ;;
    dangling) ln -s "$work/outside/missing" "$2" ;;
  esac
}
mkdir -p "$work/outside"
at=(--lat "N42 34.6" --lon "W12 24.5")
for kind in fifo null zero folder dangling; do
  for role in scenery.cfg orlith.log "N42 34_6__W12 24_5.bgl" rows.csv shown.bgl; do
    fresh "$odd"
    [ "$role" = scenery.cfg ] && rm "$odd/scenery.cfg"
    [ "$role" = orlith.log ] && rm "$odd/orlith.log"
    place "$kind" "$odd/$role"
    case $role in
      rows.csv) args=(batch rows.csv) want='^orlith-cli: cannot read rows.csv: ' status=3 ;;
      shown.bgl) args=(inspect shown.bgl) want='^orlith-cli: cannot read shown.bgl: ' status=3 ;;
      scenery.cfg) args=(delete "${at[@]}") want='^File scenery.cfg not found!$' status=1 ;;
      orlith.log) args=(delete "${at[@]}") want='\(The log could not be written: ' status=0 ;;
      *) args=(create "${at[@]}" --type VOR --frequency 113.90) want='^A new VOR NavAid was created' status=0 ;;
    esac
    [ "$role$kind" = "N42 34_6__W12 24_5.bglfolder" ] && want='Is a directory\. The command was stopped\.$' status=2
    before=$(snap "$odd")
    was=$(find "$odd/$role" -printf '%y %s %l')
    start=$(ms)
    got=0
    timeout 5 "$cli" -C "$odd" "${args[@]}" >"$work/said" 2>&1 || got=$?
    took=$(($(ms) - start))
    [ "$took" -lt 1000 ] || fail "$role as $kind: ${took} ms"
    [ "$got" -eq "$status" ] || fail "$role as $kind: status $got: $(cat "$work/said")"
    grep -qE "$want" "$work/said" || fail "$role as $kind: told $(cat "$work/said")"
    [ -e "$work/outside/missing" ] && fail "$role as $kind: a file was made outside the folder"
    if [ "$status" -ne 0 ]; then
      [ "$before" = "$(snap "$odd")" ] || fail "$role as $kind: the folder changed"
    elif [ "$role" = orlith.log ]; then
      [ "$(find "$odd/$role" -printf '%y %s %l')" = "$was" ] || fail "orlith.log as $kind was changed"
    else
      [ "$(stat -c %s "$odd/$role")" -eq 246 ] && [ ! -L "$odd/$role" ] ||
        fail "$role as $kind was not replaced by a whole file"
    fi
  done
done
echo "odd files: every role and kind answered within a second, nothing changed through them"

# 5. Standard output that cannot be written is a failure, not a success.
for args in "inspect|$work/new.bgl" "--version"; do
  IFS='|' read -r -a argv <<<"$args"
  got=0
  "$cli" "${argv[@]}" >/dev/full 2>/dev/null || got=$?
  [ "$got" -eq 3 ] || fail "${argv[*]} into /dev/full: status $got"
done
echo "output into /dev/full: status 3"
