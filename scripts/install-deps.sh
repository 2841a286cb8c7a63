#!/bin/sh
# Installs the Debian packages the build, the tests and the window need, and
# generates the Italian locale the comma tests run under. Does nothing when
# everything is there already.
set -e

PACKAGES="build-essential cmake make pkg-config
qt6-base-dev qt6-qpa-plugins qt6-svg-dev libgl-dev
libgtest-dev libbenchmark-dev libfast-float-dev libcsv-dev
libcli11-dev nlohmann-json3-dev
clang libclang-rt-14-dev
fonts-liberation fonts-dejavu-core
dpkg-dev desktop-file-utils
emscripten nodejs chromium
locales"

SUDO=""
if [ "$(id -u)" != 0 ]; then SUDO="sudo"; fi

missing=""
for p in $PACKAGES; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing="$missing $p"
  fi
done
# npm runs the browser tests' set-up; a Node.js from outside Debian brings
# its own, which Debian's package would conflict with.
if ! command -v npm >/dev/null 2>&1; then missing="$missing npm"; fi
if [ -n "$missing" ]; then
  echo "Installing:$missing"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends $missing
fi

if ! locale -a 2>/dev/null | grep -qi '^it_IT\.utf-\?8$'; then
  echo "Generating the it_IT.UTF-8 locale"
  $SUDO localedef -i it_IT -f UTF-8 it_IT.UTF-8
fi
