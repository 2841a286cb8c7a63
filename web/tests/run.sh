#!/bin/sh
# Runs one of the browser edition's checks on the emscripten build (`make web`
# and `make test` build it; nothing here builds or installs anything).
#   PYRELON_WEB_BUILD=build-web PYRELON_NATIVE_CASES=build/web/pyrelon-cases \
#   NODE_PATH=build/web/node/node_modules web/tests/run.sh differential|page|layout|speed|tools
set -e
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
: "${PYRELON_WEB_BUILD:=$ROOT/build-web}"
export PYRELON_WEB_BUILD
for file in pyrelon.html pyrelon-module.js tests/pyrelon-cases-module.js; do
  if [ ! -f "$PYRELON_WEB_BUILD/$file" ]; then
    echo "$PYRELON_WEB_BUILD/$file is missing: build the browser edition with 'make web'" >&2
    exit 1
  fi
done
case "$1" in
  differential) node "$ROOT/web/tests/differential.js" "$PYRELON_WEB_BUILD" ;;
  page) node --test "$ROOT/web/tests/page_test.js" ;;
  layout) node --test "$ROOT/web/tests/layout_test.js" ;;
  # The tool views, on the page built with the throwaway tool.
  tools)
    page="$PYRELON_WEB_BUILD/tests/pyrelon-scratch.html"
    if [ ! -f "$page" ]; then
      echo "$page is missing: build the browser edition with its tests ('make web')" >&2
      exit 1
    fi
    PYRELON_WEB_PAGE="$page" node --test "$ROOT/web/tests/tool_page_test.js" ;;
  # Other tests and builds may load the machine: twice the time budgets.
  speed) PYRELON_SPEED_SLACK=${PYRELON_SPEED_SLACK:-2} node "$ROOT/web/tests/speed.js" "$PYRELON_WEB_BUILD" ;;
  *) echo "usage: run.sh differential|page|layout|speed|tools" >&2; exit 2 ;;
esac
