#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each given target for a given time.
#
#   scripts/fuzz.sh [-t seconds] [-n inputs] [-j jobs] [-b build-folder] [target...] [-- libFuzzer flags]
#
#   -t  time per target in seconds (default 60)
#   -n  stop a target after this many inputs instead, shared among its jobs (default: by time only)
#   -j  parallel fuzzing processes per target (default 1)
#   -b  build folder (default build-fuzz)
#   targets: FormixFuzz FormixNumericFuzz MasterReaderFuzz AutoVerupFuzz SeiReaderFuzz XlsReaderFuzz (default: all)
#
# Each target fuzzes a working corpus of its own (<build>/fuzz-corpus/<target>, seeded from the
# checked-in seeds, which stay untouched), with the target's dictionary when it has one; crashes and
# their inputs go to <build>/fuzz-findings/<target>.
# At the end each target's inputs, time and findings are listed; the exit status is 1 when any
# target found something.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=60
inputs=0
jobs=1
build=build-fuzz
targets=()
extra=()
while [ $# -gt 0 ]; do
  case "$1" in
    -t) seconds=$2; shift 2 ;;
    -n) inputs=$2; shift 2 ;;
    -j) jobs=$2; shift 2 ;;
    -b) build=$2; shift 2 ;;
    --) shift; extra=("$@"); break ;;
    -h|--help) sed -n '2,16p' "$0"; exit 0 ;;
    -*) echo "unknown option $1" >&2; exit 2 ;;
    *) targets+=("$1"); shift ;;
  esac
done
[ ${#targets[@]} -gt 0 ] || targets=(FormixFuzz FormixNumericFuzz MasterReaderFuzz AutoVerupFuzz SeiReaderFuzz XlsReaderFuzz)

# The checked-in seeds of each target.
seeds() {
  case "$1" in
    FormixFuzz) echo fuzz/formix/corpus ;;
    FormixNumericFuzz) echo fuzz/formix/numeric-corpus ;;
    MasterReaderFuzz) echo fuzz/master/corpus ;;
    AutoVerupFuzz) echo fuzz/master/autoverup-corpus ;;
    SeiReaderFuzz) echo fuzz/estimate/corpus ;;
    XlsReaderFuzz) echo fuzz/report/corpus ;;
    *) echo "unknown fuzz target $1" >&2; return 1 ;;
  esac
}
# The dictionary of a target, if it has one.
dictionary() {
  case "$1" in
    XlsReaderFuzz) echo fuzz/report/xlsx.dict ;;
  esac
}
for target in "${targets[@]}"; do seeds "$target" >/dev/null; done

# Optimised, with the sanitizers and assertions; the fuzz targets add libFuzzer themselves.
CXX=clang++ CC=clang cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE= -DCMAKE_CXX_FLAGS="-O1 -g" \
  -DVEMO_SANITIZE=ON -DVEMO_TESTS=OFF -DVEMO_GUI=OFF -DVEMO_BENCH=OFF >/dev/null
cmake --build "$build" -j4 --target "${targets[@]}"

# Long runs: no allocation stack traces (each distinct one is kept for good, and a recursive parser
# makes millions of them), leaks still reported; the first undefined behaviour ends the run.
export ASAN_OPTIONS="malloc_context_size=0:detect_leaks=1${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}"

status=0
summary=()
for target in "${targets[@]}"; do
  corpus="$build/fuzz-corpus/$target"
  findings="$build/fuzz-findings/$target"
  logs="$build/fuzz-logs/$target"
  mkdir -p "$corpus" "$findings" "$logs"
  rm -f "$logs"/*.log
  flags=(-max_total_time="$seconds" -timeout=5 -artifact_prefix="$findings/" -print_final_stats=1)
  if [ "$inputs" -gt 0 ]; then flags+=(-runs=$(( (inputs + jobs - 1) / jobs ))); fi
  if [ -n "$(dictionary "$target")" ]; then flags+=(-dict="$(dictionary "$target")"); fi
  binary="$(find "$build/fuzz" -type f -name "$target" -perm -u+x | head -n 1)"
  echo "== $target: at most ${seconds}s$( [ "$inputs" -gt 0 ] && echo " or $inputs inputs"), $jobs job(s)"
  start=$(date +%s)
  touch "$logs/start"
  # Each job is a fuzzer process of its own with a log of its own; they share the working corpus.
  pids=()
  for ((i = 0; i < jobs; i++)); do
    "$binary" "${flags[@]}" "${extra[@]}" "$corpus" "$(seeds "$target")" >"$logs/job$i.log" 2>&1 &
    pids+=($!)
  done
  failed=0
  for pid in "${pids[@]}"; do wait "$pid" || failed=1; done
  elapsed=$(( $(date +%s) - start ))
  # Inputs run by each job: its final statistics, or in fork mode (-fork=N, which prints none) the
  # total on the last of its "#runs: cov: …" lines.
  runs=0
  for log in "$logs"/job*.log; do
    n=$(awk '/^stat::number_of_executed_units:/ {s = $2} /^#[0-9]+: / {f = substr($1, 2) + 0}
             END {print (s != "" ? s : f + 0)}' "$log")
    runs=$((runs + n))
  done
  found=$(find "$findings" -type f -newer "$logs/start" | wc -l)
  summary+=("$target: $runs inputs in ${elapsed}s, $found finding(s), corpus $(find "$corpus" -type f | wc -l) files")
  if [ "$failed" -ne 0 ] || [ "$found" -ne 0 ]; then
    status=1
    grep -h -m 3 -E 'ERROR|SUMMARY|runtime error' "$logs"/*.log || true
  fi
done

echo
printf '%s\n' "${summary[@]}"
exit $status
