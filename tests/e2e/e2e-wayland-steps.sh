#!/usr/bin/env bash
# The steps of one Wayland end-to-end case, run by e2e-wayland-case.sh in a process group of its own.
# Every step waits for the condition it needs, never for a fixed time. X11 tools (xdotool, xprop) reach
# the panel through the compositor's Xwayland; everything about native windows comes from the
# compositor itself, through compositor.py.

# shellcheck source=e2e-steps.sh
source "$(dirname "${BASH_SOURCE[0]}")/e2e-steps.sh"

e2e_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
panel_title='^Presenter Countdown$'
settings_title='^Presenter Countdown Settings$'

ask() { /usr/bin/python3 "$e2e_dir/compositor.py" "$COMPOSITOR" "$@"; }

# A bus of our own: a private daemon in this process group, so that it ends with the case.
start_bus() { # start_bus VARIABLE
    local address_file=$E2E_OUT/$1.address
    dbus-daemon --session --nofork --print-address=3 3>"$address_file" >/dev/null 2>&1 &
    wait_for 10 grep -q . "$address_file" || return 1
    export "$1=$(head -n 1 "$address_file")"
}

start_kwin() {
    # The packaged binary carries file capabilities, which a container may refuse to execute.
    cp "$(command -v kwin_wayland)" "$E2E_OUT/kwin_wayland"
    # No animations, so that a screenshot shows the workspace switched to, not a slide between two.
    printf '[KDE]\nAnimationDurationFactor=0\n' >"$XDG_CONFIG_HOME/kdeglobals"
    export KWIN_LOG=$E2E_OUT/kwin.log
    # KWin starts the programs named on its command line once Xwayland is up, with DISPLAY set.
    KWIN_SCREENSHOT_NO_PERMISSION_CHECKS=1 QT_LOGGING_RULES='kwin_scripting.debug=true' \
        "$E2E_OUT/kwin_wayland" --virtual --xwayland --width 1280 --height 720 --socket pc-wayland \
        --no-lockscreen --no-global-shortcuts --no-kactivities \
        "sh -c 'echo \"\$DISPLAY\" >$E2E_OUT/x-display'" >"$KWIN_LOG" 2>&1 &
    export WAYLAND_DISPLAY=pc-wayland
    wait_for 60 grep -q . "$E2E_OUT/x-display" || return 1
    export DISPLAY
    DISPLAY=$(cat "$E2E_OUT/x-display")
    wait_for 30 ask windows
}

