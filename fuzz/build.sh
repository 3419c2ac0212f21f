#!/usr/bin/env bash
# Builds the project reader fuzz target with clang's libFuzzer, AddressSanitizer
# and UndefinedBehaviorSanitizer into build-fuzz/fuzz_projectfile.
set -euo pipefail
cd "$(dirname "$0")/.."
out=build-fuzz
mkdir -p "$out"
CXX=${CXX:-clang++}
sources=(fuzz/fuzz_projectfile.cpp GUI/projectfile.cpp GUI/fieldtext.cpp GUI/projectdata.cpp GUI/member.cpp GUI/analysiswriter.cpp GUI/outputfile.cpp)
# Nothing to do when the program is newer than every source and header it is made of.
if [ -x "$out/fuzz_projectfile" ] && [ -z "$(find "${sources[@]}" GUI/*.h fuzz/build.sh -newer "$out/fuzz_projectfile")" ]; then
  echo "$out/fuzz_projectfile is up to date"
  exit 0
fi
# shellcheck disable=SC2046
"$CXX" -std=c++17 -g -O1 -fPIC \
  -fsanitize=fuzzer,address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined \
  -IGUI $(pkg-config --cflags Qt6Core) \
  "${sources[@]}" \
  $(pkg-config --libs Qt6Core) \
  -o "$out/fuzz_projectfile"
echo "built $out/fuzz_projectfile"
