#!/usr/bin/env bash
# Installs what is missing, builds, and runs the end-to-end case on four window managers, plus one case
# with a real LibreOffice Impress slide show. Each case runs under its own Xvfb; no display is needed.
set -uo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh xvfb xdotool wmctrl imagemagick x11-utils xterm dbus-x11 \
    openbox xfwm4 mutter kwin-x11 libreoffice-impress libreoffice-gtk3 || exit 1
bash scripts/build.sh || exit 1

passed=0 failed=0
run() {
    local output
    output=$(bash scripts/e2e-case.sh "$@")
    echo "$output"
    passed=$((passed + $(grep -c '\] PASS ' <<<"$output")))
    failed=$((failed + $(grep -c '\] FAIL ' <<<"$output")))
}
for wm in openbox xfwm4 mutter kwin; do
    run "$wm"
done
run openbox --libreoffice

echo "e2e: $passed passed, $failed failed"
[ "$failed" -eq 0 ] && [ "$passed" -gt 0 ]