start_gnome() {
    start_bus DBUS_SYSTEM_BUS_ADDRESS || return 1 # GNOME Shell stops without a system bus
    export WAYLAND_DISPLAY=pc-wayland
    # Now and then the shell hangs for a minute at start and its Xwayland gives up; a second start has
    # always come up.
    local attempt shell
    for attempt in 1 2; do
        GSETTINGS_BACKEND=memory gnome-shell --wayland --headless --virtual-monitor 1280x720 --unsafe-mode \
            --wayland-display pc-wayland >"$E2E_OUT/gnome-shell-$attempt.log" 2>&1 &
        shell=$!
        wait_for 40 ask windows && break
        echo "GNOME Shell did not answer in 40 s (start $attempt)"
        kill "$shell"
        wait "$shell"
        [ "$attempt" -eq 2 ] && return 1
    done
    local environment
    environment=$(gdbus call --session --dest org.gnome.Shell --object-path /org/gnome/Shell \
        --method org.gnome.Shell.Eval \
        'imports.gi.GLib.getenv("DISPLAY") + " " + imports.gi.GLib.getenv("XAUTHORITY")')
    # (true, '":0 /run/…/.mutter-Xwaylandauth.ABC"')
    environment=${environment#*\'\"}
    environment=${environment%\"\'*}
    export DISPLAY=${environment%% *} XAUTHORITY=${environment#* }
    # The settings object runs in the shell's own memory.
    gdbus call --session --dest org.gnome.Shell --object-path /org/gnome/Shell --method org.gnome.Shell.Eval \
        'new imports.gi.Gio.Settings({schema_id: "org.gnome.desktop.interface"}).set_boolean("enable-animations", false)' \
        >/dev/null
    wait_for 20 hide_overview
}

# The session opens in the overview, which ignores a request to hide while it is still opening: asked
# until it is gone.
hide_overview() {
    gdbus call --session --dest org.gnome.Shell --object-path /org/gnome/Shell --method org.gnome.Shell.Eval \
        'Main.overview.hide(); Main.overview.visible' | grep -q "'false'"
}

start_sway() {
    # sway draws into a window on a private Xvfb, whose pointer, moved by xdotool there, is a real mouse
    # to sway; its headless backend has no pointer at all.
    start_xvfb || return 1
    export OUTER_DISPLAY=$DISPLAY
    xhost +si:localuser:nobody >/dev/null
    # sway refuses to run as root, and its Xwayland then refuses root's X clients until told otherwise.
    local runtime=$XDG_RUNTIME_DIR
    chmod o+x "$E2E_OUT"
    chown nobody "$runtime"
    cat >"$runtime/sway.conf" <<EOF
xwayland force
output X11-1 resolution 1280x720 position 0 0
exec sh -c 'xhost +si:localuser:root && env >$runtime/sway-env'
EOF
    env -i PATH="$PATH" HOME="$runtime" XDG_RUNTIME_DIR="$runtime" DISPLAY="$OUTER_DISPLAY" WLR_BACKENDS=x11 \
        WLR_RENDERER=pixman setpriv --reuid=nobody --regid=nogroup --clear-groups sway -c "$runtime/sway.conf" \
        >"$E2E_OUT/sway.log" 2>&1 &
    wait_for 60 grep -q '^SWAYSOCK=' "$runtime/sway-env" || return 1
    export DISPLAY SWAYSOCK WAYLAND_DISPLAY
    DISPLAY=$(sed -n 's/^DISPLAY=//p' "$runtime/sway-env")
    SWAYSOCK=$(sed -n 's/^SWAYSOCK=//p' "$runtime/sway-env")
    WAYLAND_DISPLAY=$(sed -n 's/^WAYLAND_DISPLAY=//p' "$runtime/sway-env")
    wait_for 20 xdpyinfo
}

# The panel as a user's Wayland session starts it: both displays set, no platform chosen.
start_panel() {
    XDG_SESSION_TYPE=wayland "$PC_BINARY" >"$E2E_OUT/panel.log" 2>&1 &
    wait_for 30 visible_window presenter-countdown
}

# A native Wayland full-screen window; DISPLAY is hidden from it, so that it cannot use XWayland.
start_native_full_screen() { # start_native_full_screen terminal|libreoffice : echoes its title
    case $1 in
        libreoffice)
            cp "$e2e_dir/talk.fodp" "$E2E_OUT/talk.fodp"
            env -u DISPLAY -u XAUTHORITY SAL_USE_VCLPLUGIN=gtk3 GDK_BACKEND=wayland \
                soffice --nologo --norestore --nodefault "-env:UserInstallation=file://$E2E_OUT/lo-profile" \
                --show "$E2E_OUT/talk.fodp" >"$E2E_OUT/soffice.log" 2>&1 &
            echo '^Presenting: '
            ;;
        *)
            env -u DISPLAY -u XAUTHORITY weston-terminal --fullscreen --shell=/bin/cat \
                >"$E2E_OUT/weston-terminal.log" 2>&1 &
            echo '^Wayland Terminal$'
            ;;
    esac
}

# The panel's background is pure red and nothing else on screen is; the screenshot is the compositor's.
panel_shown() { # panel_shown NAME
    ask shot "$E2E_OUT/$1.png" || return 1
    local share
    share=$(convert "$E2E_OUT/$1.png" -fill black +opaque '#ff0000' -fill white -opaque '#ff0000' \
        -format '%[fx:mean]' info:)
    echo "red share in $1.png: $share"
    awk -v s="$share" 'BEGIN { exit !(s > 0.005) }'
}

# The size of the red area in a screenshot: the panel as the compositor draws it.
red_size() { # red_size NAME : "WIDTH HEIGHT"
    convert "$E2E_OUT/$1.png" -fill black +opaque '#ff0000' -trim -format '%w %h' info:
}

open_settings() { # open_settings PANEL : echoes the settings window's X11 id
    local panel=$1 x y w h menu
    read -r x y w h < <(geometry "$panel")
    xdotool mousemove $((x + w / 2)) $((y + h / 2)) click 3
    wait_for 10 newer_window presenter-countdown "$panel" || return 1
    menu=$(newer_window presenter-countdown "$panel")
    read -r x y w h < <(geometry "$menu")
    xdotool mousemove $((x + w / 4)) $((y + 12)) click 1
    wait_for 10 xdotool search --onlyvisible --name 'Presenter Countdown Settings' || return 1
    xdotool search --onlyvisible --name 'Presenter Countdown Settings' | head -n 1
}

both_near() { near "$1" "$2" "$5" && near "$3" "$4" "$5"; } # both_near A EXPECTED_A B EXPECTED_B TOLERANCE

says_nothing() { ! grep -q '^presenter-countdown:' "$1"; } # says_nothing LOG : no notice of the program's

says_once() { [ "$(grep -c '^presenter-countdown: on native Wayland the panel cannot stay above' "$1")" -eq 1 ]; }

# Native Wayland chosen by the user: one plain line on standard error says what is lost.
native_wayland_steps() {
    local log=$E2E_OUT/native-panel.log native
    # A bus of its own (none at all), or it would hand its command line to the panel already running.
    env -u DISPLAY -u XAUTHORITY QT_QPA_PLATFORM=wayland XDG_SESSION_TYPE=wayland \
        DBUS_SESSION_BUS_ADDRESS="unix:path=$E2E_OUT/no-session-bus" "$PC_BINARY" >"$log" 2>&1 &
    native=$!
    check "native Wayland: the program says once that the panel cannot stay on top" wait_for 20 says_once "$log"
    kill "$native" 2>/dev/null
    wait "$native" 2>/dev/null
}

# An override-redirect window is in no container of sway's tree, tiled or floating.
sway_leaves_panel_alone() {
    local windows
    windows=$(ask windows) || return 1
    ! grep -q '"title": "Presenter Countdown"' <<<"$windows"
}

sway_steps() { # sway_steps PANEL SLIDE_TITLE
    local panel=$1 slide=$2 x y w h
    check "panel is never tiled: sway manages no window of it" sway_leaves_panel_alone
    read -r x y w h < <(geometry "$panel")
    # Qt's first size for the panel: 400 x 150, with a shadow margin of 14 on each side.
    check "panel keeps its own size" sized "$panel" 428 178 2
    local rw rh
    read -r rw rh < <(red_size above-fullscreen)
    echo "panel ${w}x$h at $x,$y; red area ${rw}x$rh"
    check "sway draws the panel at its own size" both_near "$rw" 400 "$rh" 150 4

    # The mouse of the X server that sway draws into, not XTEST inside Xwayland: input passes through sway
    # as a presenter's mouse does.
    DISPLAY=$OUTER_DISPLAY drag $((x + w / 2)) $((y + h / 2)) 120 90
    check "a mouse drags the panel above the full-screen window" wait_for 10 at "$panel" $((x + 120)) $((y + 90)) 12
    check "the full-screen window keeps the keyboard after the drag" holds 1 ask active "$slide"
    DISPLAY=$OUTER_DISPLAY xdotool mousemove $((x + 120 + w / 2)) $((y + 90 + h / 2)) click 1
    check "clicking the panel leaves the full-screen window the keyboard" holds 1 ask active "$slide"
    read -r x y w h < <(geometry "$panel")
    # sway holds no pointer grab for an override-redirect window: a motion that leaves the panel before
    # it has grown goes elsewhere. A mouse reports small steps, and so does this drag.
    local i from_x=$((x + w - 20)) from_y=$((y + h - 20)) # the visible corner, not the shadow
    DISPLAY=$OUTER_DISPLAY xdotool mousemove $from_x $from_y mousedown 1
    for i in $(seq 40); do
        DISPLAY=$OUTER_DISPLAY xdotool mousemove $((from_x + 4 * i)) $((from_y + 7 * i / 4))
        sleep 0.02 # a hand's pace
    done
    DISPLAY=$OUTER_DISPLAY xdotool mouseup 1
    check "a mouse resizes the panel by its corner" wait_for 10 sized "$panel" $((w + 160)) $((h + 70)) 12
    echo "resize: $x,$y ${w}x$h -> $(geometry "$panel")"
    check "the full-screen window keeps the keyboard after the resize" holds 1 ask active "$slide"
    check "panel is still above after the drag" wait_for 10 panel_shown after-drag
}

run_wayland_case() { # run_wayland_case kwin|gnome|sway [--libreoffice] [--panel-first]
    export COMPOSITOR=$1
    shift
    local show=terminal panel_first=false argument
    for argument in "$@"; do
        case $argument in
            --libreoffice) show=libreoffice ;;
            --panel-first) panel_first=true ;;
            *)
                echo "unknown option $argument" >&2
                return 1
                ;;
        esac
    done

    # Nothing of the case reaches the user's own files.
    export HOME=$E2E_OUT/home XDG_CONFIG_HOME=$E2E_OUT/config XDG_DATA_HOME=$E2E_OUT/data \
        XDG_CACHE_HOME=$E2E_OUT/cache XDG_STATE_HOME=$E2E_OUT/state XDG_RUNTIME_DIR=$E2E_OUT/runtime
    mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME" "$XDG_STATE_HOME"
    mkdir -p "$XDG_RUNTIME_DIR"
    chmod 700 "$XDG_RUNTIME_DIR"
    write_settings
    start_bus DBUS_SESSION_BUS_ADDRESS
    check "compositor $COMPOSITOR started with Xwayland" "start_$COMPOSITOR" || return 1

    local slide panel
    if $panel_first; then
        start_panel
        panel=$(visible_window presenter-countdown)
        check "panel window is mapped" test -n "$panel" || return 1
    fi
    slide=$(start_native_full_screen "$show")
    check "native full-screen window is up" wait_for 90 ask full-screen-up "$slide" || return 1
    # LibreOffice's --show maps its editor window too, and which of the two gets the keyboard first is a
    # race; a presenter would click the slide show.
    if ! wait_for 5 ask full-screen "$slide"; then
        echo "giving the keyboard to the slide show, as a click on it would"
        ask activate "$slide"
    fi
    check "native full-screen window has the keyboard" wait_for 10 ask full-screen "$slide" || return 1
    if ! $panel_first; then
        start_panel
        panel=$(visible_window presenter-countdown)
        check "panel window is mapped" test -n "$panel" || return 1
    fi
    ask windows >"$E2E_OUT/windows.txt"
    check "the panel chose XWayland by itself and said nothing" says_nothing "$E2E_OUT/panel.log"
    [ "$COMPOSITOR" = sway ] || check "the compositor sees the panel as an XWayland window" ask x11 "$panel_title"

    check "panel is visible above the focused full-screen window" wait_for 20 panel_shown above-fullscreen
    check "full-screen window keeps the keyboard" holds 1 ask active "$slide"

    if [ "$COMPOSITOR" = sway ]; then
        sway_steps "$panel" "$slide"
    else
        check "the compositor stacks the panel above the full-screen window" ask above "$panel_title" "$slide"
        local x y w h
        read -r x y w h < <(geometry "$panel")
        xdotool mousemove $((x + w / 2)) $((y + h / 2)) click 1
        check "clicking the panel leaves the full-screen window the keyboard" holds 1 ask active "$slide"

        local settings
        settings=$(open_settings "$panel")
        check "settings window opens from the panel's menu" test -n "$settings"
        if [ -n "$settings" ]; then
            check "settings window is above the full-screen window" wait_for 10 ask above "$settings_title" "$slide"
            ask shot "$E2E_OUT/settings-window.png"
            ask windows >"$E2E_OUT/windows-settings.txt"
            wmctrl -i -c "$settings"
            check "the compositor's close request closes the settings window" wait_for 10 unmapped "$settings"
        fi
    fi

    ask workspace 1
    check "panel is visible on a second workspace" wait_for 10 panel_shown second-workspace
    [ "$COMPOSITOR" = sway ] || check "the compositor shows the panel on every workspace" ask on-all-workspaces "$panel_title"
    ask workspace 0

    if [ "$COMPOSITOR" != sway ] && [ "$show" = terminal ] && ! $panel_first; then
        native_wayland_steps
    fi
}
