#!/usr/bin/env bash
# Builds the libFuzzer targets with clang under ASan+UBSan into build-fuzz/
# and runs each one for FUZZ_SECONDS (default 60) seconds.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-60}
if ! grep -qs '^tarvel_add_fuzzer(' tests/fuzz/CMakeLists.txt; then
  echo "fuzz: no fuzz targets"
  exit 0
fi
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DTARVEL_FUZZ=ON -DTARVEL_TESTS=ON \
  -DTARVEL_BENCH=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target tarvel_fuzzers
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
for f in build-fuzz/fuzz/*; do
  [ -x "$f" ] || continue
  name=$(basename "$f")
  corpus=$(mktemp -d)
  seeds="tests/fuzz/seeds/$name"
  [ -d "$seeds" ] && cp -r "$seeds"/. "$corpus"/
  echo "fuzz: $name for ${seconds}s"
  "$f" -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 "$corpus" 2>&1 | tail -n 5
  rm -rf "$corpus"
done
echo "fuzz: all targets ran clean"
