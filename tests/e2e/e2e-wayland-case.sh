#!/usr/bin/env bash
# One end-to-end case in a Wayland session on a headless compositor, with a native Wayland full-screen
# window; the panel runs through XWayland, as it chooses by itself when it finds both WAYLAND_DISPLAY and
# DISPLAY. X11 tools reach it through the compositor's Xwayland, compositor.py asks the compositor.
#   tests/e2e/e2e-wayland-case.sh kwin|gnome|sway [--libreoffice] [--panel-first]
# The full-screen window is weston-terminal, or with --libreoffice a LibreOffice Impress slide show on GTK's
# Wayland backend; the panel starts after it, or before it with --panel-first.
# shellcheck source=case-lib.sh
source "$(dirname "$0")/case-lib.sh"

ask() { /usr/bin/python3 "$e2e_dir/compositor.py" "$COMPOSITOR" "$@"; }
shoot() { ask shot "$1"; }
native() { env -u DISPLAY -u XAUTHORITY "$@"; } # a native Wayland program, which cannot use XWayland
# Native Wayland chosen by the user: one plain line on standard error says what is lost. That panel runs
# without a bus, or it would hand its command line to the one already running.
native_says_once() {
    local log=$E2E_OUT/native-panel.log notice='^presenter-countdown: on native Wayland the panel cannot stay above'
    native QT_QPA_PLATFORM=wayland XDG_SESSION_TYPE=wayland DBUS_SESSION_BUS_ADDRESS="unix:path=$E2E_OUT/no-bus" \
        "$PC_BINARY" >"$log" 2>&1 &
    wait_for 20 grep -q "$notice" "$log" && [ "$(grep -c "$notice" "$log")" = 1 ]
}

start_kwin() {
    # The packaged binary carries file capabilities, which a container may refuse to execute; no animations,
    # so that a screenshot shows the workspace switched to, not a slide between two.
    cp "$(command -v kwin_wayland)" "$E2E_OUT/kwin_wayland"
    printf '[KDE]\nAnimationDurationFactor=0\n' >"$XDG_CONFIG_HOME/kdeglobals"
    # KWin starts the programs named on its command line once Xwayland is up, with DISPLAY set.
    KWIN_SCREENSHOT_NO_PERMISSION_CHECKS=1 QT_LOGGING_RULES='kwin_scripting.debug=true' "$E2E_OUT/kwin_wayland" \
        --virtual --xwayland --width 1280 --height 720 --socket pc-wayland --no-lockscreen --no-global-shortcuts \
        --no-kactivities "sh -c 'echo \"\$DISPLAY\" >$E2E_OUT/x-display'" >"$E2E_OUT/kwin.log" 2>&1 &
    export WAYLAND_DISPLAY=pc-wayland DISPLAY KWIN_LOG=$E2E_OUT/kwin.log
    DISPLAY=$(wait_for 60 grep . "$E2E_OUT/x-display") && wait_for 30 ask windows >/dev/null
}

shell_eval() { # shell_eval JAVASCRIPT : GNOME Shell's answer, as JSON
    gdbus call --session --dest org.gnome.Shell --object-path /org/gnome/Shell --method org.gnome.Shell.Eval \
        "$1" | sed -n "s/^(true, '\(.*\)')\$/\1/p"
}
start_gnome() {
    start_bus DBUS_SYSTEM_BUS_ADDRESS # GNOME Shell stops without a system bus
    export WAYLAND_DISPLAY=pc-wayland DISPLAY XAUTHORITY
    # Now and then the shell hangs for a minute at start and its Xwayland gives up; a second start has always
    # come up.
    for attempt in 1 2; do
        GSETTINGS_BACKEND=memory gnome-shell --wayland --headless --virtual-monitor 1280x720 --unsafe-mode \
            --wayland-display pc-wayland >"$E2E_OUT/gnome-shell-$attempt.log" 2>&1 &
        wait_for 40 ask windows >/dev/null && break
        kill $! && wait $!
        [ $attempt = 2 ] && return 1
    done
    read -r DISPLAY XAUTHORITY < <(shell_eval 'let g = imports.gi.GLib; g.getenv("DISPLAY") + " " + g.getenv("XAUTHORITY")' |
        tr -d '"')
    # The settings object runs in the shell's own memory. The session opens in the overview, which ignores a
    # request to hide while it is still opening.
    shell_eval 'new imports.gi.Gio.Settings({schema_id: "org.gnome.desktop.interface"})
        .set_boolean("enable-animations", false)'
    wait_for 20 eval "shell_eval 'Main.overview.hide(); Main.overview.visible' | grep -qx false"
}

