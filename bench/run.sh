#!/usr/bin/env bash
# The end-to-end benchmark: each command of orlith-cli, and a batch of 10,000 rows, against the
# floor (bench/floor.cpp: only the file work no implementation can avoid), on scenery.cfg files of
# 10 KB, 1 MB and 50 MB. Every run starts from a fresh folder; Orlith's and the floor's runs take
# turns, after one warm-up run each. Prints the median wall-clock and processor times, their
# ratios and Orlith's peak memory as a Markdown table, then checks the goals:
#   - every single command at most 1.5 times its floor on the 1 MB and 50 MB scenery.cfg,
#   - the 10,000-row batch on the 1 MB scenery.cfg at most 1.5 times its floor,
#   - orlith-cli's peak memory under 10 MiB on the 50 MB scenery.cfg, and within 1 MiB of its
#     peak on the 10 KB one (bounded by the longest line, not by the file),
#   - the import of OurAirports' navaids.csv (../shared/data/navaids.csv beside the repository,
#     or ORLITH_NAVAIDS_CSV) with --apply at most 1.5 times the floor running the same rows as a
#     batch, with a peak memory within 1 MiB of the import of one country's rows.
# The goals are checked on processor time (user and system): on a shared machine the wall-clock
# time also holds the waits behind other processes, which are no cost of Orlith's.
# Exit status 0 when every goal holds, 1 when one is missed, 2 when a run failed.
#
#   bench/run.sh [RUNS]        RUNS: timed runs per case (default 7)
#   ORLITH_BENCH_SIZES="1M"    only some of the sizes 10K, 1M, 50M
#   ORLITH_BENCH_DIR=DIR       where the folders are made (default: /dev/shm when writable, so
#                              that the disk's write-back does not blur the times)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/bench"
runs=${1:-7}
sizes=${ORLITH_BENCH_SIZES:-"10K 1M 50M"}
batch_rows=10000
if [[ -n ${ORLITH_BENCH_DIR:-} ]]; then
  work="$ORLITH_BENCH_DIR/orlith-bench"
elif [[ -d /dev/shm && -w /dev/shm ]]; then
  work="/dev/shm/orlith-bench-$$"
else
  work="$build/e2e"
fi

(cd "$root" && cmake --preset bench >/dev/null &&
  cmake --build --preset bench --target orlith-cli orlith-floor orlith-timed \
    orlith-bench-inputs >/dev/null)
cli="$build/cli/orlith-cli"
floor="$build/bench/orlith-floor"
timed="$build/bench/orlith-timed"
inputs="$build/bench/orlith-bench-inputs"

rm -rf "$work"
mkdir -p "$work/inputs"
trap 'rm -rf "$work"' EXIT
declare -A bytes=([10K]=10240 [1M]=1048576 [50M]=52428800)
for size in $sizes; do
  "$inputs" cfg "${bytes[$size]}" "$work/inputs/scenery_$size.cfg"
done
"$inputs" batch "$batch_rows" "$work/inputs/batch.csv"

position=(--lat "N42 34.6" --lon "W12 24.5" --type VOR)
params=(--frequency 113.90 --range 40 --altitude 200 --magnetic-deviation -3 --dme 1 --id XYZ
  --name "TEST VOR")

# A fresh simulator folder $work/run holding the given scenery.cfg alone, already on disk so that
# its writing does not fall into the timed run.
fresh_folder() {
  rm -rf "$work/run"
  mkdir "$work/run"
  cp "$1" "$work/run/scenery.cfg"
  sync "$work/run/scenery.cfg"
}

# Runs a command once in a fresh folder and prints "SECONDS CPU_SECONDS PEAK_KB".
timed_run() {
  local cfg=$1
  shift
  fresh_folder "$cfg"
  if ! "$timed" "$@"; then
    echo "bench/run.sh: failed: $*" >&2
    exit 2
  fi
}

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
column() { awk -v c="$1" '{ print $c }'; }

table=()
missed=()
declare -A peaks=()

# measure NAME SIZE CFG GOAL -- ORLITH... -- FLOOR...
# GOAL is "yes" when the ratio counts toward the goals.
measure() {
  local name=$1 size=$2 cfg=$3 goal=$4
  shift 5
  local orlith=() floor_cmd=()
  while [[ $1 != -- ]]; do orlith+=("$1"); shift; done
  shift
  floor_cmd=("$@")
  timed_run "$cfg" "${orlith[@]}" >/dev/null
  timed_run "$cfg" "${floor_cmd[@]}" >/dev/null
  local o_runs="" f_runs=""
  for ((i = 0; i < runs; i++)); do
    o_runs+="$(timed_run "$cfg" "${orlith[@]}")"$'\n'
    f_runs+="$(timed_run "$cfg" "${floor_cmd[@]}")"$'\n'
  done
  local o f oc fc peak ratio cpu_ratio
  o=$(column 1 <<<"${o_runs%$'\n'}" | median)
  f=$(column 1 <<<"${f_runs%$'\n'}" | median)
  oc=$(column 2 <<<"${o_runs%$'\n'}" | median)
  fc=$(column 2 <<<"${f_runs%$'\n'}" | median)
  peak=$(column 3 <<<"${o_runs%$'\n'}" | sort -g | tail -n 1)
  peaks[$name/$size]=$peak
  ratio=$(awk -v o="$o" -v f="$f" 'BEGIN { printf "%.2f", o / f }')
  cpu_ratio=$(awk -v o="$oc" -v f="$fc" 'BEGIN { printf "%.2f", (f > 0) ? o / f : 0 }')
  local verdict="-"
  if [[ $goal == yes ]]; then
    verdict=ok
    if awk -v r="$cpu_ratio" 'BEGIN { exit !(r > 1.5) }'; then
      verdict=MISSED
      missed+=("$name on $size: processor time ratio $cpu_ratio")
    fi
  fi
  if [[ $size == 50M ]] && ((peak >= 10240)); then
    verdict=MISSED
    missed+=("$name on $size: peak memory $peak KiB")
  fi
  table+=("$(awk -v n="$name" -v s="$size" -v o="$o" -v f="$f" -v r="$ratio" -v oc="$oc" \
    -v fc="$fc" -v cr="$cpu_ratio" -v p="$peak" -v v="$verdict" 'BEGIN {
      printf "| %s | %s | %.1f ms | %.1f ms | %s | %.1f ms | %.1f ms | **%s** | %.1f MiB | %s |",
        n, s, o * 1000, f * 1000, r, oc * 1000, fc * 1000, cr, p / 1024, v }')")
  echo "measured $name on $size" >&2
}

