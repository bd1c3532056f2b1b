#!/usr/bin/env bash
# What the X11 and the Wayland end-to-end cases share: the scenario and the means to run it. Every step
# waits for the condition it needs, never for a fixed time: managers differ widely in speed.
set -uo pipefail
e2e_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=../../scripts/xvfb-lib.sh
source "$e2e_dir/../../scripts/xvfb-lib.sh"
export PC_BINARY=${PC_BINARY:-$e2e_dir/../../build/presenter-countdown}
mkdir -p "${E2E_OUT:=$(mktemp -d /tmp/pc-e2e.XXXXXX)}" && export E2E_OUT # screenshots and logs

# A case's words choose its steps: x11 or wayland, the manager, ewmh if it honours X11 windows' requests to stay
# on top, drag, the full-screen window (plain, xterm, terminal, libreoffice), panel-first or panel-after. Each
# platform provides shoot FILE, has_keyboard SLIDE, workspace N and settings_above SETTINGS SLIDE.
scenario() { # scenario WORDS
    steps "$1" <<'EOF'
[x11 openbox] - | openbox --sm-disable >"$E2E_OUT/wm.log" 2>&1 &
[x11 xfwm4] - | xfwm4 --compositor=off >"$E2E_OUT/wm.log" 2>&1 &
[x11 mutter] - | mutter --x11 --replace >"$E2E_OUT/wm.log" 2>&1 &
[x11 kwin] - | KWIN_COMPOSE=N kwin_x11 --replace >"$E2E_OUT/wm.log" 2>&1 &
[x11] ! window manager $wm started | wait_for 30 eval "xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'"
# Managers answer requests only some time after they announce themselves; this tells when they are ready.
[x11] - | wait_for 30 eval 'wmctrl -n 4; [ "$(wmctrl -d | wc -l)" = 4 ]'
[wayland] ! compositor $COMPOSITOR started with Xwayland | start_$COMPOSITOR
[panel-first] ! panel window is mapped | start_panel XDG_SESSION_TYPE=wayland
[plain] - | xterm -class Show -bg blue -e sleep 600 >/dev/null 2>&1 &
[plain] - | slide=$(wait_for 20 windows_of Show) && wmctrl -xr Show -b add,fullscreen
[xterm] - | xterm -fullscreen -T 'Talk in a terminal' -bg navy -e sleep 600 >/dev/null 2>&1 &
[xterm] - | slide=$(wait_for 20 xdotool search --onlyvisible --name '^Talk in a terminal$')
[x11 libreoffice] - | start_impress; slide=$(wait_for 90 xdotool search --onlyvisible --name '^Presenting: ')
[x11] ! full-screen window is up and active | wait_for 20 has_property "$slide" _NET_WM_STATE _NET_WM_STATE_FULLSCREEN
[x11] full-screen window is active | activate "$slide"
[terminal] - | slide='^Wayland Terminal$'; native weston-terminal --fullscreen --shell=/bin/cat >/dev/null 2>&1 &
[wayland libreoffice] - | slide='^Presenting: '; start_impress native GDK_BACKEND=wayland
[wayland] ! native full-screen window is up | wait_for 90 ask full-screen-up "$slide"
# LibreOffice maps its editor window too, which may get the keyboard first; a presenter would click the show.
[wayland] - | wait_for 5 ask full-screen "$slide" || ask activate "$slide"
[wayland] ! native full-screen window has the keyboard | wait_for 10 ask full-screen "$slide"
[panel-after] ! panel window is mapped | start_panel XDG_SESSION_TYPE="$session"
[wayland] the panel chose XWayland by itself and said nothing | ! grep -q '^presenter-countdown:' "$E2E_OUT/panel.log"
[wayland ewmh] the compositor sees the panel as an XWayland window | ask x11 '^Presenter Countdown$'
panel is visible above the focused full-screen window | wait_for 20 panel_shown above-fullscreen
full-screen window keeps the keyboard when the panel appears | holds 1 has_keyboard "$slide"
[wayland ewmh] the compositor stacks the panel above the full-screen window | ask above '^Presenter Countdown$' "$slide"
[sway] panel is never tiled: sway manages no window of it | w=$(ask windows) && ! grep -q '"Presenter' <<<"$w"
# Qt's first size for the panel: 400 x 150, with a shadow margin of 14 on each side.
[sway] panel keeps its own size | placed "$panel" - - 428 178 2
[sway] sway draws the panel at its own size | red above-fullscreen 'abs(w - 400) <= 4 && abs(h - 150) <= 4' -trim
clicking the panel leaves the full-screen window the keyboard | click "$panel" 1; holds 1 has_keyboard "$slide"
[drag] - | read -r x y w h < <(geometry "$panel") && drag $((x + w / 2)) $((y + h / 2)) 120 90
[drag] dragging the background moves the panel | wait_for 10 placed "$panel" $((x + 120)) $((y + 90)) - - 12
[x11] dragging keeps the size | placed "$panel" - - "$w" "$h" 2
[drag] dragging leaves the full-screen window the keyboard | holds 1 has_keyboard "$slide"
# Someone else takes the keyboard; a resize of the panel must hand it back to the slide show (which also tells
# that the hand-back is over, which would otherwise cover windows opened in the next second).
[x11] - | xterm -class Intruder -geometry 40x5+0+0 -e sleep 600 >/dev/null 2>&1 &
[x11] - | activate "$(wait_for 20 windows_of Intruder)"
[x11] another window took the keyboard | ! has_keyboard "$slide"
[x11] - | xdotool windowraise "$panel"
[x11] - | read -r x y w h < <(geometry "$panel") && drag $((x + w - 3)) $((y + h - 3)) 160 70
# sway holds no pointer grab for an override-redirect window: a motion that leaves the panel before it has
# grown goes elsewhere. A mouse reports small steps, and so does this drag, from the visible corner.
[sway] - | read -r x y w h < <(geometry "$panel") && drag $((x + w - 20)) $((y + h - 20)) 160 70 40
[drag] dragging the corner resizes the panel | wait_for 10 placed "$panel" - - $((w + 160)) $((h + 70)) 12
[x11] full-screen window gets the keyboard back after the resize | wait_for 10 has_keyboard "$slide"
[sway] the full-screen window keeps the keyboard after the resize | holds 1 has_keyboard "$slide"
[drag] panel is still above after the resize | wait_for 10 panel_shown after-resize
[x11] panel is visible on a second workspace | workspace 1 && wait_for 10 panel_shown second-workspace
[x11] - | workspace 0; activate "$slide"
# Settings, from the panel's menu over the slide show: above it, and an ordinary window that the manager
# frames, moves (the frame or the window itself to there) and closes.
[x11] ! the panel's menu opens | menu=$(open_menu "$panel")
[x11] ! settings window opens from the menu | settings=$(open_settings "$menu")
[wayland ewmh] settings window opens from the panel's menu | settings=$(open_settings "$(open_menu "$panel")")
[ewmh] settings window is above the full-screen window | wait_for 10 settings_above "$settings" "$slide"
[x11] settings window has a title bar | wait_for 10 has_title_bar "$settings"
[x11] settings window may be moved | has_property "$settings" _NET_WM_ALLOWED_ACTIONS _NET_WM_ACTION_MOVE
[x11] - | read -r x y w h < <(geometry "$settings") && x=$((x > 300 ? 100 : 600)) y=$((y > 200 ? 80 : 300))
[x11] - | wmctrl -i -r "$settings" -e "0,$x,$y,-1,-1"
[x11] the window manager moves the settings window | wait_for 10 placed "$settings" "$x" "$y" - - 60
[ewmh] the close request closes the settings window | wmctrl -i -c "$settings"; wait_for 10 unmapped "$settings"
[wayland] panel is visible on a second workspace | workspace 1 && wait_for 10 panel_shown second-workspace
[wayland ewmh] the compositor shows the panel on every workspace | ask on-all-workspaces '^Presenter Countdown$'
[x11] - | read -r x y w h < <(geometry "$panel")
[x11] --quit from a shell ends with status 0 | "$PC_BINARY" --quit
[x11] the panel ends after --quit | wait_for 10 ended "$program"
[x11] --pause without a panel ends with status 1 | "$PC_BINARY" --pause 2>/dev/null; [ $? = 1 ]
[x11] ! the panel is shown again | start_panel XDG_SESSION_TYPE="$session"
[x11] the panel is back where it was | wait_for 10 placed "$panel" "$x" "$y" - - 2
[x11] the panel is back at its size | placed "$panel" - - "$w" "$h" 2
[x11] a second start hands over and ends with status 0 | "$PC_BINARY" --duration 5m
[x11] a second start shows no second panel | [ "$(windows_of presenter-countdown | wc -l)" = 1 ]
[ewmh terminal panel-after] native Wayland: the program says once that the panel cannot stay on top | native_once
EOF
}

