#!/usr/bin/env bash
# One end-to-end case on a real window manager under Xvfb: a focused full-screen window, then the panel.
#   tests/e2e/e2e-case.sh openbox|xfwm4|mutter|kwin [--libreoffice|--xterm]
# The full-screen window is an xterm that the script makes full screen; with --libreoffice a LibreOffice
# Impress slide show, with --xterm an xterm full screen by its own request, as a program that nobody would
# list as a slide-show program. Prints one "PASS check" or "FAIL check" line per check.
# shellcheck source=case-lib.sh
source "$(dirname "$0")/case-lib.sh"

shoot() { import -window root "$1"; }
is_active() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]; }
activate() { xdotool windowactivate "$1" 2>/dev/null; wait_for 10 is_active "$1"; }
has_property() { xprop -id "$1" "$2" | grep -qw -- "$3"; } # has_property WINDOW PROPERTY VALUE
has_title_bar() { xprop -id "$1" _NET_FRAME_EXTENTS | grep -q '= [0-9]*, [0-9]*, [1-9]'; } # left, right, top
workspace() { wmctrl -s "$1" && wait_for 10 eval "wmctrl -d | grep -q '^$1 *\*'"; }
stacked_above() { # stacked_above UPPER LOWER : by the window manager's own stacking list, bottom to top
    local ids
    mapfile -t ids < <(xprop -root _NET_CLIENT_LIST_STACKING | grep -o '0x[0-9a-f]*' | xargs printf '%d\n')
    [[ " ${ids[*]} " == *" $2 "*" $1 "* ]]
}

run_steps() { # run_steps WM [--libreoffice|--xterm]
    local wm=$1 show=${2:---plain}
    start_xvfb
    start_bus DBUS_SESSION_BUS_ADDRESS
    steps "$wm ${show#--}" <<'EOF'
    [openbox] - | openbox --sm-disable >"$E2E_OUT/wm.log" 2>&1 &
    [xfwm4] - | xfwm4 --compositor=off >"$E2E_OUT/wm.log" 2>&1 &
    [mutter] - | mutter --x11 --replace >"$E2E_OUT/wm.log" 2>&1 &
    [kwin] - | KWIN_COMPOSE=N kwin_x11 --replace >"$E2E_OUT/wm.log" 2>&1 &
    ! window manager $wm started | wait_for 30 eval "xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'"
    # Managers answer requests only some time after they announce themselves; this tells when they are ready.
    - | wait_for 30 eval 'wmctrl -n 4; [ "$(wmctrl -d | wc -l)" = 4 ]'
    [plain] - | xterm -class Slideshow -bg blue -e sleep 600 >/dev/null 2>&1 &
    [plain] - | slide=$(wait_for 20 xdotool search --onlyvisible --class Slideshow)
    [plain] - | wmctrl -i -r "$slide" -b add,fullscreen
    [xterm] - | xterm -fullscreen -T 'Talk in a terminal' -bg navy -e sleep 600 >/dev/null 2>&1 &
    [xterm] - | slide=$(wait_for 20 xdotool search --onlyvisible --name '^Talk in a terminal$')
    [libreoffice] - | start_impress; slide=$(wait_for 90 xdotool search --onlyvisible --name '^Presenting: ')
    ! full-screen window is up and active | wait_for 20 has_property "$slide" _NET_WM_STATE _NET_WM_STATE_FULLSCREEN
    full-screen window is active | activate "$slide"; is_active "$slide"
    ! panel window is mapped | start_panel
    panel is visible above the focused full-screen window | wait_for 10 panel_shown above-fullscreen
    full-screen window keeps the keyboard when the panel appears | holds 1 is_active "$slide"
    clicking the panel leaves the full-screen window active | click "$panel" 1; holds 1 is_active "$slide"
    - | read -r x y w h < <(geometry "$panel") && drag $((x + w / 2)) $((y + h / 2)) 120 90
    dragging the background moves the panel | wait_for 10 placed "$panel" $((x + 120)) $((y + 90)) - - 12
    dragging keeps the size | placed "$panel" - - "$w" "$h" 2
    dragging leaves the full-screen window active | holds 1 is_active "$slide"
    # Someone else takes the keyboard; a resize of the panel must hand it back to the slide show (which also
    # tells that the hand-back is over, which would otherwise cover windows opened in the next second).
    - | xterm -class Intruder -geometry 40x5+0+0 -e sleep 600 >/dev/null 2>&1 &
    - | activate "$(wait_for 20 xdotool search --onlyvisible --class Intruder)"
    another window took the keyboard | ! is_active "$slide"
    - | xdotool windowraise "$panel"; read -r x y w h < <(geometry "$panel") && drag $((x + w - 3)) $((y + h - 3)) 160 70
    dragging the corner resizes the panel | wait_for 10 placed "$panel" - - $((w + 160)) $((h + 70)) 12
    full-screen window gets the keyboard back after the resize | wait_for 10 is_active "$slide"
    panel is still above after the resize | wait_for 10 panel_shown after-resize
    panel is on the second workspace | workspace 1 && wait_for 10 panel_shown second-workspace
    # Settings, from the panel's menu over the slide show: above it, and an ordinary window that the manager
    # frames, moves (the frame or the window itself to there) and closes.
    - | workspace 0; activate "$slide"
    ! the panel's menu opens | menu=$(open_menu "$panel")
    ! settings window opens from the menu | settings=$(open_settings "$menu")
    settings window is above the full-screen window | wait_for 10 stacked_above "$settings" "$slide"
    settings window has a title bar | wait_for 10 has_title_bar "$settings"
    settings window may be moved | has_property "$settings" _NET_WM_ALLOWED_ACTIONS _NET_WM_ACTION_MOVE
    - | read -r x y w h < <(geometry "$settings") && x=$((x > 300 ? 100 : 600)) y=$((y > 200 ? 80 : 300))
    - | wmctrl -i -r "$settings" -e "0,$x,$y,-1,-1"
    the window manager moves the settings window | wait_for 10 placed "$settings" "$x" "$y" - - 60
    - | wmctrl -i -c "$settings"
    the window manager's close request closes the settings window | wait_for 10 unmapped "$settings"
    # Quit from a shell and start again: the panel is where it was, and a second start hands over to it.
    - | read -r x y w h < <(geometry "$panel")
    --quit from a shell ends with status 0 | "$PC_BINARY" --quit
    the panel ends after --quit | wait_for 10 ended "$program"
    --pause without a panel ends with status 1 | "$PC_BINARY" --pause 2>/dev/null; [ $? = 1 ]
    ! the panel is shown again | start_panel
    the panel is back where it was | wait_for 10 placed "$panel" "$x" "$y" - - 2
    the panel is back at its size | placed "$panel" - - "$w" "$h" 2
    a second start hands over and ends with status 0 | "$PC_BINARY" --duration 5m
    a second start shows no second panel | [ "$(xdotool search --onlyvisible --class presenter-countdown | wc -l)" = 1 ]
    - | "$PC_BINARY" --quit && wait_for 10 ended "$program"
EOF
}

e2e_main "$@"
