#!/usr/bin/env bash
# Kills orlith-cli at random moments while it backs up and appends to a 100 MB scenery.cfg, then
# checks after each kill that scenery.cfg still begins with every byte it held before, and that
# scenery.org is either the backup from before or the new one, whole.
# Usage: crash_safety.sh ORLITH_CLI [RUNS]
set -euo pipefail

cli=$(realpath "$1")
runs=${2:-8}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

# 100 MB of ordinary area blocks with CR LF line ends; no updates area block yet.
python3 - <<'PY'
with open("scenery.cfg", "wb") as f:
    n = 0
    while f.tell() < 100 * 1024 * 1024:
        n += 1
        f.write(b"[Area.%03d]\r\nTitle=Add-on scenery %d\r\nLocal=Addon Scenery\\Area%d\r\n"
                b"Active=TRUE\r\nRequired=FALSE\r\nLayer=%d\r\n\r\n" % (n % 1000, n, n, n))
PY
printf 'the backup of an earlier day\r\n' > scenery.org

delete_vors=("$cli" -C "$work" delete --lat "N42 34.6" --lon "W12 24.5" --type VOR)

# One whole run tells how long a run takes; the kills fall anywhere inside that time.
cp scenery.cfg before.cfg
start=$(date +%s%N)
"${delete_vors[@]}" >/dev/null 2>&1
span_ms=$(( ($(date +%s%N) - start) / 1000000 + 1 ))
echo "one run: ${span_ms} ms"

fail() { echo "crash safety: run $1: $2" >&2; exit 1; }

killed=0
for run in $(seq 1 "$runs"); do
  cp scenery.cfg before.cfg
  cp scenery.org before.org
  delay_ms=$(( RANDOM % span_ms ))
  "${delete_vors[@]}" >/dev/null 2>&1 &
  pid=$!
  sleep "$(printf '%d.%03d' $((delay_ms / 1000)) $((delay_ms % 1000)))"
  if kill -KILL "$pid" 2>/dev/null; then killed=$((killed + 1)); fi
  wait "$pid" 2>/dev/null || true

  size=$(stat -c %s before.cfg)
  [ "$(stat -c %s scenery.cfg)" -ge "$size" ] || fail "$run" "scenery.cfg shrank"
  cmp -s -n "$size" scenery.cfg before.cfg || fail "$run" "scenery.cfg lost old bytes"
  # scenery.org is whole: the backup before the run, or the copy of before.cfg plus a CR LF.
  if ! cmp -s scenery.org before.org; then
    [ "$(stat -c %s scenery.org)" -eq $((size + 2)) ] || fail "$run" "scenery.org has a wrong size"
    cmp -s -n "$size" scenery.org before.cfg || fail "$run" "scenery.org differs from scenery.cfg"
    [ "$(tail -c 2 scenery.org | od -An -tx1 | tr -d ' \n')" = 0d0a ] ||
      fail "$run" "scenery.org lacks its last line end"
  fi
  blocks=$(grep -c '^Title=Navigational Updates' scenery.cfg || true)
  [ "$blocks" -le 1 ] || fail "$run" "$blocks updates area blocks"
  # Every added line is whole: the tail holds only complete block and switch lines.
  tail -c +$((size + 1)) scenery.cfg | grep -av $'^\r$' |
    grep -avE $'^(\\[Area\\.[0-9]+\\]|Title=Navigational Updates|Local=Addon Scenery\\\\Updates|Active=TRUE|Required=FALSE|Layer=[0-9]+|Exclude=N42   34\\.61, W12   24\\.51, N42   34\\.59, W12   24\\.49, vors)\r$' &&
    fail "$run" "a line added to scenery.cfg is not whole"
  echo "run $run: killed after ${delay_ms} ms"
done
echo "crash safety: $runs runs, $killed killed before the end, scenery.cfg and scenery.org whole"
