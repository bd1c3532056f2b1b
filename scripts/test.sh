#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test. Needs no display: the widget tests run offscreen.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/build.sh @tests
ctest --test-dir "${BUILD_DIR:-build}" --output-on-failure -j "$(nproc)"
