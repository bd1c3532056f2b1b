#!/usr/bin/env bash
# Installs what is missing, builds, and runs the end-to-end case on four window managers, plus one case
# with a real LibreOffice Impress slide show and, on each manager, one with a full-screen xterm that must
# get the keyboard back. Each case runs under its own Xvfb; no display is needed. Then the Wayland cases:
# KWin and GNOME Shell, each with a native full-screen window and with a native slide show, the panel
# started after and before it, and sway. Each starts its own headless compositor.
set -uo pipefail
cd "$(dirname "$0")/../.." || exit 1

bash scripts/build.sh @e2e || exit 1

passed=0 failed=0
run() { # run CASE-SCRIPT ARGS...
    local output
    output=$(bash "$@")
    echo "$output"
    passed=$((passed + $(grep -c '\] PASS ' <<<"$output")))
    failed=$((failed + $(grep -c '\] FAIL ' <<<"$output")))
}
started=$SECONDS
for wm in openbox xfwm4 mutter kwin; do
    run tests/e2e/e2e-case.sh "$wm"
    run tests/e2e/e2e-case.sh "$wm" --xterm
done
run tests/e2e/e2e-case.sh openbox --libreoffice
for compositor in kwin gnome; do
    for show in '' --libreoffice; do
        run tests/e2e/e2e-wayland-case.sh "$compositor" $show
        run tests/e2e/e2e-wayland-case.sh "$compositor" $show --panel-first
    done
done
run tests/e2e/e2e-wayland-case.sh sway

echo "e2e: $passed passed, $failed failed in $((SECONDS - started)) s"
[ "$failed" -eq 0 ] && [ "$passed" -gt 0 ]
