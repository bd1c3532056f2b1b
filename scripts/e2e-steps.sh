#!/usr/bin/env bash
# The steps of one end-to-end case, run by e2e-case.sh inside its own X and D-Bus session.

source "$(dirname "${BASH_SOURCE[0]}")/xvfb-lib.sh"

check() { # check NAME CONDITION...
    local name=$1; shift
    if "$@"; then echo "PASS $name"; else echo "FAIL $name"; fi
}

start_wm() {
    case $1 in
        openbox) openbox --sm-disable ;;
        xfwm4) xfwm4 --compositor=off ;;
        xfwm4-compositing) xfwm4 --compositor=on ;;
        mutter) mutter --x11 --replace ;;
        kwin) KWIN_COMPOSE=N kwin_x11 --replace ;;
        *) echo "unknown window manager $1" >&2; return 1 ;;
    esac
}

wait_for() { # wait_for SECONDS COMMAND... : until the command succeeds
    local until=$((SECONDS + $1)); shift
    until "$@" >/dev/null 2>&1; do
        [ $SECONDS -ge $until ] && return 1
        sleep 0.2
    done
}

wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'; }

visible_window() { # visible_window CLASS : the largest mapped window of that class
    local best= area=0 id
    for id in $(xdotool search --onlyvisible --class "$1" 2>/dev/null); do
        eval "$(xdotool getwindowgeometry --shell "$id")"
        if [ $((WIDTH * HEIGHT)) -gt $area ]; then area=$((WIDTH * HEIGHT)); best=$id; fi
    done
    [ -n "$best" ] && echo "$best"
}

geometry() { # geometry WINDOW : "X Y WIDTH HEIGHT"
    eval "$(xdotool getwindowgeometry --shell "$1")"
    echo "$X $Y $WIDTH $HEIGHT"
}

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

