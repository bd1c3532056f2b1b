#!/usr/bin/env bash
# Installs what the build needs (plus any extra packages or @groups of install-deps.sh named on the command
# line), then configures and builds into build/ (or $BUILD_DIR).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh @build "$@"

build_dir=${BUILD_DIR:-build}
cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}"
cmake --build "$build_dir" -j "$(nproc)"
