#!/usr/bin/env bash
# One end-to-end case in a Wayland session on a headless compositor with a native full-screen window:
#   tests/e2e/e2e-wayland-case.sh kwin|gnome|sway [--libreoffice] [--panel-first]
# weston-terminal, or a LibreOffice Impress slide show on GTK's Wayland backend; the panel, started after it or
# before it, runs through XWayland, where X11 tools reach it. compositor.py asks the compositor.
# shellcheck source=case-lib.sh
source "$(dirname "$0")/case-lib.sh"

ask() { /usr/bin/python3 "$e2e_dir/compositor.py" "$COMPOSITOR" "$@"; }
shoot() { ask shot "$1"; }
has_keyboard() { ask active "$1"; }
workspace() { ask workspace "$1"; }
settings_above() { ask above '^Presenter Countdown Settings$' "$2"; }
native() { env -u DISPLAY -u XAUTHORITY "$@"; } # a native Wayland program, which cannot use XWayland
# Native Wayland chosen by the user: one plain line on standard error says what is lost. That panel runs
# without a bus, or it would hand its command line to the one already running.
native_once() {
    local log=$E2E_OUT/native-panel.log notice='^presenter-countdown: on native Wayland the panel cannot stay above'
    native QT_QPA_PLATFORM=wayland XDG_SESSION_TYPE=wayland DBUS_SESSION_BUS_ADDRESS="unix:path=$E2E_OUT/no-bus" \
        "$PC_BINARY" >"$log" 2>&1 &
    wait_for 20 grep -q "$notice" "$log" && [ "$(grep -c "$notice" "$log")" = 1 ]
}
start_kwin() {
    # A copy without the file capabilities that a container may refuse to execute; no animations, so that a
    # screenshot shows the workspace switched to, not a slide between two.
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
    # Now and then the shell hangs at start and its Xwayland gives up; a second start has always come up.
    for attempt in 1 2; do
        GSETTINGS_BACKEND=memory gnome-shell --wayland --headless --virtual-monitor 1280x720 --unsafe-mode \
            --wayland-display pc-wayland >"$E2E_OUT/gnome-shell-$attempt.log" 2>&1 &
        wait_for 40 ask windows >/dev/null && break
        kill $! && wait $!
        [ $attempt = 2 ] && return 1
    done
    read -r DISPLAY XAUTHORITY < <(shell_eval \
        'let g = imports.gi.GLib; g.getenv("DISPLAY") + " " + g.getenv("XAUTHORITY")' | tr -d '"')
    # No animations (in the shell's own memory); the overview, open at start, ignores a hide while opening.
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
    local key="wayland ${*//--/}" session=wayland
    case $1 in sway) key+=' drag' ;; *) key+=' ewmh' ;; esac
    [[ $key == *libreoffice* ]] || key+=' terminal'
    [[ $key == *panel-first* ]] || key+=' panel-after'
    start_bus DBUS_SESSION_BUS_ADDRESS
    scenario "$key"
}

e2e_main "$@"