# e2e_main ARGS... : run_steps ARGS in a session, home and settings of its own, so that all it starts (managers,
# buses, the daemons they leave behind) ends with it within $E2E_TIMEOUT s (240). Prints the checks, labelled.
e2e_main() {
    if [ "${1:-}" = --inner ]; then
        private_home
        run_steps "${@:2}"
        exit
    fi
    [ -x "$PC_BINARY" ] || { echo "FAIL build: $PC_BINARY is missing"; exit 1; }
    unset DISPLAY XAUTHORITY WAYLAND_DISPLAY QT_QPA_PLATFORM SESSION_MANAGER DBUS_SESSION_BUS_ADDRESS SWAYSOCK \
        XDG_DATA_HOME XDG_CACHE_HOME XDG_STATE_HOME XDG_SESSION_TYPE
    local log=$E2E_OUT/case.log session
    setsid bash "$0" --inner "$@" >"$log" 2>&1 </dev/null &
    session=$!
    wait_for "${E2E_TIMEOUT:-240}" ended $session || echo "FAIL timeout: the case did not finish" >>"$log"
    kill -TERM -- -$session 2>/dev/null
    wait_for 5 ended -$session # a moment to quit cleanly
    kill -KILL -- -$session 2>/dev/null
    grep -E '^(PASS|FAIL) ' "$log" | sed "s/^/[${*//--/}] /"
    echo "[${*//--/}] screenshots and logs: $E2E_OUT"
    ! grep -q '^FAIL ' "$log" && grep -q '^PASS ' "$log"
}

