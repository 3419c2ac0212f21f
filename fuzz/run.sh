#!/usr/bin/env bash
# Fuzzes a reader for SECONDS (default 60) on JOBS processes (default 1).
# TARGET is projectfile (the project reader, the default) or analysisreader
# (the analysis file importer). New inputs go to build-fuzz/corpus (or
# build-fuzz/corpus-analysis), seeded from fuzz/corpus (fuzz/corpus-analysis)
# and the saved findings in tests/data/fuzz (tests/data/fuzz-analysis);
# crashes, hangs and sanitizer reports land in build-fuzz/artifacts/. With
# JOBS 1 or more it keeps going after a finding; with JOBS 0 it stops at the
# first one and exits non-zero (for CI).
# Usage: fuzz/run.sh [SECONDS] [JOBS] [TARGET]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
jobs=${2:-1}
target=${3:-projectfile}
case "$target" in
  projectfile) corpus=build-fuzz/corpus; seeds=(fuzz/corpus tests/data/fuzz); dict=fuzz/projectfile.dict ;;
  analysisreader) corpus=build-fuzz/corpus-analysis; seeds=(fuzz/corpus-analysis tests/data/fuzz-analysis)
                  dict=fuzz/analysisfile.dict ;;
  *) echo "unknown target $target (projectfile or analysisreader)" >&2; exit 2 ;;
esac
fuzz/build.sh
mkdir -p "$corpus" build-fuzz/artifacts
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:allocator_may_return_null=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
args=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536
      -dict="$dict" -artifact_prefix=build-fuzz/artifacts/ -print_final_stats=1)
if [ "$jobs" -gt 0 ]; then
  # Fork mode keeps fuzzing after a finding; every finding is still saved.
  args+=(-fork="$jobs" -ignore_crashes=1 -ignore_timeouts=1 -ignore_ooms=1)
fi
exec build-fuzz/fuzz_"$target" "${args[@]}" "$corpus" "${seeds[@]}"
