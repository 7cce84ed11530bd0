#!/usr/bin/env bash
# Set-up, build, run every test with CTest, then run each fuzz target briefly
# under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
export QT_QPA_PLATFORM=offscreen
log=$(mktemp)
trap 'rm -f "$log"' EXIT
ctest --test-dir build --output-on-failure -j"$(nproc)" | tee "$log"
bash scripts/fuzz.sh
# One closing line for whoever reads the end of the run.
total=$(sed -n 's/.*tests failed out of \([0-9]*\).*/\1/p' "$log" | tail -n 1)
failed=$(sed -n 's/.* \([0-9]*\) tests failed out of.*/\1/p' "$log" | tail -n 1)
echo "tests: $((total - failed)) passed, ${failed} failed"
