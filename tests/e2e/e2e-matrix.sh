#!/usr/bin/env bash
# Installs what is missing, builds, and runs every end-to-end case, each under an Xvfb or a headless
# compositor of its own: on four window managers with an xterm that the script makes full screen and one
# full screen by its own request, on openbox with a LibreOffice Impress slide show; on KWin and GNOME Shell
# with a native full-screen window and a native slide show, the panel started after and before it; on sway.
set -uo pipefail
cd "$(dirname "$0")/../.." && bash scripts/build.sh @e2e || exit 1
started=$SECONDS results=$(mktemp)
# shellcheck disable=SC2086 # each word of $arguments is one argument
{
    for arguments in {openbox,xfwm4,mutter,kwin}{,' --xterm'} 'openbox --libreoffice'; do
        bash tests/e2e/e2e-case.sh $arguments
    done
    for arguments in {kwin,gnome}{,' --libreoffice'}{,' --panel-first'} sway; do
        bash tests/e2e/e2e-wayland-case.sh $arguments
    done
} | tee "$results"
passed=$(grep -c '\] PASS ' "$results") failed=$(grep -c '\] FAIL ' "$results")
rm "$results"
echo "e2e: $passed passed, $failed failed in $((SECONDS - started)) s"
[ "$failed" -eq 0 ] && [ "$passed" -gt 0 ]
