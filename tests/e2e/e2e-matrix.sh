#!/usr/bin/env bash
# Installs what is missing, builds, and runs the end-to-end case on four window managers, plus one case
# with a real LibreOffice Impress slide show and, on each manager, one with a full-screen xterm that must
# get the keyboard back. Each case runs under its own Xvfb; no display is needed.
set -uo pipefail
cd "$(dirname "$0")/../.." || exit 1

bash scripts/build.sh @e2e || exit 1

passed=0 failed=0
run() {
    local output
    output=$(bash tests/e2e/e2e-case.sh "$@")
    echo "$output"
    passed=$((passed + $(grep -c '\] PASS ' <<<"$output")))
    failed=$((failed + $(grep -c '\] FAIL ' <<<"$output")))
}
started=$SECONDS
for wm in openbox xfwm4 mutter kwin; do
    run "$wm"
    run "$wm" --xterm
done
run openbox --libreoffice

echo "e2e: $passed passed, $failed failed in $((SECONDS - started)) s"
[ "$failed" -eq 0 ] && [ "$passed" -gt 0 ]
