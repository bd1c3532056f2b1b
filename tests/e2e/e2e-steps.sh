#!/usr/bin/env bash
# The steps of one end-to-end case, run by e2e-case.sh inside its own X and D-Bus session. Every step
# waits for the condition it needs, never for a fixed time: managers differ widely in speed.

# shellcheck source=../../scripts/xvfb-lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/xvfb-lib.sh"

check() { # check NAME CONDITION...
    local name=$1
    shift
    if "$@"; then
        echo "PASS $name"
    else
        echo "FAIL $name"
        return 1 # so that a step the rest depends on can end the case
    fi
}

start_wm() {
    case $1 in
        openbox) openbox --sm-disable ;;
        xfwm4) xfwm4 --compositor=off ;;
        xfwm4-compositing) xfwm4 --compositor=on ;;
        mutter) mutter --x11 --replace ;;
        kwin) KWIN_COMPOSE=N kwin_x11 --replace ;;
        *)
            echo "unknown window manager $1" >&2
            return 1
            ;;
    esac
}

wait_for() { # wait_for SECONDS COMMAND... : until the command succeeds
    local until=$((SECONDS + $1))
    shift
    until "$@" >/dev/null 2>&1; do
        [ $SECONDS -ge $until ] && return 1
        sleep 0.2
    done
}

holds() { # holds SECONDS COMMAND... : the command keeps succeeding that long (for what must not change)
    local until=$((SECONDS + $1))
    shift
    while [ $SECONDS -lt $until ]; do
        "$@" >/dev/null 2>&1 || return 1
        sleep 0.2
    done
}

wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'; }

desktops_are() { [ "$(wmctrl -d | wc -l)" -eq "$1" ]; }
current_desktop_is() { wmctrl -d | grep -q "^$1 *\*"; }

visible_window() { # visible_window CLASS : the largest mapped window of that class
    local best='' area=0 id
    for id in $(xdotool search --onlyvisible --class "$1" 2>/dev/null); do
        eval "$(xdotool getwindowgeometry --shell "$id")"
        if [ $((WIDTH * HEIGHT)) -gt $area ]; then
            area=$((WIDTH * HEIGHT))
            best=$id
        fi
    done
    [ -n "$best" ] && echo "$best"
}

# Windows of a class the program opened after these (menus have the program's class too).
newer_window() { # newer_window CLASS KNOWN_IDS...
    local class=$1 id
    shift
    for id in $(xdotool search --onlyvisible --class "$class" 2>/dev/null); do
        [[ " $* " == *" $id "* ]] || { echo "$id" && return 0; }
    done
    return 1
}

geometry() { # geometry WINDOW : "X Y WIDTH HEIGHT"
    eval "$(xdotool getwindowgeometry --shell "$1")"
    echo "$X $Y $WIDTH $HEIGHT"
}

near() { # near ACTUAL EXPECTED TOLERANCE
    local d=$(($1 - $2))
    [ ${d#-} -le "$3" ]
}

at() { # at WINDOW X Y TOLERANCE : its top-left corner is there
    local x y w h
    read -r x y w h < <(geometry "$1")
    near "$x" "$2" "$4" && near "$y" "$3" "$4"
}

sized() { # sized WINDOW WIDTH HEIGHT TOLERANCE
    local x y w h
    read -r x y w h < <(geometry "$1")
    near "$w" "$2" "$4" && near "$h" "$3" "$4"
}

has_property() { # has_property WINDOW PROPERTY VALUE
    xprop -id "$1" "$2" | grep -qw -- "$3"
}

frame_top() { # frame_top WINDOW : the height of the title bar and border the manager drew above it
    xprop -id "$1" _NET_FRAME_EXTENTS | sed -n 's/.*= *[0-9]*, *[0-9]*, *\([0-9]*\),.*/\1/p'
}

has_frame() { [ "$(frame_top "$1")" -gt 0 ] 2>/dev/null; }

unmapped() { ! xwininfo -id "$1" 2>/dev/null | grep -q IsViewable; }

# The panel's background is pure red; nothing else on screen is.
panel_on_screen() { # panel_on_screen NAME
    import -window root "$E2E_OUT/$1.png"
    local share
    share=$(convert "$E2E_OUT/$1.png" -fill black +opaque '#ff0000' -fill white -opaque '#ff0000' \
        -format '%[fx:mean]' info:)
    echo "red share in $1.png: $share"
    awk -v s="$share" 'BEGIN { exit !(s > 0.005) }'
}

is_active() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]; }
is_not_active() { ! is_active "$1"; }

