#!/bin/sh
# Runs every fuzz target for SECONDS seconds (default 30) on a fresh copy of
# its checked-in seed corpus, so the run never adds files to fuzz/corpus.
# Stops at the first target that finds a crash, leak, timeout or broken
# property; the input is left in BUILD/fuzz-run/artifacts/. A target's own
# fuzz/<target>.dict is its dictionary, fuzz/numbers.dict otherwise.
#   fuzz/run.sh build-fuzz [SECONDS]
set -e
BUILD=${1:?usage: fuzz/run.sh BUILD_DIR [SECONDS]}
SECONDS_EACH=${2:-30}
HERE=$(cd "$(dirname "$0")" && pwd)
WORK="$BUILD/fuzz-run"

passed=0
rm -rf "$WORK"
mkdir -p "$WORK/artifacts"
for target in fuzz_val fuzz_format fuzz_format_diff fuzz_panels fuzz_csv fuzz_tools fuzz_atmosphere fuzz_chart; do
  cp -R "$HERE/corpus/$target" "$WORK/$target"
  dict="$HERE/$target.dict"
  [ -f "$dict" ] || dict="$HERE/numbers.dict"
  echo "== $target: ${SECONDS_EACH}s on $(ls "$WORK/$target" | wc -l) seeds"
  if ! "$BUILD/fuzz/$target" "$WORK/$target" \
      -dict="$dict" -max_total_time="$SECONDS_EACH" -max_len=512 \
      -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
      -artifact_prefix="$WORK/artifacts/$target-" >"$WORK/$target.log" 2>&1; then
    grep -v '^INFO:' "$WORK/$target.log" | tail -60
    echo "== $target FAILED; input kept in $WORK/artifacts/"
    echo "fuzz: $passed passed, 1 failed"
    exit 1
  fi
  grep -E '^(Done|stat::number_of_executed_units|stat::new_units_added)' "$WORK/$target.log"
  passed=$((passed + 1))
done
echo "fuzz: $passed passed, 0 failed"
