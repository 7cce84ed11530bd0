#!/usr/bin/env bash
# Builds bench_encode (optimised) and runs it: encodes per second of our barcode
# encoders and of libzint on the same inputs, with the ratios at the end.
# BUILD_DIR (default build) picks the build folder; other arguments go to the
# benchmark (for example --benchmark_filter=EAN13).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
cmake -S . -B "$build" -DTARVEL_BENCH=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$(nproc)" --target bench_encode
"$build/bench/bench_encode" --benchmark_min_time=1 "$@"