stacked_above() { # stacked_above UPPER LOWER : by the window manager's own stacking list
    local stack upper=$(($1)) lower=$(($2)) i=0 pu=-1 pl=-1 id
    stack=$(xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //; s/,//g')
    for id in $stack; do
        [ $((id)) -eq $upper ] && pu=$i
        [ $((id)) -eq $lower ] && pl=$i
        i=$((i + 1))
    done
    [ $pu -gt $pl ] && [ $pl -ge 0 ]
}

drag() { # drag FROM_X FROM_Y DX DY : press, move in steps, release
    local i
    xdotool mousemove "$1" "$2" mousedown 1
    for i in 1 2 3 4 5 6; do
        xdotool mousemove $(($1 + $3 * i / 6)) $(($2 + $4 * i / 6))
        sleep 0.05 # pacing the pointer like a hand, so that every step arrives as a motion
    done
    xdotool mouseup 1
}

activate() { # activate WINDOW : and wait until the manager made it active
    xdotool windowactivate "$1" 2>/dev/null
    wait_for 10 is_active "$1"
}

write_settings() {
    # Red background, so the panel can be found in a screenshot wherever the window manager put it.
    local settings
    settings=$(settings_file "$(dirname "$PC_BINARY")")
    mkdir -p "$(dirname "$settings")"
    printf '[General]\nZKVBgColor=@ByteArray(\\x1\\xff\\xff\\xff\\xff\\0\\0\\0\\0\\0\\0)\n' >"$settings"
}


is_full_screen() { has_property "$1" _NET_WM_STATE _NET_WM_STATE_FULLSCREEN; }

start_slide_show() { # start_slide_show [libreoffice|xterm] : echoes the full-screen window's id
    local id
    case $1 in
        libreoffice)
            cp "$(dirname "${BASH_SOURCE[0]}")/talk.fodp" "$E2E_OUT/talk.fodp"
            SAL_USE_VCLPLUGIN=gtk3 soffice --nologo --norestore --nodefault --show "$E2E_OUT/talk.fodp" \
                >"$E2E_OUT/soffice.log" 2>&1 &
            wait_for 90 xdotool search --onlyvisible --name '^Presenting: ' || return 1
            id=$(xdotool search --onlyvisible --name '^Presenting: ' | head -n 1)
            ;;
        xterm)
            # A program nobody would list as a slide-show program, full screen by its own request.
            xterm -fullscreen -T 'Talk in a terminal' -bg navy -e sleep 600 >/dev/null 2>&1 &
            wait_for 20 xdotool search --onlyvisible --name '^Talk in a terminal$' || return 1
            id=$(xdotool search --onlyvisible --name '^Talk in a terminal$' | head -n 1)
            ;;
        *)
            xterm -class Slideshow -bg blue -e sleep 600 >/dev/null 2>&1 &
            wait_for 20 xdotool search --onlyvisible --class Slideshow || return 1
            id=$(xdotool search --onlyvisible --class Slideshow | head -n 1)
            wmctrl -i -r "$id" -b add,fullscreen
            ;;
    esac
    wait_for 20 is_full_screen "$id" || return 1
    activate "$id"
    echo "$id"
}

# The settings window, opened from the panel's menu over the slide show: above it, and an ordinary
# window that the manager frames, moves and closes.
settings_window_steps() { # settings_window_steps PANEL SLIDE
    local panel=$1 slide=$2 x y w h menu settings
    activate "$slide"
    read -r x y w h < <(geometry "$panel")
    xdotool mousemove $((x + w / 2)) $((y + h / 2)) click 3
    wait_for 10 newer_window presenter-countdown "$panel"
    menu=$(newer_window presenter-countdown "$panel")
    check "the panel's menu opens" test -n "$menu" || return 1
    # The pointer goes where the menu is drawn, so the click needs no keyboard grab to arrive.
    read -r x y w h < <(geometry "$menu")
    xdotool mousemove $((x + w / 4)) $((y + 12)) click 1
    wait_for 10 xdotool search --onlyvisible --name 'Presenter Countdown Settings'
    settings=$(xdotool search --onlyvisible --name 'Presenter Countdown Settings' | head -n 1)
    check "settings window opens from the menu" test -n "$settings" || return 1
    check "settings window is above the full-screen window" wait_for 10 stacked_above "$settings" "$slide"
    import -window root "$E2E_OUT/settings-window.png"
    xprop -id "$settings" _NET_WM_WINDOW_TYPE _NET_WM_STATE _NET_WM_ALLOWED_ACTIONS _NET_FRAME_EXTENTS \
        >"$E2E_OUT/settings-props.txt" 2>&1

    check "settings window has a title bar" wait_for 10 has_frame "$settings"
    check "settings window may be moved" has_property "$settings" _NET_WM_ALLOWED_ACTIONS _NET_WM_ACTION_MOVE
    read -r x y w h < <(geometry "$settings")
    local to_x=$((x > 300 ? 100 : 600)) to_y=$((y > 200 ? 80 : 300))
    wmctrl -i -r "$settings" -e "0,$to_x,$to_y,-1,-1"
    # The manager may place the frame or the window itself there.
    check "the window manager moves the settings window" wait_for 10 at "$settings" $to_x $to_y 60
    wmctrl -i -c "$settings"
    check "the window manager's close request closes the settings window" wait_for 10 unmapped "$settings"
}

