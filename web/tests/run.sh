#!/bin/sh
# Runs one of the browser edition's checks.
#   web/tests/run.sh build|differential|page|layout|speed [BUILD_WEB_DIR]
set -e
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
WEB_BUILD=${2:-$ROOT/build-web}
export PYRELON_WEB_BUILD="$WEB_BUILD"
case "$1" in
  build)
    make -s -C "$ROOT" -f web/web.mk -j2 WEB_BUILD="$WEB_BUILD"
    # playwright-core, pinned by the lockfile; no browser is downloaded.
    if [ ! -d "$ROOT/web/node_modules/playwright-core" ] ||
       [ "$ROOT/web/package-lock.json" -nt "$ROOT/web/node_modules/.package-lock.json" ]; then
      (cd "$ROOT/web" && PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1 npm ci --no-audit --no-fund --loglevel=error)
    fi ;;
  differential) node "$ROOT/web/tests/differential.js" "$WEB_BUILD" ;;
  page) node --test "$ROOT/web/tests/page_test.js" ;;
  layout) node --test "$ROOT/web/tests/layout_test.js" ;;
  # Other tests and builds may load the machine: twice the time budgets.
  speed) PYRELON_SPEED_SLACK=${PYRELON_SPEED_SLACK:-2} node "$ROOT/web/tests/speed.js" "$WEB_BUILD" ;;
  *) echo "usage: run.sh build|differential|page|layout|speed [BUILD_WEB_DIR]" >&2; exit 2 ;;
esac
