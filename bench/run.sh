#!/usr/bin/env bash
# The end-to-end benchmark: each command of orlith-cli, a batch of 10,000 rows and the import of
# OurAirports' navaids.csv, against two floors (bench/floor.cpp: only the file work no
# implementation can avoid, with Orlith's syncs): the in-process copy, which reads scenery.cfg and
# writes its bytes to scenery.org, and the kernel copy, which copies them as
# `cp scenery.cfg scenery.org` does (copy_file_range) and flushes them as `sync scenery.org` does.
# On scenery.cfg files of 10 KB, 1 MB and 50 MB, in a folder on the disk (under the build folder)
# and in one on /dev/shm. Every run starts from a fresh folder; Orlith's and the floors' runs take
# turns, after one warm-up run each. Prints the medians of the wall-clock and processor times,
# the ratios to the kernel floor and Orlith's peak memory as a Markdown table, then checks the
# goals:
#   - every command on the 50 MB scenery.cfg at most 1.5 times the kernel floor,
#   - the 10,000-row batch (on the 1 MB scenery.cfg) at most 1.5 times the kernel floor running
#     the same rows,
#   - the import of navaids.csv (shared/data/navaids.csv beside the repository or its worktree
#     folder, or ORLITH_NAVAIDS_CSV) with --apply at most 1.5 times the kernel floor running the same rows
#     as a batch, with a peak memory within 1 MiB of the import of one country's rows,
#   - orlith-cli's peak memory under 8 MiB on the 50 MB scenery.cfg and within 1 MiB of its peak
#     on the 10 KB one, and under 16 MiB for a batch of 1,000,000 delete rows.
# The ratios are checked on processor time (user and system) by default: on a shared machine the
# wall-clock time also holds the waits behind other processes, which are no cost of Orlith's.
# Exit status 0 when every goal holds, 1 when one is missed, 2 when a run failed.
#
#   bench/run.sh [RUNS]             RUNS: timed runs per case (default 7; the goals want 7 or more)
# A quick subset:
#   ORLITH_BENCH_PLACES="shm"       only some of the places disk, shm (default: both)
#   ORLITH_BENCH_SIZES="1M 50M"     only some of the sizes 10K, 1M, 50M
#   ORLITH_BENCH_MILLION=0          skip the 1,000,000-row batch (its memory only; about 30 s)
#   ORLITH_BENCH_IMPORT=0           skip the import of navaids.csv
# ORLITH_BENCH_GOAL=wall checks the ratios on wall-clock time instead (for an idle machine).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/bench"
runs=${1:-7}
places=${ORLITH_BENCH_PLACES:-"disk shm"}
sizes=${ORLITH_BENCH_SIZES:-"10K 1M 50M"}
goal_on=${ORLITH_BENCH_GOAL:-cpu}
batch_rows=10000
million=1000000

(cd "$root" && cmake --preset bench >/dev/null &&
  cmake --build --preset bench --target orlith-cli orlith-floor orlith-timed \
    orlith-bench-inputs >/dev/null)
cli="$build/cli/orlith-cli"
floor="$build/bench/orlith-floor"
timed="$build/bench/orlith-timed"
inputs="$build/bench/orlith-bench-inputs"

declare -A dirs=([disk]="$build/e2e-$$" [shm]="/dev/shm/orlith-bench-$$")
cleanup() { for place in $places; do rm -rf "${dirs[$place]}"; done; }
trap cleanup EXIT
declare -A bytes=([10K]=10240 [1M]=1048576 [50M]=52428800)

position=(--lat "N42 34.6" --lon "W12 24.5" --type VOR)
params=(--frequency 113.90 --range 40 --altitude 200 --magnetic-deviation -3 --dme 1 --id XYZ
  --name "TEST VOR")

# A fresh simulator folder $work/run holding the given scenery.cfg alone, already on stable
# storage so that its writing does not fall into the timed run.
# With $prepared set, the folder is a copy of that one instead (scenery files and all).
prepared=
fresh_folder() {
  rm -rf "$work/run"
  mkdir "$work/run"
  if [[ -n $prepared ]]; then
    cp -a "$prepared/." "$work/run/"
    sync -f "$work/run/scenery.cfg"
    return
  fi
  cp "$1" "$work/run/scenery.cfg"
  sync "$work/run/scenery.cfg"
}

# Runs a command once in a fresh folder and prints "SECONDS CPU_SECONDS PEAK_KB"; what the
# command writes to its standard error is shown only when it fails.
timed_run() {
  local cfg=$1
  shift
  fresh_folder "$cfg"
  if ! "$timed" "$@" 2>"$work/stderr.txt"; then
    cat "$work/stderr.txt" >&2
    echo "bench/run.sh: failed: $*" >&2
    exit 2
  fi
}

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
column() { awk -v c="$1" '{ print $c }' <<<"${2%$'\n'}"; }
ratio() { awk -v o="$1" -v f="$2" 'BEGIN { printf "%.2f", (f > 0) ? o / f : 0 }'; }

table=()
missed=()
declare -A peaks=()

