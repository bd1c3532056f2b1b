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

# Everything the case starts, compositor and buses included, stays in this process group and ends with
# it.
setsid bash "$0" --inner "$@" >"$out/case.log" 2>&1 </dev/null &
session=$!
timeout_at=$((SECONDS + ${E2E_TIMEOUT:-240}))
while kill -0 $session 2>/dev/null && [ $SECONDS -lt $timeout_at ]; do sleep 0.5; done
if kill -0 $session 2>/dev/null; then
    echo "FAIL timeout: the case did not finish" >>"$out/case.log"
fi
kill -TERM -- -$session 2>/dev/null
for _ in $(seq 50); do # a moment to quit cleanly
    pgrep -g $session >/dev/null || break
    sleep 0.1
done
kill -KILL -- -$session 2>/dev/null

label="$compositor${2:+ ${2#--}}${3:+ ${3#--}}"
grep -E '^(PASS|FAIL) ' "$out/case.log" | sed "s/^/[$label] /"
echo "[$label] screenshots and logs: $out"
! grep -q '^FAIL ' "$out/case.log" && grep -q '^PASS ' "$out/case.log"
