#!/usr/bin/env bash
# Starts the program on the first example. Without a display it writes that
# example's analysis input file instead and says where it went.
set -euo pipefail
cd "$(dirname "$0")/.."
example=examples/portal-frame-rc.kfp
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec ./build/taliskor2d-gui "$example"
fi
out="$PWD/build/portal-frame-rc.txt"
./build/taliskor2d-gui --generate "$example" "$out"
echo "No display: wrote the analysis input file of $example to $out"
