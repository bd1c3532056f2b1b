#!/usr/bin/env bash
# What the X11 and the Wayland end-to-end cases share. Every step waits for the condition it needs, never
# for a fixed time: managers differ widely in speed. Screenshots and logs stay in $E2E_OUT.
set -uo pipefail
e2e_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=../../scripts/xvfb-lib.sh
source "$e2e_dir/../../scripts/xvfb-lib.sh"
export PC_BINARY=${PC_BINARY:-$e2e_dir/../../build/presenter-countdown}
export E2E_OUT=${E2E_OUT:-$(mktemp -d /tmp/pc-e2e.XXXXXX)}

# e2e_main ARGS... : runs run_steps ARGS in a session of its own, so that all it starts (managers, buses, the
# daemons they leave behind) ends with it within $E2E_TIMEOUT seconds (240), with a home and settings of its
# own. Prints the checks, labelled with ARGS; fails on any failure.
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
    mkdir -p "$E2E_OUT"
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

# steps KEY <TABLE : one step a line, "[WORDS] NAME | COMMAND", run if each of its WORDS is one of KEY's.
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

# start_bus VARIABLE : a bus of the case's own, in its process group, so that it ends with it
start_bus() {
    dbus-daemon --session --nofork --print-address=3 3>"$E2E_OUT/$1.address" >/dev/null 2>&1 &
    export "$1=$(wait_for 10 grep . "$E2E_OUT/$1.address")"
}
# start_panel [VARIABLE=VALUE...] : sets program to its process id and panel to its window
# shellcheck disable=SC2034 # for the steps' tables
start_panel() {
    env "$@" "$PC_BINARY" >>"$E2E_OUT/panel.log" 2>&1 &
    program=$!
    panel=$(wait_for 30 visible_window presenter-countdown)
}
start_impress() { # start_impress [COMMAND...] : a LibreOffice Impress slide show, under COMMAND
    cp "$e2e_dir/talk.fodp" "$E2E_OUT/talk.fodp"
    "$@" env SAL_USE_VCLPLUGIN=gtk3 soffice --nologo --norestore --nodefault \
        "-env:UserInstallation=file://$E2E_OUT/lo-profile" --show "$E2E_OUT/talk.fodp" >"$E2E_OUT/soffice.log" 2>&1 &
}

geometry() { xdotool getwindowgeometry --shell "$1" | sed -n '2,5s/.*=//p' | xargs; } # "X Y WIDTH HEIGHT"
placed() { # placed WINDOW X Y WIDTH HEIGHT TOLERANCE : its geometry, each within the tolerance ("-": any)
    local actual expected=("${@:2:4}") i
    read -ra actual < <(geometry "$1")
    for i in 0 1 2 3; do
        [ "${expected[i]}" = - ] || [ $(((actual[i] - expected[i]) ** 2)) -le $(($6 ** 2)) ] || return 1
    done
}
visible_window() { # visible_window CLASS : the largest mapped window of that class
    xdotool search --onlyvisible --class "$1" | while read -r id; do
        geometry "$id" | awk -v id="$id" '{ print $3 * $4, id }'
    done | sort -n | tail -n 1 | grep -o '[0-9]*$'
}
unmapped() { [ -n "$1" ] && ! xwininfo -id "$1" 2>/dev/null | grep -q IsViewable; }
# red SCREENSHOT CONDITION [OPERATOR...] : ImageMagick's fx condition holds for its red pixels, the panel's
red() { convert "$E2E_OUT/$1.png" -fill black +opaque '#ff0000' "${@:3}" -format "%[fx:$2]" info: | grep -qx 1; }
panel_shown() { shoot "$E2E_OUT/$1.png" && red "$1" 'mean.r > 0.005'; } # by the case's own "shoot FILE"

# The pointer: XTEST's, or the real mouse of POINTER_DISPLAY's X server, into which a compositor draws.
pointer() { DISPLAY=${POINTER_DISPLAY:-$DISPLAY} xdotool "$@"; }
click() { # click WINDOW BUTTON [X Y] : at that point of it, by default its middle
    local g
    read -ra g < <(geometry "$1")
    pointer mousemove $((g[0] + ${3:-g[2] / 2})) $((g[1] + ${4:-g[3] / 2})) click "$2"
}
drag() { # drag FROM_X FROM_Y DX DY [STEPS] : press, move in steps (6), release
    local i
    pointer mousemove "$1" "$2" mousedown 1
    for i in $(seq "${5:-6}"); do
        pointer mousemove $(($1 + $3 * i / ${5:-6})) $(($2 + $4 * i / ${5:-6}))
        sleep 0.05 # pacing the pointer like a hand, so that every step arrives as a motion
    done
    pointer mouseup 1
}
# The panel's menu (a window of the program's class too), then its first item: the settings window. The
# pointer goes where the menu is drawn, so the click needs no keyboard grab to arrive.
open_menu() { # open_menu PANEL : echoes the menu's id
    click "$1" 3
    wait_for 10 eval "xdotool search --onlyvisible --class presenter-countdown | grep -vx $1"
}
open_settings() { # open_settings MENU : echoes the settings window's id
    click "$1" 1 "$(geometry "$1" | awk '{ print int($3 / 4) }')" 12
    wait_for 10 xdotool search --onlyvisible --name 'Presenter Countdown Settings'
}