near() { # near ACTUAL EXPECTED TOLERANCE
    local d=$(($1 - $2)); [ ${d#-} -le $3 ]
}

drag() { # drag FROM_X FROM_Y DX DY : press, move in steps, release
    local i
    xdotool mousemove "$1" "$2" mousedown 1
    for i in 1 2 3 4 5 6; do
        xdotool mousemove $(($1 + $3 * i / 6)) $(($2 + $4 * i / 6))
        sleep 0.05
    done
    xdotool mouseup 1
}

write_settings() {
    # Red background, so the panel can be found in a screenshot wherever the window manager put it.
    local settings
    settings=$(settings_file "$(dirname "$PC_BINARY")")
    mkdir -p "$(dirname "$settings")"
    printf '[General]\nZKVBgColor=@ByteArray(\\x1\\xff\\xff\\xff\\xff\\0\\0\\0\\0\\0\\0)\n' >"$settings"
}

write_talk() {
    cat >"$E2E_OUT/talk.fodp" <<'FODP'
<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"
 xmlns:draw="urn:oasis:names:tc:opendocument:xmlns:drawing:1.0"
 xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"
 xmlns:svg="urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0"
 xmlns:presentation="urn:oasis:names:tc:opendocument:xmlns:presentation:1.0"
 office:version="1.2" office:mimetype="application/vnd.oasis.opendocument.presentation">
 <office:body><office:presentation>
  <draw:page draw:name="one"><draw:frame svg:x="2cm" svg:y="2cm" svg:width="20cm" svg:height="4cm">
   <draw:text-box><text:p>A talk</text:p></draw:text-box></draw:frame></draw:page>
  <draw:page draw:name="two"><draw:frame svg:x="2cm" svg:y="2cm" svg:width="20cm" svg:height="4cm">
   <draw:text-box><text:p>Second slide</text:p></draw:text-box></draw:frame></draw:page>
 </office:presentation></office:body>
</office:document>
FODP
}

start_slide_show() { # echoes the full-screen window's id
    local id
    if [ "$1" = libreoffice ]; then
        write_talk
        SAL_USE_VCLPLUGIN=gtk3 soffice --nologo --norestore --nodefault --show "$E2E_OUT/talk.fodp" \
            >"$E2E_OUT/soffice.log" 2>&1 &
        wait_for 90 xdotool search --onlyvisible --name '^Presenting: ' || return 1
        id=$(xdotool search --onlyvisible --name '^Presenting: ' | head -n 1)
    else
        xterm -class Slideshow -bg blue -e sleep 600 >/dev/null 2>&1 &
        wait_for 20 xdotool search --onlyvisible --class Slideshow || return 1
        id=$(xdotool search --onlyvisible --class Slideshow | head -n 1)
        wmctrl -i -r "$id" -b add,fullscreen
    fi
    sleep 1
    xdotool windowactivate "$id" 2>/dev/null
    sleep 1
    echo "$id"
}

run_case() {
    local wm=$1 show=${2:-}
    [ "$show" = --libreoffice ] && show=libreoffice
    write_settings
    start_wm "$wm" >"$E2E_OUT/wm.log" 2>&1 &
    check "window manager $wm started" wait_for 30 wm_running || return 1
    sleep 2
    wmctrl -n 4 2>/dev/null

    local slide panel
    slide=$(start_slide_show "$show")
    check "full-screen window is up and active" test -n "$slide" || return 1
    check "full-screen window is active" is_active "$slide"

    "$PC_BINARY" >"$E2E_OUT/panel.log" 2>&1 &
    wait_for 20 visible_window presenter-countdown
    sleep 2
    panel=$(visible_window presenter-countdown)
    check "panel window is mapped" test -n "$panel" || return 1
    xprop -id "$panel" _NET_WM_STATE _NET_WM_WINDOW_TYPE _NET_WM_DESKTOP WM_HINTS >"$E2E_OUT/panel-props.txt" 2>&1

    check "full-screen window keeps the keyboard when the panel appears" is_active "$slide"
    check "panel is visible above the focused full-screen window" panel_on_screen above-fullscreen

    local x y w h
    read -r x y w h < <(geometry "$panel")
    xdotool mousemove $((x + w / 2)) $((y + h / 2)) click 1
    sleep 1
    check "clicking the panel leaves the full-screen window active" is_active "$slide"

    drag $((x + w / 2)) $((y + h / 2)) 120 90
    sleep 1.5
    local x2 y2 w2 h2
    read -r x2 y2 w2 h2 < <(geometry "$panel")
    echo "drag: $x,$y ${w}x$h -> $x2,$y2 ${w2}x$h2"
    check "dragging the background moves the panel" eval 'near $x2 $((x + 120)) 12 && near $y2 $((y + 90)) 12'
    check "dragging keeps the size" eval 'near $w2 $w 2 && near $h2 $h 2'

    if [ "$show" = libreoffice ]; then
        # Someone else takes the keyboard; a resize of the panel must hand it back to the slide show.
        xterm -class Intruder -geometry 40x5+0+0 -e sleep 600 >/dev/null 2>&1 &
        wait_for 20 xdotool search --onlyvisible --class Intruder
        sleep 1
        xdotool windowactivate "$(xdotool search --onlyvisible --class Intruder | head -n 1)"
        sleep 1
        check "another window took the keyboard" eval '! is_active "$slide"'
        xdotool windowraise "$panel" 2>/dev/null
    fi

    drag $((x2 + w2 - 3)) $((y2 + h2 - 3)) 160 70
    sleep 2.5
    local x3 y3 w3 h3
    read -r x3 y3 w3 h3 < <(geometry "$panel")
    echo "resize: $x2,$y2 ${w2}x$h2 -> $x3,$y3 ${w3}x$h3"
    check "dragging the corner resizes the panel" eval 'near $w3 $((w2 + 160)) 12 && near $h3 $((h2 + 70)) 12'
    check "full-screen window is active after the resize" is_active "$slide"
    check "panel is still above after the resize" panel_on_screen after-resize

    wmctrl -s 1
    sleep 1.5
    check "panel is on the second workspace" panel_on_screen second-workspace
    wmctrl -s 0
    sleep 1

    # The settings window, opened from the panel's menu over the slide show, shows above it too.
    xdotool windowactivate "$slide" 2>/dev/null
    sleep 1
    read -r x y w h < <(geometry "$panel")
    xdotool mousemove $((x + w / 2)) $((y + h / 2)) click 3
    sleep 1
    xdotool key Down Return
    wait_for 10 xdotool search --onlyvisible --name 'Presenter Countdown Settings'
    sleep 1.5
    local settings
    settings=$(xdotool search --onlyvisible --name 'Presenter Countdown Settings' | head -n 1)
    import -window root "$E2E_OUT/settings-window.png"
    check "settings window opens from the menu" test -n "$settings"
    check "settings window is above the full-screen window" stacked_above "${settings:-0}" "$slide"
}