# measure NAME SIZE CFG GOAL -- ORLITH... -- FLOOR_ARGS...
# Times Orlith, the in-process floor and the kernel floor (orlith-floor FLOOR_ARGS, with and
# without --kernel-copy). GOAL is "yes" when the ratio to the kernel floor counts toward the goals.
measure() {
  local name=$1 size=$2 cfg=$3 goal=$4
  shift 5
  local orlith=()
  while [[ $1 != -- ]]; do orlith+=("$1"); shift; done
  shift
  local in_process=("$floor" "$@") kernel=("$floor" --kernel-copy "$@")
  timed_run "$cfg" "${orlith[@]}" >/dev/null
  timed_run "$cfg" "${in_process[@]}" >/dev/null
  timed_run "$cfg" "${kernel[@]}" >/dev/null
  local o_runs="" p_runs="" k_runs=""
  for ((i = 0; i < runs; i++)); do
    o_runs+="$(timed_run "$cfg" "${orlith[@]}")"$'\n'
    p_runs+="$(timed_run "$cfg" "${in_process[@]}")"$'\n'
    k_runs+="$(timed_run "$cfg" "${kernel[@]}")"$'\n'
  done
  local o p k oc kc peak wall_ratio cpu_ratio checked
  o=$(column 1 "$o_runs" | median)
  p=$(column 1 "$p_runs" | median)
  k=$(column 1 "$k_runs" | median)
  oc=$(column 2 "$o_runs" | median)
  kc=$(column 2 "$k_runs" | median)
  peak=$(column 3 "$o_runs" | sort -g | tail -n 1)
  peaks[$place/$name/$size]=$peak
  wall_ratio=$(ratio "$o" "$k")
  cpu_ratio=$(ratio "$oc" "$kc")
  checked=$cpu_ratio
  [[ $goal_on == wall ]] && checked=$wall_ratio
  local verdict="-"
  if [[ $goal == yes ]]; then
    verdict=ok
    if awk -v r="$checked" 'BEGIN { exit !(r > 1.5) }'; then
      verdict=MISSED
      missed+=("$name on $size ($place): $goal_on ratio $checked to the kernel floor")
    fi
  fi
  if [[ $size == 50M ]] && ((peak >= 8192)); then
    verdict=MISSED
    missed+=("$name on $size ($place): peak memory $peak KiB")
  fi
  table+=("$(awk -v pl="$place" -v n="$name" -v s="$size" -v o="$o" -v p="$p" -v k="$k" \
    -v r="$wall_ratio" -v oc="$oc" -v kc="$kc" -v cr="$cpu_ratio" -v m="$peak" -v v="$verdict" \
    'BEGIN {
      printf "| %s | %s | %s | %.1f ms | %.1f ms | %.1f ms | %s | %.1f ms | %.1f ms | %s | %.1f MiB | %s |",
        pl, n, s, o * 1000, p * 1000, k * 1000, r, oc * 1000, kc * 1000, cr, m / 1024, v }')")
  echo "measured $name on $size ($place)" >&2
}

