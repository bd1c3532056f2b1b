#!/usr/bin/env bash
# One end-to-end case on a real window manager under Xvfb: a focused full-screen window, then the panel.
#   tests/e2e/e2e-case.sh openbox|xfwm4|mutter|kwin [--libreoffice|--xterm]
# The full-screen window: an xterm made full screen, a LibreOffice Impress slide show, or an xterm full screen
# by its own request.
# shellcheck source=case-lib.sh
source "$(dirname "$0")/case-lib.sh"

shoot() { import -window root "$1"; }
has_keyboard() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]; }
activate() { xdotool windowactivate "$1" 2>/dev/null; wait_for 10 has_keyboard "$1"; }
workspace() { wmctrl -s "$1" && wait_for 10 eval "wmctrl -d | grep -q '^$1 *\*'"; }
has_property() { xprop -id "$1" "$2" | grep -qw -- "$3"; } # has_property WINDOW PROPERTY VALUE
has_title_bar() { xprop -id "$1" _NET_FRAME_EXTENTS | grep -q '= [0-9]*, [0-9]*, [1-9]'; } # left, right, top
settings_above() { # settings_above UPPER LOWER : by the window manager's own stacking list, bottom to top
    local stack
    stack=$(xprop -root _NET_CLIENT_LIST_STACKING | grep -o '0x[0-9a-f]*' | xargs printf ' %d ')
    [[ $stack == *" $2 "*" $1 "* ]]
}

run_steps() { # run_steps WM [--libreoffice|--xterm]
    local wm=$1 show=${2:---plain} session=x11
    start_xvfb
    start_bus DBUS_SESSION_BUS_ADDRESS
    scenario "x11 ewmh drag panel-after $wm ${show#--}"
}

e2e_main "$@"
