#!/usr/bin/env bash
# Installs what is missing, builds, and runs every end-to-end case, each under its own Xvfb or compositor: four
# window managers with an xterm made full screen and one full screen by its own request, openbox with a slide
# show; KWin and GNOME Shell with a native terminal and slide show, the panel started after and before; sway.
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