# Nothing of a case reaches the user's own files. The panel's background is pure red, which nothing else on
# screen is, so that a screenshot finds it wherever the manager put it.
private_home() {
    export HOME=$E2E_OUT/home XDG_CONFIG_HOME=$E2E_OUT/config XDG_RUNTIME_DIR=$E2E_OUT/runtime
    local settings
    settings=$(settings_file "$(dirname "$PC_BINARY")")
    mkdir -p "$HOME" "$XDG_RUNTIME_DIR" "${settings%/*}" && chmod 700 "$XDG_RUNTIME_DIR"
    printf '[General]\nZKVBgColor=@ByteArray(\\x1\\xff\\xff\\xff\\xff\\0\\0\\0\\0\\0\\0)\n' >"$settings"
}

# steps WORDS <TABLE : one step a line, "[WORDS] NAME | COMMAND", run if each of its WORDS is one of WORDS.
# NAME names a check ("! NAME" one that the rest needs: the case ends when it fails), "-" a step that checks
# nothing. Commands run in this shell, so that they can set variables for later lines (and names).
steps() {
    local key=" $1 " rows row word name
    mapfile -t rows
    for row in "${rows[@]}"; do
        [[ $row =~ ^\ *(\[([^]]*)\]\ )?(.*)$ ]] && row=${BASH_REMATCH[3]}
        [[ -z $row || $row == \#* ]] && continue
        for word in ${BASH_REMATCH[2]}; do [[ $key == *" $word "* ]] || continue 2; done
        eval "name=\"${row%% | *}\""
        if [ "$name" = - ]; then
            eval "${row#* | }"
        elif eval "${row#* | }"; then
            echo "PASS ${name#! }"
        else
            echo "FAIL ${name#! }"
            [[ $name == !* ]] && return 1
        fi
    done
}

wait_for() { # wait_for SECONDS COMMAND... : until the command succeeds; echoes the first line it printed
    local until=$((SECONDS + $1)) out
    until out=$("${@:2}" 2>/dev/null); do
        [ $SECONDS -ge $until ] && return 1
        sleep 0.2
    done
    [ -z "$out" ] || head -n 1 <<<"$out"
}
fails() { ! "$@"; }
holds() { ! wait_for "$1" fails "${@:2}" >/dev/null; } # holds SECONDS COMMAND... : it keeps succeeding that long
ended() { ! kill -0 -- "$1" 2>/dev/null; }             # ended PID, or -GROUP

start_bus() { # start_bus VARIABLE : a bus of the case's own, in its process group, so that it ends with it
    dbus-daemon --session --nofork --print-address=3 3>"$E2E_OUT/$1.address" >/dev/null 2>&1 &
    export "$1=$(wait_for 10 grep . "$E2E_OUT/$1.address")"
}
# start_panel [VARIABLE=VALUE...] : sets program to its process id and panel to its window
# shellcheck disable=SC2034 # for the scenario
start_panel() {
    env "$@" "$PC_BINARY" >>"$E2E_OUT/panel.log" 2>&1 &
    program=$!
    panel=$(wait_for 30 xdotool search --onlyvisible --name '^Presenter Countdown$')
}
start_impress() { # start_impress [COMMAND...] : a LibreOffice Impress slide show, under COMMAND
    cp "$e2e_dir/talk.fodp" "$E2E_OUT/talk.fodp"
    "$@" env SAL_USE_VCLPLUGIN=gtk3 soffice --nologo --norestore --nodefault \
        "-env:UserInstallation=file://$E2E_OUT/lo-profile" --show "$E2E_OUT/talk.fodp" >"$E2E_OUT/soffice.log" 2>&1 &
}

geometry() { xdotool getwindowgeometry --shell "$1" | sed -n '2,5s/.*=//p' | xargs; } # "X Y WIDTH HEIGHT"
placed() { # placed WINDOW X Y WIDTH HEIGHT TOLERANCE : its geometry, each within the tolerance ("-": any)
    geometry "$1" | awk -v want="$2 $3 $4 $5" -v t="$6" '{ split(want, w); ok = 1
        for (i = 1; i <= 4; i++) if (w[i] != "-" && ($i - w[i]) ^ 2 > t ^ 2) ok = 0 } END { exit !ok }'
}
windows_of() { xdotool search --onlyvisible --class "$1"; } # windows_of CLASS : its mapped windows
unmapped() { [ -n "$1" ] && ! xwininfo -id "$1" 2>/dev/null | grep -q IsViewable; }
# red SCREENSHOT CONDITION [OPERATOR...] : ImageMagick's fx condition holds for its red pixels, the panel's
red() { convert "$E2E_OUT/$1.png" -fill black +opaque '#ff0000' "${@:3}" -format "%[fx:$2]" info: | grep -qx 1; }
panel_shown() { shoot "$E2E_OUT/$1.png" && red "$1" 'mean.r > 0.005'; }
# The pointer: XTEST's, or the real mouse of POINTER_DISPLAY's X server, into which a compositor draws.
pointer() { DISPLAY=${POINTER_DISPLAY:-$DISPLAY} xdotool "$@"; }
click() { # click WINDOW BUTTON [X Y] : at that point of it, by default its middle
    local g
    read -ra g < <(geometry "$1")
    pointer mousemove $((g[0] + ${3:-g[2] / 2})) $((g[1] + ${4:-g[3] / 2})) click "$2"
}
drag() { # drag FROM_X FROM_Y DX DY [STEPS] : in steps (6) at a hand's pace, so that each arrives as a motion
    local i n=${5:-6}
    pointer mousemove "$1" "$2" mousedown 1
    for i in $(seq "$n"); do pointer mousemove $(($1 + $3 * i / n)) $(($2 + $4 * i / n)) sleep 0.05; done
    pointer mouseup 1
}
# The panel's menu (of the program's class too), then its first item, clicked where drawn so as to need no grab.
open_menu() { # open_menu PANEL : echoes the menu's id
    click "$1" 3
    wait_for 10 eval "windows_of presenter-countdown | grep -vx $1"
}
open_settings() { # open_settings MENU : echoes the settings window's id
    click "$1" 1 "$(geometry "$1" | awk '{ print int($3 / 4) }')" 12
    wait_for 10 xdotool search --onlyvisible --name 'Presenter Countdown Settings'
}
