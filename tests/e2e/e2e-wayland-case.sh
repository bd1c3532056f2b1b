#!/usr/bin/env bash
# One end-to-end case in a Wayland session on a headless compositor, with a native Wayland full-screen
# window: the panel runs through XWayland, as the program chooses by itself when it finds both
# WAYLAND_DISPLAY and DISPLAY.
#
#   tests/e2e/e2e-wayland-case.sh kwin|gnome|sway [--libreoffice] [--panel-first]
#
# KWin and GNOME Shell: the panel shows above the focused full-screen window, which keeps the keyboard,
# Settings opens above it, and the panel shows on a second workspace. sway: the panel is never tiled,
# keeps its own size, shows above the full-screen window and on a second workspace, and a drag with
# sway's own pointer moves it while the full-screen window keeps the keyboard.
#
# The full-screen window is weston-terminal --fullscreen, or with --libreoffice a LibreOffice Impress
# slide show on GTK's Wayland backend; the panel starts after it, or before it with --panel-first.
# Screenshots come from the compositor itself. Prints one "PASS check" or "FAIL check" line per check
# and exits non-zero on any failure; screenshots and logs stay in $E2E_OUT (a fresh temporary folder by
# default).
set -uo pipefail

here=$(cd "$(dirname "$0")/../.." && pwd)
binary=${PC_BINARY:-$here/build/presenter-countdown}
out=${E2E_OUT:-$(mktemp -d /tmp/pc-e2e.XXXXXX)}
mkdir -p "$out"

if [ "${1:-}" = --inner ]; then
    shift
    # shellcheck source=e2e-wayland-steps.sh
    source "$here/tests/e2e/e2e-wayland-steps.sh"
    run_wayland_case "$@"
    exit $?
fi

compositor=${1:?usage: e2e-wayland-case.sh kwin|gnome|sway [--libreoffice] [--panel-first]}
[ -x "$binary" ] || { echo "FAIL build: $binary is missing"; exit 1; }

export E2E_OUT=$out PC_BINARY=$binary
unset DISPLAY XAUTHORITY WAYLAND_DISPLAY QT_QPA_PLATFORM SESSION_MANAGER DBUS_SESSION_BUS_ADDRESS SWAYSOCK

# shellcheck source=case-lib.sh
source "$here/tests/e2e/case-lib.sh"
run_in_own_group "$out/case.log" bash "$0" --inner "$@"
report "$compositor${2:+ ${2#--}}${3:+ ${3#--}}" "$out"