for size in $sizes; do
  cfg="$work/inputs/scenery_$size.cfg"
  goal=yes
  [[ $size == 10K ]] && goal=no
  for command in create delete modify; do
    args=("${position[@]}")
    [[ $command != delete ]] && args+=("${params[@]}")
    measure "$command" "$size" "$cfg" "$goal" -- \
      "$cli" -C "$work/run" "$command" "${args[@]}" -- \
      "$floor" "$work/run" "$command" VOR
  done
  if [[ $size == 1M ]]; then
    measure "batch of $batch_rows rows" "$size" "$cfg" yes -- \
      "$cli" -C "$work/run" batch "$work/inputs/batch.csv" -- \
      "$floor" "$work/run" batch "$work/inputs/batch.csv"
  fi
done

# The import of OurAirports' navaids.csv applied at once (about 10,000 scenery files), against the
# floor running the same rows as a batch file; and the import of one country's rows, whose peak
# memory the whole file's must not exceed by more than 1 MiB.
navaids=${ORLITH_NAVAIDS_CSV:-$root/../shared/data/navaids.csv}
if [[ -f $navaids && " $sizes " == *" 1M "* ]]; then
  cfg="$work/inputs/scenery_1M.cfg"
  cp "$navaids" "$work/inputs/navaids.csv"
  "$cli" import "$work/inputs/navaids.csv" -o "$work/inputs/imported.csv" 2>/dev/null
  cp "$root/examples/ourairports/navaids-BE.csv" "$work/inputs/navaids-BE.csv"
  "$cli" import "$work/inputs/navaids-BE.csv" -o "$work/inputs/imported-BE.csv" 2>/dev/null
  measure "import --apply of navaids.csv" 1M "$cfg" yes -- \
    "$cli" -C "$work/run" import "$work/inputs/navaids.csv" --apply -- \
    "$floor" "$work/run" batch "$work/inputs/imported.csv"
  measure "import --apply of one country" 1M "$cfg" no -- \
    "$cli" -C "$work/run" import "$work/inputs/navaids-BE.csv" --apply -- \
    "$floor" "$work/run" batch "$work/inputs/imported-BE.csv"
  small=${peaks["import --apply of one country/1M"]} large=${peaks["import --apply of navaids.csv/1M"]}
  if ((large - small > 1024)); then
    missed+=("import: peak memory $small KiB for one country but $large KiB for the whole file")
  fi
else
  echo "bench/run.sh: no navaids.csv at $navaids (or no 1M size): import not measured" >&2
fi

# inspect reads one scenery file and no scenery.cfg.
first_size=${sizes%% *}
fresh_folder "$work/inputs/scenery_$first_size.cfg"
"$cli" -C "$work/run" create "${position[@]}" "${params[@]}" >/dev/null
cp "$work/run/N42 34_6__W12 24_5.bgl" "$work/inputs/navaid.bgl"
measure inspect - "$work/inputs/scenery_$first_size.cfg" no -- \
  "$cli" inspect "$work/inputs/navaid.bgl" -- "$floor" inspect "$work/inputs/navaid.bgl"

# Peak memory does not grow with scenery.cfg.
for command in create delete modify; do
  small=${peaks[$command/10K]:-} large=${peaks[$command/50M]:-}
  if [[ -n $small && -n $large ]] && ((large - small > 1024)); then
    missed+=("$command: peak memory $small KiB on 10K but $large KiB on 50M")
  fi
done

echo
echo "Median of $runs runs each (wall-clock and processor time); ratio = Orlith / floor;"
echo "peak memory = orlith-cli's largest resident set. Folders in $(dirname "$work")."
echo
echo "| Command | scenery.cfg | Orlith | Floor | Ratio | Orlith CPU | Floor CPU | CPU ratio | Peak memory | Goal |"
echo "| --- | --- | --- | --- | --- | --- | --- | --- | --- | --- |"
printf '%s\n' "${table[@]}"
echo
if ((${#missed[@]} == 0)); then
  echo "All goals hold."
  exit 0
fi
printf 'Goal missed: %s\n' "${missed[@]}"
exit 1
