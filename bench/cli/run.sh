#!/bin/sh
# Times pyrelon-cli's batch mode over a CSV of carbon-probe readings, side by
# side in one run with reading the file (cat, the floor) and with a pandas
# script doing the same work; prints rows per second, the ratios and the
# peak memory.
#   sh bench/cli/run.sh BUILD_DIR ROWS [REPEATS]
set -e
BUILD=$1
ROWS=${2:-2000000}
REPEATS=${3:-3}
HERE=$(cd "$(dirname "$0")" && pwd)
CLI="$BUILD/pyrelon-cli"
DATA="$BUILD/bench-cli/readings-$ROWS.csv"
OUT="$BUILD/bench-cli/out.csv"
mkdir -p "$BUILD/bench-cli"
if [ ! -s "$DATA" ]; then
  echo "Writing $ROWS readings to $DATA"
  /usr/bin/python3 "$HERE/make_readings.py" "$ROWS" "$DATA"
fi

# Median wall time and peak memory of REPEATS runs of a command.
measure() {
  name=$1
  shift
  : > "$BUILD/bench-cli/times"
  i=0
  while [ $i -lt "$REPEATS" ]; do
    /usr/bin/time -f "%e %M" -o "$BUILD/bench-cli/one" "$@" > "$TARGET" 2>/dev/null
    cat "$BUILD/bench-cli/one" >> "$BUILD/bench-cli/times"
    i=$((i + 1))
  done
  sort -n "$BUILD/bench-cli/times" | awk -v name="$name" -v rows="$ROWS" -v n="$REPEATS" '
    { t[NR] = $1; m[NR] = $2 }
    END {
      mid = int((n + 1) / 2); s = t[mid]; if (s <= 0) s = 0.001
      printf "%-34s %8.3f s %10.2f M rows/s %8.1f MiB\n", name, s, rows / s / 1e6, m[mid] / 1024
    }' | tee -a "$BUILD/bench-cli/report"
}

: > "$BUILD/bench-cli/report"
echo "$ROWS rows, $(wc -c < "$DATA") bytes, median of $REPEATS runs each, $(nproc) cores"
TARGET=/dev/null
measure "cat to /dev/null (the floor)" cat "$DATA"
# The others write their results to a file, as a user would.
TARGET=$OUT
measure "pyrelon-cli carbon --csv" "$CLI" carbon --probe accucarb --csv "$DATA" --no-progress
measure "pyrelon-cli carbon --csv, one core" "$CLI" carbon --probe accucarb --csv "$DATA" \
  --no-progress --threads 1
measure "pandas" /usr/bin/python3 "$HERE/pandas_carbon.py" "$DATA" /dev/stdout
awk '
  { rate[NR] = $(NF - 4) }
  END {
    printf "pyrelon-cli / pandas: %.1f times; one core / pandas: %.1f times; cat / pyrelon-cli: %.1f times\n",
      rate[2] / rate[4], rate[3] / rate[4], rate[1] / rate[2]
  }' "$BUILD/bench-cli/report"
