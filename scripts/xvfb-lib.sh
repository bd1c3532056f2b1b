#!/usr/bin/env bash
# Helpers for scripts that run the program on a private Xvfb display.

# start_xvfb: starts Xvfb on a free display, exports DISPLAY, sets XVFB_PID; returns once the server
# answers. The server picks its own number (-displayfd), since a number found free here could be taken
# by another test before the server claims it; -noreset keeps it from resetting whenever its last
# client leaves, between one step and the next.
start_xvfb() {
    local ready n until=$((SECONDS + 20))
    ready=$(mktemp)
    Xvfb -displayfd 3 -noreset -screen 0 1280x720x24 -nolisten tcp 3>"$ready" >/dev/null 2>&1 &
    XVFB_PID=$!
    # The number comes with a newline once the server listens; read fails on a partial line.
    until read -r n <"$ready"; do
        if ! kill -0 "$XVFB_PID" 2>/dev/null || [ $SECONDS -ge $until ]; then
            rm -f "$ready"
            stop_xvfb
            return 1
        fi
        sleep 0.1
    done
    rm -f "$ready"
    export DISPLAY=:$n
    until xdpyinfo >/dev/null 2>&1; do
        [ $SECONDS -ge $until ] && { stop_xvfb; return 1; }
        sleep 0.1
    done
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