# navaids.csv beside the repository, or beside the folder of git worktrees that holds it.
navaids=${ORLITH_NAVAIDS_CSV:-$root/../shared/data/navaids.csv}
[[ -n ${ORLITH_NAVAIDS_CSV:-} || -f $navaids ]] || navaids=$root/../../shared/data/navaids.csv
for place in $places; do
  work=${dirs[$place]}
  rm -rf "$work"
  mkdir -p "$work/inputs"
  for size in $sizes; do
    "$inputs" cfg "${bytes[$size]}" "$work/inputs/scenery_$size.cfg"
  done
  "$inputs" batch "$batch_rows" "$work/inputs/batch.csv"

  for size in $sizes; do
    cfg="$work/inputs/scenery_$size.cfg"
    goal=no
    [[ $size == 50M ]] && goal=yes
    for command in create delete modify; do
      args=("${position[@]}")
      [[ $command != delete ]] && args+=("${params[@]}")
      measure "$command" "$size" "$cfg" "$goal" -- \
        "$cli" -C "$work/run" "$command" "${args[@]}" -- "$work/run" "$command" VOR
    done
    if [[ $size == 1M ]]; then
      measure "batch of $batch_rows rows" "$size" "$cfg" yes -- \
        "$cli" -C "$work/run" batch "$work/inputs/batch.csv" -- \
        "$work/run" batch "$work/inputs/batch.csv"
    fi
  done

  # The import of navaids.csv applied at once (about 10,000 scenery files), against the floors
  # running the same rows as a batch file; and the import of one country's rows, whose peak
  # memory the whole file's must not exceed by more than 1 MiB.
  if [[ ${ORLITH_BENCH_IMPORT:-1} != 0 && -f $navaids && " $sizes " == *" 1M "* ]]; then
    cfg="$work/inputs/scenery_1M.cfg"
    cp "$navaids" "$work/inputs/navaids.csv"
    "$cli" import "$work/inputs/navaids.csv" -o "$work/inputs/imported.csv" 2>/dev/null
    cp "$root/examples/ourairports/navaids-BE.csv" "$work/inputs/navaids-BE.csv"
    "$cli" import "$work/inputs/navaids-BE.csv" -o "$work/inputs/imported-BE.csv" 2>/dev/null
    measure "import --apply of navaids.csv" 1M "$cfg" yes -- \
      "$cli" -C "$work/run" import "$work/inputs/navaids.csv" --apply -- \
      "$work/run" batch "$work/inputs/imported.csv"
    measure "import --apply of one country" 1M "$cfg" no -- \
      "$cli" -C "$work/run" import "$work/inputs/navaids-BE.csv" --apply -- \
      "$work/run" batch "$work/inputs/imported-BE.csv"
    # remove --all after each import: its floor reads scenery.cfg, writes the backup and the new
    # scenery.cfg (temporary file, sync, rename, folder sync), unlinks each file and logs it.
    for source in navaids navaids-BE; do
      prepared=$work/prepared
      rm -rf "$prepared" && mkdir "$prepared" && cp "$cfg" "$prepared/scenery.cfg"
      "$cli" -C "$prepared" import "$work/inputs/$source.csv" --apply --scenery-folder upd \
        >/dev/null 2>&1
      name="remove --all after the import of navaids.csv" remove_goal=yes
      [[ $source == navaids-BE ]] && name="remove --all after one country" remove_goal=no
      measure "$name" 1M "$cfg" "$remove_goal" -- \
        "$cli" -C "$work/run" remove --all --scenery-folder upd -- "$work/run" remove "$work/run/upd"
      prepared=
    done
    small=${peaks["$place/remove --all after one country/1M"]}
    large=${peaks["$place/remove --all after the import of navaids.csv/1M"]}
    if ((large > small + 1024)); then
      missed+=("remove ($place): peak memory $small KiB after one country but $large KiB after all")
    fi
    small=${peaks["$place/import --apply of one country/1M"]}
    large=${peaks["$place/import --apply of navaids.csv/1M"]}
    if ((large - small > 1024)); then
      missed+=("import ($place): peak memory $small KiB for one country but $large KiB for all")
    fi
  elif [[ $place == "${places%% *}" ]]; then
    echo "bench/run.sh: no navaids.csv at $navaids (or no 1M size, or skipped): no import" >&2
  fi

  # inspect reads one scenery file and no scenery.cfg.
  first_size=${sizes%% *}
  fresh_folder "$work/inputs/scenery_$first_size.cfg"
  "$cli" -C "$work/run" create "${position[@]}" "${params[@]}" >/dev/null
  cp "$work/run/N42 34_6__W12 24_5.bgl" "$work/inputs/navaid.bgl"
  measure inspect - "$work/inputs/scenery_$first_size.cfg" no -- \
    "$cli" inspect "$work/inputs/navaid.bgl" -- inspect "$work/inputs/navaid.bgl"

  # Peak memory does not grow with scenery.cfg.
  for command in create delete modify; do
    small=${peaks[$place/$command/10K]:-} large=${peaks[$place/$command/50M]:-}
    if [[ -n $small && -n $large ]] && ((large - small > 1024)); then
      missed+=("$command ($place): peak memory $small KiB on 10K but $large KiB on 50M")
    fi
  done
done

# Nor with the rows of a batch: 1,000,000 delete rows (a 60 MB file), once, on /dev/shm when it
# is measured (memory does not depend on the place; the time does).
million_peak=""
if [[ ${ORLITH_BENCH_MILLION:-1} != 0 ]]; then
  place=shm
  [[ " $places " != *" shm "* ]] && place=${places%% *}
  work=${dirs[$place]}
  "$inputs" deletes "$million" "$work/inputs/million.csv"
  "$inputs" cfg 10240 "$work/inputs/scenery_million.cfg"
  echo "measuring the batch of $million delete rows" >&2
  million_peak=$(timed_run "$work/inputs/scenery_million.cfg" \
    "$cli" -C "$work/run" batch "$work/inputs/million.csv" | awk '{ print $3 }')
  if ((million_peak >= 16384)); then
    missed+=("batch of $million delete rows: peak memory $million_peak KiB")
  fi
fi

echo
echo "Median of $runs runs each (wall-clock and processor time). Floors: the in-process copy and"
echo "the kernel copy (as cp and sync do it); ratio = Orlith / kernel floor; peak memory ="
echo "orlith-cli's largest resident set. Places: disk = $build, shm = /dev/shm."
echo
echo "| Place | Command | scenery.cfg | Orlith | In-process floor | Kernel floor | Ratio | Orlith CPU | Kernel floor CPU | CPU ratio | Peak memory | Goal |"
echo "| --- | --- | --- | --- | --- | --- | --- | --- | --- | --- | --- | --- |"
printf '%s\n' "${table[@]}"
if [[ -n $million_peak ]]; then
  echo
  awk -v p="$million_peak" -v n="$million" \
    'BEGIN { printf "Batch of %d delete rows: peak memory %.1f MiB.\n", n, p / 1024 }'
fi
echo
if ((${#missed[@]} == 0)); then
  echo "All goals hold (ratios on $goal_on time)."
  exit 0
fi
printf 'Goal missed: %s\n' "${missed[@]}"
exit 1
