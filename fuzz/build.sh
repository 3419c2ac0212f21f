#!/usr/bin/env bash
# Builds the project reader fuzz target with clang's libFuzzer, AddressSanitizer
# and UndefinedBehaviorSanitizer into build-fuzz/fuzz_projectfile.
set -euo pipefail
cd "$(dirname "$0")/.."
out=build-fuzz
mkdir -p "$out"
CXX=${CXX:-clang++}
# shellcheck disable=SC2046
"$CXX" -std=c++17 -g -O1 -fPIC \
  -fsanitize=fuzzer,address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined \
  -IGUI $(pkg-config --cflags Qt6Core) \
  fuzz/fuzz_projectfile.cpp GUI/projectfile.cpp GUI/projectdata.cpp GUI/member.cpp GUI/analysiswriter.cpp \
  $(pkg-config --libs Qt6Core) \
  -o "$out/fuzz_projectfile"
echo "built $out/fuzz_projectfile"
