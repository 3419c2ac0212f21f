#!/usr/bin/env bash
# Installs what is missing (Debian 12, as root), then configures and builds into build/.
set -euo pipefail
cd "$(dirname "$0")/.."
# clang and its runtime build the project reader's fuzz target that CI runs briefly.
packages="build-essential cmake qt6-base-dev qt6-svg-dev qt6-charts-dev libqt6opengl6-dev pkg-config clang libclang-rt-14-dev"
missing=""
for p in $packages; do
  dpkg -s "$p" >/dev/null 2>&1 || missing="$missing $p"
done
if [ -n "$missing" ]; then
  apt-get update
  DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $missing
fi
# CI sets TALISKOR2D_WERROR=ON: a warning fails the build.
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DTALISKOR2D_WERROR="${TALISKOR2D_WERROR:-OFF}"
cmake --build build -j2
