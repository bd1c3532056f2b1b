#!/usr/bin/env bash
# Installs what the build needs (plus any extra packages named on the command line), then configures and
# builds into build/ (or $BUILD_DIR).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh build-essential cmake qt6-base-dev qt6-svg-dev qt6-tools-dev qt6-l10n-tools qt6-tools-dev-tools libxcb1-dev pkg-config libbenchmark-dev fonts-dejavu-core "$@"

build_dir=${BUILD_DIR:-build}
cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo}
cmake --build "$build_dir" -j "$(nproc)"