start_sway() {
    # sway draws into a window on a private Xvfb, whose pointer, moved by xdotool there, is a real mouse to
    # sway. It refuses to run as root, and its Xwayland then refuses root's X clients until told otherwise.
    start_xvfb && POINTER_DISPLAY=$DISPLAY || return 1
    xhost +si:localuser:nobody >/dev/null && chmod o+x "$E2E_OUT" && chown nobody "$XDG_RUNTIME_DIR"
    printf '%s\n' 'xwayland force' 'output X11-1 resolution 1280x720 position 0 0' \
        "exec sh -c 'xhost +si:localuser:root && env >$XDG_RUNTIME_DIR/sway-env'" >"$XDG_RUNTIME_DIR/sway.conf"
    env -i PATH="$PATH" HOME="$XDG_RUNTIME_DIR" XDG_RUNTIME_DIR="$XDG_RUNTIME_DIR" DISPLAY="$DISPLAY" \
        WLR_BACKENDS=x11 WLR_RENDERER=pixman setpriv --reuid=nobody --regid=nogroup --clear-groups \
        sway -c "$XDG_RUNTIME_DIR/sway.conf" >"$E2E_OUT/sway.log" 2>&1 &
    wait_for 60 grep -q '^SWAYSOCK=' "$XDG_RUNTIME_DIR/sway-env" || return 1
    mapfile -t environment < <(grep -E '^(DISPLAY|SWAYSOCK|WAYLAND_DISPLAY)=' "$XDG_RUNTIME_DIR/sway-env")
    export "${environment[@]}"
    wait_for 20 xdpyinfo >/dev/null
}

run_steps() { # run_steps kwin|gnome|sway [--libreoffice] [--panel-first]
    COMPOSITOR=$1
    # shellcheck disable=SC2034 # for the steps' table
    local key=${*//--/} title='^Presenter Countdown$'
    [ "$1" = sway ] || key+=' ewmh' # KWin and GNOME Shell honour X11 windows' requests to stay on top
    [[ $key == *libreoffice* ]] || key+=' terminal'
    [[ $key == *panel-first* ]] || key+=' panel-after'
    start_bus DBUS_SESSION_BUS_ADDRESS
    steps "$key" <<'EOF'
    ! compositor $COMPOSITOR started with Xwayland | start_$COMPOSITOR
    # The panel as a user's Wayland session starts it: both displays set, no platform chosen.
    [panel-first] ! panel window is mapped | start_panel XDG_SESSION_TYPE=wayland
    [terminal] - | slide='^Wayland Terminal$'; native weston-terminal --fullscreen --shell=/bin/cat >/dev/null 2>&1 &
    [libreoffice] - | slide='^Presenting: '; start_impress native GDK_BACKEND=wayland
    ! native full-screen window is up | wait_for 90 ask full-screen-up "$slide"
    # LibreOffice's --show maps its editor window too, and which of the two gets the keyboard first is a race;
    # a presenter would click the slide show.
    - | wait_for 5 ask full-screen "$slide" || ask activate "$slide"
    ! native full-screen window has the keyboard | wait_for 10 ask full-screen "$slide"
    [panel-after] ! panel window is mapped | start_panel XDG_SESSION_TYPE=wayland
    the panel chose XWayland by itself and said nothing | ! grep -q '^presenter-countdown:' "$E2E_OUT/panel.log"
    [ewmh] the compositor sees the panel as an XWayland window | ask x11 "$title"
    panel is visible above the focused full-screen window | wait_for 20 panel_shown above-fullscreen
    full-screen window keeps the keyboard | holds 1 ask active "$slide"
    [ewmh] the compositor stacks the panel above the full-screen window | ask above "$title" "$slide"
    [sway] panel is never tiled: sway manages no window of it | w=$(ask windows) && ! grep -q '"Presenter' <<<"$w"
    # Qt's first size for the panel: 400 x 150, with a shadow margin of 14 on each side.
    [sway] panel keeps its own size | placed "$panel" - - 428 178 2
    [sway] sway draws the panel at its own size | red above-fullscreen 'abs(w - 400) <= 4 && abs(h - 150) <= 4' -trim
    [sway] - | read -r x y w h < <(geometry "$panel") && drag $((x + w / 2)) $((y + h / 2)) 120 90
    [sway] a mouse drags the panel above the full-screen window | wait_for 10 placed "$panel" $((x + 120)) $((y + 90)) - - 12
    [sway] the full-screen window keeps the keyboard after the drag | holds 1 ask active "$slide"
    clicking the panel leaves the full-screen window the keyboard | click "$panel" 1; holds 1 ask active "$slide"
    [ewmh] settings window opens from the panel's menu | menu=$(open_menu "$panel") && settings=$(open_settings "$menu")
    [ewmh] settings window is above the full-screen window | wait_for 10 ask above "${title%$} Settings$" "$slide"
    [ewmh] - | wmctrl -i -c "$settings"
    [ewmh] the compositor's close request closes the settings window | wait_for 10 unmapped "$settings"
    # sway holds no pointer grab for an override-redirect window: a motion that leaves the panel before it
    # has grown goes elsewhere. A mouse reports small steps, and so does this drag, from the visible corner.
    [sway] - | read -r x y w h < <(geometry "$panel") && drag $((x + w - 20)) $((y + h - 20)) 160 70 40
    [sway] a mouse resizes the panel by its corner | wait_for 10 placed "$panel" - - $((w + 160)) $((h + 70)) 12
    [sway] the full-screen window keeps the keyboard after the resize | holds 1 ask active "$slide"
    [sway] panel is still above after the drag | wait_for 10 panel_shown after-drag
    panel is visible on a second workspace | ask workspace 1 && wait_for 10 panel_shown second-workspace
    [ewmh] the compositor shows the panel on every workspace | ask on-all-workspaces "$title"
    [ewmh terminal panel-after] native Wayland: the program says once that the panel cannot stay on top | native_says_once
EOF
}

e2e_main "$@"
