#!/usr/bin/env bash
# Installs what is missing, builds, and starts the countdown panel.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/build.sh
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display found: run this from a desktop session (or set DISPLAY)." >&2
    exit 1
fi
exec "${BUILD_DIR:-build}/presenter-countdown" "$@"
