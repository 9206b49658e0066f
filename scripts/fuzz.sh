#!/usr/bin/env bash
# Builds the fuzz targets (clang, sanitizers) and runs them one after another,
# each for a time or a number of executions, whichever ends first; then prints
# per target its executions, executions a second (of wall time and of the
# processor time it had), crash (and the crash file) and corpus size. Exits 1
# when a target crashed.
#
#   scripts/fuzz.sh                      every target 20 s
#   scripts/fuzz.sh 600                  every target 10 minutes
#   scripts/fuzz.sh --runs 10000000      every target ten million executions
#   scripts/fuzz.sh --runs 10000000 600  ... but at most 10 minutes each
#   scripts/fuzz.sh 60 load args         only fuzz_load and fuzz_args
#
# Corpora grow in build/fuzz/corpus/<target> (seeded from fuzz/seeds/<name>),
# logs and crash files land in build/fuzz/runs/.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=
runs=
names=()
while [ $# -gt 0 ]; do
  case "$1" in
    --runs) runs=${2:?--runs needs a number}; shift 2 ;;
    -h | --help) sed -n '2,14p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    *[!0-9]*) names+=("${1#fuzz_}"); shift ;;
    *) seconds=$1; shift ;;
  esac
done
[ -z "$seconds" ] && [ -z "$runs" ] && seconds=20
if [ ${#names[@]} -eq 0 ]; then
  for source in fuzz/fuzz_*.cpp; do
    name=$(basename "$source" .cpp)
    names+=("${name#fuzz_}")
  done
fi

# Inputs up to 1 KiB: every working file and command line is smaller, and
# longer inputs only repeat the code of shorter ones more slowly.
limits=(-timeout=30 -max_len=1024)
[ -n "$seconds" ] && limits+=(-max_total_time="$seconds")
[ -n "$runs" ] && limits+=(-runs="$runs")

CC=clang CXX=clang++ cmake -S . -B build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DZT_FUZZ=ON -DZT_TESTS=OFF -DZT_WINDOWS=OFF >/dev/null
cmake --build build/fuzz -j"$(nproc)" --target "${names[@]/#/fuzz_}"

# A libFuzzer statistic from a log; empty when the run printed none.
stat() { sed -n "s/^stat::$1: *//p" "$2" | tail -n 1; }

runs_dir=build/fuzz/runs
mkdir -p "$runs_dir"
crashed=0
report=()
for name in "${names[@]}"; do
  target=build/fuzz/fuzz/fuzz_$name
  corpus=build/fuzz/corpus/fuzz_$name
  log=$runs_dir/fuzz_$name.log
  mkdir -p "$corpus"
  seeds=()
  [ -d "fuzz/seeds/$name" ] && seeds=("fuzz/seeds/$name")
  echo "-- fuzz_$name ${limits[*]}"
  status=0
  # Wall and processor seconds: on a shared machine the second rate is the target's own.
  TIMEFORMAT='%R %U %S'
  { time "$target" "${limits[@]}" -print_final_stats=1 -artifact_prefix="$runs_dir/fuzz_$name-" \
      "$corpus" "${seeds[@]}" >"$log" 2>&1; } 2>"$log.time" || status=$?
  read -r elapsed user system <"$log.time"
  executions=$(stat number_of_executed_units "$log")
  executions=${executions:-0}
  rate=$(awk -v n="$executions" -v t="$elapsed" 'BEGIN { printf "%d", (t > 0 ? n / t : 0) }')
  cpu_rate=$(awk -v n="$executions" -v t="$user" -v s="$system" 'BEGIN { printf "%d", (t + s > 0 ? n / (t + s) : 0) }')
  crash_file=$(sed -n 's/.*Test unit written to \(.*\)$/\1/p' "$log" | tail -n 1)
  crash=0
  if [ "$status" -ne 0 ]; then
    crash=1
    crashed=1
    grep -E '^(==[0-9]+==ERROR|SUMMARY|    #[0-9]+ )' "$log" | head -n 20 || true
  fi
  corpus_files=$(find "$corpus" -type f | wc -l)
  corpus_kb=$(find "$corpus" -type f -exec cat {} + | wc -c | awk '{ printf "%.0f", $1 / 1024 }')
  report+=("$(printf '%-22s %11s %8s %10s %6.0f s %7s  %6s files %5s KB  %s' "fuzz_$name" "$executions" "$rate" \
    "$cpu_rate" "$elapsed" "$crash" "$corpus_files" "$corpus_kb" "${crash_file:+crash file: $crash_file}")")
done

printf '\n%-22s %11s %8s %10s %8s %7s  %s\n' target executions exec/s "exec/cpu-s" time crashes corpus
printf '%s\n' "${report[@]}"
exit "$crashed"
