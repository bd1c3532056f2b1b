#!/usr/bin/env bash
# Two copies of the program on this private session bus: the first shows the panel, each later one hands
# its command line over and ends. Run by dbus-run-session with the program's path.
set -uo pipefail
binary=$1
name=com.example.PresenterCountdown
path=/com/example/PresenterCountdown
failures=0

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

property() {
    gdbus call --session --dest "$name" --object-path "$path" \
        --method org.freedesktop.DBus.Properties.Get "$name" "$1"
}

# expect STATUS ARGS...: a later launch ends with STATUS at once.
expect() {
    local status=$1 got
    shift
    timeout 20 "$binary" "$@" 2>>"$XDG_CONFIG_HOME/later.log"
    got=$?
    [ "$got" -eq "$status" ] || fail "$* ended with $got, expected $status"
}

rm -rf "$XDG_CONFIG_HOME"
mkdir -p "$XDG_CONFIG_HOME"

expect 1 --pause
expect 1 --quit

"$binary" --duration 10m 2>"$XDG_CONFIG_HOME/first.log" &
first=$!
timeout 20 gdbus wait --session "$name" || fail "the first copy never took the name"
until gdbus introspect --session --dest "$name" --object-path "$path" 2>/dev/null | grep -q SecondsLeft; do
    kill -0 "$first" 2>/dev/null || { fail "the first copy ended"; break; }
done

expect 0 --duration 1h
property SecondsLeft | grep -Eq '^\(<int64 3(600|599)>,\)$' || fail "--duration 1h: $(property SecondsLeft)"
expect 0 --pause
property Running | grep -q false || fail "--pause: still running"
expect 0 --resume
property Running | grep -q true || fail "--resume: not running"
expect 0 --pause-or-resume
property Running | grep -q false || fail "--pause-or-resume: still running"
expect 0 --pause-or-resume
property Running | grep -q true || fail "--pause-or-resume: not running again"
# Steering needs no display: a platform that cannot open one is never asked.
QT_QPA_PLATFORM=no-such-platform expect 0 -platform offscreen --pause
property Running | grep -q false || fail "--pause without a display: still running"
expect 0 --resume
expect 0 --until 2099-01-01T00:00 --compact --overtime --warn-at 5m
expect 0 --restart
expect 0
expect 2 --duration nonsense
kill -0 "$first" 2>/dev/null || fail "the first copy ended before --quit"
expect 0 --quit
timeout 20 tail --pid="$first" -f /dev/null || fail "the first copy did not end after --quit"
wait "$first" || fail "the first copy ended with $?"
expect 1 --resume

grep -q 'no panel is running' "$XDG_CONFIG_HOME/later.log" || fail "no message without a running copy"
settings=$XDG_CONFIG_HOME/$name/presenter-countdown.conf
for line in Compact=true Overtime=true WarningAt=300 WarningOn=true EndMode=date; do
    grep -qx "$line" "$settings" || fail "forwarded options did not store $line"
done
[ "$failures" -eq 0 ] && echo "all forwarded"
exit "$failures"
