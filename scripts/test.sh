#!/usr/bin/env bash
# Set-up, build, run every test with CTest, then run each fuzz target briefly
# under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure -j"$(nproc)"
bash scripts/fuzz.sh