run_case() { # run_case WM [--libreoffice|--xterm]
    local wm=$1 show=${2:-}
    show=${show#--}
    write_settings
    start_wm "$wm" >"$E2E_OUT/wm.log" 2>&1 &
    check "window manager $wm started" wait_for 30 wm_running || return 1
    # Managers answer clients' requests only some time after they announce themselves; asking until
    # the request takes effect also tells when they are ready.
    wait_for 30 eval 'wmctrl -n 4; desktops_are 4'

    local slide panel
    slide=$(start_slide_show "$show")
    check "full-screen window is up and active" test -n "$slide" || return 1
    check "full-screen window is active" is_active "$slide"

    "$PC_BINARY" >"$E2E_OUT/panel.log" 2>&1 &
    local program=$!
    wait_for 20 visible_window presenter-countdown
    panel=$(visible_window presenter-countdown)
    check "panel window is mapped" test -n "$panel" || return 1
    xprop -id "$panel" _NET_WM_STATE _NET_WM_WINDOW_TYPE _NET_WM_DESKTOP WM_HINTS >"$E2E_OUT/panel-props.txt" 2>&1

    check "panel is visible above the focused full-screen window" wait_for 10 panel_on_screen above-fullscreen
    check "full-screen window keeps the keyboard when the panel appears" holds 1 is_active "$slide"

    local x y w h
    read -r x y w h < <(geometry "$panel")
    xdotool mousemove $((x + w / 2)) $((y + h / 2)) click 1
    check "clicking the panel leaves the full-screen window active" holds 1 is_active "$slide"

    drag $((x + w / 2)) $((y + h / 2)) 120 90
    check "dragging the background moves the panel" wait_for 10 at "$panel" $((x + 120)) $((y + 90)) 12
    local x2 y2 w2 h2
    read -r x2 y2 w2 h2 < <(geometry "$panel")
    echo "drag: $x,$y ${w}x$h -> $x2,$y2 ${w2}x$h2"
    check "dragging keeps the size" sized "$panel" "$w" "$h" 2
    check "dragging leaves the full-screen window active" holds 1 is_active "$slide"

    # Someone else takes the keyboard; a resize of the panel must hand it back to the slide show. That
    # the slide show has it again also tells that the hand-back is over, which would otherwise cover
    # windows opened in the next second.
    xterm -class Intruder -geometry 40x5+0+0 -e sleep 600 >/dev/null 2>&1 &
    wait_for 20 xdotool search --onlyvisible --class Intruder
    activate "$(xdotool search --onlyvisible --class Intruder | head -n 1)"
    check "another window took the keyboard" is_not_active "$slide"
    xdotool windowraise "$panel" 2>/dev/null

    drag $((x2 + w2 - 3)) $((y2 + h2 - 3)) 160 70
    check "dragging the corner resizes the panel" wait_for 10 sized "$panel" $((w2 + 160)) $((h2 + 70)) 12
    local x3 y3 w3 h3
    read -r x3 y3 w3 h3 < <(geometry "$panel")
    echo "resize: $x2,$y2 ${w2}x$h2 -> $x3,$y3 ${w3}x$h3"
    check "full-screen window gets the keyboard back after the resize" wait_for 10 is_active "$slide"
    check "panel is still above after the resize" wait_for 10 panel_on_screen after-resize

    wmctrl -s 1
    wait_for 10 current_desktop_is 1
    check "panel is on the second workspace" wait_for 10 panel_on_screen second-workspace
    wmctrl -s 0
    wait_for 10 current_desktop_is 0

    settings_window_steps "$panel" "$slide" || return 1
    come_back_steps "$panel" "$program"
}

ended() { ! kill -0 "$1" 2>/dev/null; }

come_back_steps() { # come_back_steps PANEL PID : quit from a shell, start again, the panel is where it was
    local panel=$1 program=$2 x y w h
    read -r x y w h < <(geometry "$panel")
    check "--quit from a shell ends with status 0" "$PC_BINARY" --quit
    check "the panel ends after --quit" wait_for 10 ended "$program"
    check "--pause without a panel ends with status 1" test "$("$PC_BINARY" --pause 2>/dev/null; echo $?)" = 1
    "$PC_BINARY" >>"$E2E_OUT/panel.log" 2>&1 &
    program=$!
    wait_for 20 visible_window presenter-countdown
    panel=$(visible_window presenter-countdown)
    check "the panel is shown again" test -n "$panel" || return 1
    check "the panel is back where it was" wait_for 10 at "$panel" "$x" "$y" 2
    check "the panel is back at its size" sized "$panel" "$w" "$h" 2
    check "a second start hands over and ends with status 0" "$PC_BINARY" --duration 5m
    check "a second start shows no second panel" test "$(xdotool search --onlyvisible --class presenter-countdown | wc -l)" = 1
    "$PC_BINARY" --quit
    wait_for 10 ended "$program"
}
