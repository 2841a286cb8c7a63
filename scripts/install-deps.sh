#!/bin/sh
# Installs the Debian packages one purpose needs, and does nothing when they
# are there already:
#   window  building and running the window (`make run`)
#   web     building the browser edition (`make web`)
#   all     everything: the tests, the browser edition and its tests, the
#           fuzzers, the package, the format check (`make test`, the default);
#           and the Italian locale the comma tests run under
#   sh scripts/install-deps.sh [window|web|all]
set -e
purpose=${1:-all}

# The one build configures the command-line tool beside the window, so its
# header libraries (CLI11, nlohmann-json, fast_float) come with either.
BUILD="build-essential cmake make pkg-config libfast-float-dev libcli11-dev nlohmann-json3-dev"
WINDOW="qt6-base-dev qt6-svg-dev qt6-qpa-plugins libgl-dev fonts-liberation fonts-dejavu-core"
WEB="emscripten nodejs"
TESTS="libgtest-dev libbenchmark-dev libcsv-dev clang libclang-rt-14-dev clang-format
dpkg-dev desktop-file-utils chromium locales python3"

case "$purpose" in
  window) PACKAGES="$BUILD $WINDOW" ;;
  web) PACKAGES="$BUILD $WEB" ;;
  all) PACKAGES="$BUILD $WINDOW $WEB $TESTS" ;;
  *) echo "usage: install-deps.sh [window|web|all]" >&2; exit 2 ;;
esac

SUDO=""
if [ "$(id -u)" != 0 ]; then SUDO="sudo"; fi

missing=""
for p in $PACKAGES; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing="$missing $p"
  fi
done
# npm installs the browser tests' driver; a Node.js from outside Debian
# brings its own, which Debian's package would conflict with.
if [ "$purpose" = all ] && ! command -v npm >/dev/null 2>&1; then missing="$missing npm"; fi
if [ -n "$missing" ]; then
  echo "Installing:$missing"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends $missing
fi

if [ "$purpose" = all ] && ! locale -a 2>/dev/null | grep -qi '^it_IT\.utf-\?8$'; then
  echo "Generating the it_IT.UTF-8 locale"
  $SUDO localedef -i it_IT -f UTF-8 it_IT.UTF-8
fi
