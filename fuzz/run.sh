#!/usr/bin/env bash
# Fuzzes the project reader for SECONDS (default 60) on JOBS processes (default 1).
# New inputs go to build-fuzz/corpus (seeded from fuzz/corpus and the saved
# findings in tests/data/fuzz); crashes, hangs and sanitizer reports land in
# build-fuzz/artifacts/. With JOBS 1 or more it keeps going after a finding;
# with JOBS 0 it stops at the first one and exits non-zero (for CI).
# Usage: fuzz/run.sh [SECONDS] [JOBS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
jobs=${2:-1}
fuzz/build.sh
mkdir -p build-fuzz/corpus build-fuzz/artifacts
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:allocator_may_return_null=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
args=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536
      -dict=fuzz/projectfile.dict -artifact_prefix=build-fuzz/artifacts/ -print_final_stats=1)
if [ "$jobs" -gt 0 ]; then
  # Fork mode keeps fuzzing after a finding; every finding is still saved.
  args+=(-fork="$jobs" -ignore_crashes=1 -ignore_timeouts=1 -ignore_ooms=1)
fi
exec build-fuzz/fuzz_projectfile "${args[@]}" build-fuzz/corpus fuzz/corpus tests/data/fuzz
