#!/usr/bin/env bash
# Set-up, build, then start the application.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
exec ./build/bin/tarvel-label
