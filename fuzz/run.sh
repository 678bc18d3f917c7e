#!/usr/bin/env bash
# Runs fuzz targets for a fixed time each over their seed corpus and regression inputs; a
# crash, a hang, a sanitizer report or a failed check ends the script with a failure.
#
#   fuzz/run.sh BUILD_FOLDER SECONDS [TARGET...] [-FLAG...]
#
# All targets when none is named; flags go to libFuzzer as they are (-max_len=20000 lets the
# fuzzer make longer inputs than its seeds).
#
# New inputs that reach new code go to BUILD_FOLDER/fuzz-corpus/TARGET, which later runs
# start from; a failing input is saved as BUILD_FOLDER/fuzz-findings/TARGET-crash-... and
# the target's output as BUILD_FOLDER/fuzz-findings/TARGET.log.
set -euo pipefail
build=$(cd "$1" && pwd)
seconds=$2
shift 2
here=$(cd "$(dirname "$0")" && pwd)
targets=()
flags=()
for argument in "$@"; do
  case "$argument" in
    -*) flags+=("$argument") ;;
    *) targets+=("$argument") ;;
  esac
done
if [ ${#targets[@]} -eq 0 ]; then
  targets=($(cd "$here/corpus" && ls))
fi
mkdir -p "$build/fuzz-findings"
for target in "${targets[@]}"; do
  work="$build/fuzz-corpus/$target"
  mkdir -p "$work"
  corpora=("$work" "$here/corpus/$target")
  if [ -d "$here/regressions/$target" ]; then corpora+=("$here/regressions/$target"); fi
  log="$build/fuzz-findings/$target.log"
  # One input may take up to 60 s before it counts as a hang: a task file that runs the
  # pairing search into its pass limit takes half a second, and fifty times that here.
  if ! "$build/bin/fuzz_$target" -max_total_time="$seconds" -timeout=60 -rss_limit_mb=2048 -print_final_stats=1 \
      -artifact_prefix="$build/fuzz-findings/$target-" ${flags[@]+"${flags[@]}"} "${corpora[@]}" >"$log" 2>&1; then
    tail -n 40 "$log" >&2
    echo "fuzz_$target FAILED: the input is in $build/fuzz-findings/, the whole output in $log" >&2
    exit 1
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  echo "fuzz_$target: $seconds s, $runs inputs, $(ls "$work" | wc -l) in its corpus"
done
