#!/bin/sh
# Times the calculator's start-up against the toolkit's floor (a bare main
# window with a one-action menu bar), both on the offscreen platform, both
# ended at the same mark: the event loop reached with the window shown.
# Runs them alternately N times each after a few unmeasured warm-up runs,
# and prints the medians of wall time, processor time (user and system) and
# peak resident memory, and their ratios. Processor time is the steadier
# figure on a busy machine.
#   run.sh [BUILD_DIR] [N]      (defaults: build-startup, 30)
# PYRELON_STARTUP_END=paint moves the mark to after the first paint, and
# PYRELON_STARTUP_LEAVE=quit adds the tear-down to each run (end_run.h).
set -e
build=${1:-build-startup}
runs=${2:-30}
warmup=${WARMUP:-3}
dir=$build/bench/startup
timer=$dir/pyrelon_startup_timer
for f in "$timer" "$dir/pyrelon_startup_probe" "$dir/pyrelon_startup_floor"; do
  [ -x "$f" ] || { echo "missing $f: build the start-up benchmark first" >&2; exit 1; }
done

export QT_QPA_PLATFORM=offscreen
: "${XDG_RUNTIME_DIR:=$(mktemp -d)}"
chmod 700 "$XDG_RUNTIME_DIR"
export XDG_RUNTIME_DIR
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

one() {  # one run of $1, appended to $out/$1; its messages go to $out/$1.log
  "$timer" "$dir/pyrelon_startup_$1" >>"$out/$1" 2>"$out/$1.log" ||
    { echo "pyrelon_startup_$1 failed:" >&2; cat "$out/$1.log" >&2; exit 1; }
}

i=0
while [ $i -lt "$warmup" ]; do one probe; one floor; i=$((i + 1)); done
rm -f "$out/probe" "$out/floor"
i=0
while [ $i -lt "$runs" ]; do
  # Alternate which one goes first, so neither always follows the other.
  if [ $((i % 2)) -eq 0 ]; then one probe; one floor; else one floor; one probe; fi
  i=$((i + 1))
done

median() {  # median of column $2 of file $1
  cut -d' ' -f"$2" "$1" | sort -n | awk '{ v[NR] = $1 }
    END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
pt=$(median "$out/probe" 1); pc=$(median "$out/probe" 2); pm=$(median "$out/probe" 3)
ft=$(median "$out/floor" 1); fc=$(median "$out/floor" 2); fm=$(median "$out/floor" 3)
end="when the event loop is reached"
[ "${PYRELON_STARTUP_END:-}" = paint ] && end="after the first paint"
[ "${PYRELON_STARTUP_LEAVE:-}" = quit ] && end="$end, then torn down"
awk -v end="$end" -v n="$runs" -v pt="$pt" -v pc="$pc" -v pm="$pm" \
    -v ft="$ft" -v fc="$fc" -v fm="$fm" 'BEGIN {
  printf "start-up on the offscreen platform, ended %s, median of %d runs each\n", end, n
  printf "%-12s %10s %10s %16s\n", "", "wall (ms)", "CPU (ms)", "peak RSS (KiB)"
  printf "%-12s %10.1f %10.1f %16d\n", "calculator", pt * 1000, pc * 1000, pm
  printf "%-12s %10.1f %10.1f %16d\n", "bare window", ft * 1000, fc * 1000, fm
  printf "%-12s %10.2f %10.2f %16.2f\n", "ratio", pt / ft, pc / fc, pm / fm
}'
