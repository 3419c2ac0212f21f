#!/usr/bin/env bash
# Builds the fuzz targets with clang's libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer into build-fuzz/: fuzz_projectfile (the project
# reader) and fuzz_analysisreader (the analysis file importer).
set -euo pipefail
cd "$(dirname "$0")/.."
out=build-fuzz
mkdir -p "$out"
CXX=${CXX:-clang++}
common=(GUI/core/projectfile*.cpp GUI/core/fieldtext.cpp GUI/core/projectdata.cpp GUI/core/member.cpp GUI/core/analysiswriter.cpp GUI/core/outputfile.cpp)
for target in fuzz_projectfile fuzz_analysisreader; do
  sources=(fuzz/$target.cpp "${common[@]}")
  [ "$target" = fuzz_analysisreader ] && sources+=(GUI/core/analysisreader.cpp)
  # Nothing to do when the program is newer than every source and header it is made of.
  if [ -x "$out/$target" ] && [ -z "$(find "${sources[@]}" GUI/core/*.h fuzz/build.sh -newer "$out/$target")" ]; then
    echo "$out/$target is up to date"
    continue
  fi
  # shellcheck disable=SC2046
  "$CXX" -std=c++17 -g -O1 -fPIC \
    -fsanitize=fuzzer,address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined \
    -IGUI/core $(pkg-config --cflags Qt6Core) \
    "${sources[@]}" \
    $(pkg-config --libs Qt6Core) \
    -o "$out/$target"
  echo "built $out/$target"
done
