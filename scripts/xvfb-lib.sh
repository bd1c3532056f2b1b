#!/usr/bin/env bash
# Helpers for scripts that run the program on a private Xvfb display.

# start_xvfb: starts Xvfb on the first free display, exports DISPLAY, sets XVFB_PID.
start_xvfb() {
    local n
    for n in $(seq 90 190); do
        if [ ! -e /tmp/.X11-unix/X$n ] && [ ! -e /tmp/.X$n-lock ]; then
            Xvfb :$n -screen 0 1280x720x24 -nolisten tcp >/dev/null 2>&1 &
            XVFB_PID=$!
            export DISPLAY=:$n
            for _ in $(seq 50); do [ -e /tmp/.X11-unix/X$n ] && return 0; sleep 0.1; done
            return 1
        fi
    done
    return 1
}

stop_xvfb() { kill "$XVFB_PID" 2>/dev/null; wait "$XVFB_PID" 2>/dev/null; }

# settings_file BUILD_DIR: where the program built there keeps its settings under $XDG_CONFIG_HOME.
settings_file() {
    local id
    id=$(sed -n 's/^#define PC_APP_ID "\(.*\)"$/\1/p' "$1/generated/BuildInfo.h")
    echo "$XDG_CONFIG_HOME/$id/presenter-countdown.conf"
}

# settings_target EPOCH_SECONDS: the settings line for a target at that moment, in Qt's own encoding of
# a variant holding a UTC date and time (type 16, not null; Julian day, milliseconds since midnight,
# 1 for UTC), every byte escaped.
settings_target() {
    local seconds=$1 jd ms bytes='\x0\x0\x0\x10\x0' i
    jd=$((seconds / 86400 + 2440588))
    ms=$(((seconds % 86400) * 1000))
    for i in 56 48 40 32 24 16 8 0; do bytes+=$(printf '\\x%x' $(((jd >> i) & 255))); done
    for i in 24 16 8 0; do bytes+=$(printf '\\x%x' $(((ms >> i) & 255))); done
    bytes+='\x1'
    printf 'ZKVTargetDateTime=@DateTime(%s)\n' "$bytes"
}
