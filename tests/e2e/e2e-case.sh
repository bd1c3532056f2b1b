#!/usr/bin/env bash
# One end-to-end case on a real window manager under Xvfb: a focused full-screen window, then the panel.
# Checks that the panel shows above the full-screen window and on a second workspace, that it can be
# dragged and resized with the mouse, that the full-screen window keeps the keyboard and, after another
# window took it, gets it back when the panel is resized, and that the settings window opens above it
# as an ordinary window the manager frames, moves and closes.
#
#   tests/e2e/e2e-case.sh openbox|xfwm4|mutter|kwin [--libreoffice|--xterm]
#
# The full-screen window is an xterm that the script makes full screen; with --libreoffice a real
# LibreOffice Impress slide show, with --xterm an xterm full screen by its own option.
# Prints one "PASS check" or "FAIL check" line per check and exits non-zero on any failure.
# Screenshots and logs stay in $E2E_OUT (a fresh temporary folder by default).
set -uo pipefail

here=$(cd "$(dirname "$0")/../.." && pwd)
binary=${PC_BINARY:-$here/build/presenter-countdown}
out=${E2E_OUT:-$(mktemp -d /tmp/pc-e2e.XXXXXX)}
mkdir -p "$out"

if [ "${1:-}" = --inner ]; then
    shift
    # shellcheck source=e2e-steps.sh
    source "$here/tests/e2e/e2e-steps.sh"
    run_case "$@"
    exit $?
fi

wm=${1:?usage: e2e-case.sh WM [--libreoffice|--xterm]}
[ -x "$binary" ] || { echo "FAIL build: $binary is missing"; exit 1; }

# shellcheck source=../../scripts/xvfb-lib.sh
source "$here/scripts/xvfb-lib.sh"
start_xvfb || { echo "FAIL setup: no Xvfb display"; exit 1; }

export XDG_CONFIG_HOME=$out/config E2E_OUT=$out PC_BINARY=$binary
unset WAYLAND_DISPLAY QT_QPA_PLATFORM SESSION_MANAGER

# shellcheck source=case-lib.sh
source "$here/tests/e2e/case-lib.sh"
run_in_own_group "$out/case.log" dbus-run-session -- bash "$0" --inner "$@"
stop_xvfb
report "$wm${2:+ ${2#--}}" "$out"
