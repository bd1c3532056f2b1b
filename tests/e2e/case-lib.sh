#!/usr/bin/env bash
# What the X11 and the Wayland end-to-end cases share: running the case's steps in a process group of
# their own, and reporting their checks.

# run_in_own_group LOG COMMAND... : runs the command in a new session, so that everything it starts
# (window managers, compositors, buses, the daemons they leave behind) ends with it; gives up after
# $E2E_TIMEOUT seconds (240).
run_in_own_group() {
    local log=$1 session timeout_at
    shift
    setsid "$@" >"$log" 2>&1 </dev/null &
    session=$!
    timeout_at=$((SECONDS + ${E2E_TIMEOUT:-240}))
    while kill -0 $session 2>/dev/null && [ $SECONDS -lt $timeout_at ]; do sleep 0.5; done
    if kill -0 $session 2>/dev/null; then
        echo "FAIL timeout: the case did not finish" >>"$log"
    fi
    kill -TERM -- -$session 2>/dev/null
    for _ in $(seq 50); do # a moment to quit cleanly
        pgrep -g $session >/dev/null || break
        sleep 0.1
    done
    kill -KILL -- -$session 2>/dev/null
}

# report LABEL OUT : the checks of the case whose log and screenshots are in OUT; fails on any failure.
report() {
    grep -E '^(PASS|FAIL) ' "$2/case.log" | sed "s/^/[$1] /"
    echo "[$1] screenshots and logs: $2"
    ! grep -q '^FAIL ' "$2/case.log" && grep -q '^PASS ' "$2/case.log"
}
