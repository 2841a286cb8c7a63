#!/bin/sh
# Builds tests/wasm/numbers_dump.cpp with core/numbers.cpp twice, natively
# (g++) and for WebAssembly (Debian's emcc, run under node), and compares
# the two outputs byte for byte: the fixed list of texts and doubles, then
# the pseudo-random sweep. The WebAssembly build reads doubles with
# fast_float (libfast-float-dev, found through -idirafter /usr/include so
# that Emscripten's own headers come first) and writes them with snprintf.
#   tests/wasm/run.sh [WORK_DIR]     (default build-wasm-check)
set -e
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
WORK=${1:-$ROOT/build-wasm-check}
mkdir -p "$WORK"
SOURCES="$ROOT/core/numbers.cpp $ROOT/tests/wasm/numbers_dump.cpp"

g++ -std=c++20 -O2 -Wall -Wextra -I"$ROOT" $SOURCES -o "$WORK/numbers_dump"
# Emscripten's optimizer needs Debian's node modules; one .js file with the
# module inside, which node 18 and later load without fetch().
NODE_PATH=/usr/share/nodejs emcc -std=c++20 -O2 -Wall -Wextra -I"$ROOT" -idirafter /usr/include \
  -sSINGLE_FILE=1 $SOURCES -o "$WORK/numbers_dump.js"

for mode in list sweep; do
  "$WORK/numbers_dump" $mode >"$WORK/native-$mode.txt"
  node "$WORK/numbers_dump.js" $mode >"$WORK/wasm-$mode.txt"
  if ! cmp -s "$WORK/native-$mode.txt" "$WORK/wasm-$mode.txt"; then
    diff "$WORK/native-$mode.txt" "$WORK/wasm-$mode.txt" | cut -c 1-300 | head -20
    echo "wasm check: the $mode differs ($WORK/native-$mode.txt, $WORK/wasm-$mode.txt)"
    exit 1
  fi
  echo "wasm check: $(wc -l <"$WORK/native-$mode.txt") lines of the $mode identical"
done
