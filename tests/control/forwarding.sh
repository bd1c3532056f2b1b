#!/usr/bin/env bash
# Two copies of the program on this private session bus: the first shows the panel, each later one hands
# its command line over and ends. Run by dbus-run-session with the program's path.
set -uo pipefail
binary=$1
name=com.example.PresenterCountdown
path=/com/example/PresenterCountdown
dir=$XDG_CONFIG_HOME
failures=0

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# A method of the panel's, called as any other program on the bus calls it.
call() { gdbus call --session --dest "$name" --object-path "$path" --method "$@"; }
about_an_hour_left() { call org.freedesktop.DBus.Properties.Get "$name" SecondsLeft | grep -Eq '<int64 (3600|35..)>'; }

# expect STATUS ARGS...: a later launch ends with STATUS at once.
expect() {
    local status=$1 got
    shift
    timeout 20 "$binary" "$@" 2>>"$dir/later.log"
    got=$?
    [ "$got" -eq "$status" ] || fail "$* ended with $got, expected $status"
}

rm -rf "$dir"
mkdir -p "$dir"
expect 1 --pause
grep -q 'no panel is running' "$dir/later.log" || fail "no message without a running copy"

"$binary" --duration 10m 2>"$dir/first.log" &
first=$!
timeout 20 gdbus wait --session "$name" || fail "the first copy never took the name"
until gdbus introspect --session --dest "$name" --object-path "$path" 2>/dev/null | grep -q SecondsLeft; do
    kill -0 "$first" 2>/dev/null || { fail "the first copy ended"; break; }
done
# A watcher hears Running change without asking; once it has found the name's owner, it is listening.
gdbus monitor --session --dest "$name" --object-path "$path" >"$dir/signals.log" &
monitor=$!
until grep -q 'is owned by' "$dir/signals.log"; do
    kill -0 "$monitor" 2>/dev/null || { fail "the monitor ended"; break; }
done

expect 0 --duration 1h
about_an_hour_left || fail "--duration 1h was not taken"
# Values no command line could give are refused on the bus too, and change nothing.
call "$name.StartDuration" 0 2>/dev/null && fail "a duration of 0 s was taken"
call "$name.SetTarget" soon 2>/dev/null && fail "a target of \"soon\" was taken"
about_an_hour_left || fail "a refused call changed the time left"
expect 0 --pause
expect 0 --resume
expect 0 --pause-or-resume
expect 0 --pause-or-resume
# Steering needs no display: a platform that cannot open one is never asked.
QT_QPA_PLATFORM=no-such-platform expect 0 -platform offscreen --pause
expect 0 --resume
expect 0 --until 2099-01-01T00:00 --compact --overtime --warn-at 5m
expect 0 --restart
expect 0
expect 2 --duration nonsense
kill -0 "$first" 2>/dev/null || fail "the first copy ended before --quit"
expect 0 --quit
timeout 20 tail --pid="$first" -f /dev/null || fail "the first copy did not end after --quit"
wait "$first" || fail "the first copy ended with $?"

# The owner's leaving reaches the monitor after every signal the owner sent.
until grep -q 'does not have an owner' "$dir/signals.log"; do
    kill -0 "$monitor" 2>/dev/null || break
done
kill "$monitor"
running=$(sed -n "s/.*'Running': <\([a-z]*\)>.*/\1/p" "$dir/signals.log" | tr '\n' ' ')
[ "$running" = "false true false true false true " ] || fail "Running was announced as: $running"
for line in Compact=true Overtime=true WarningAt=300 WarningOn=true EndMode=date; do
    grep -qx "$line" "$dir/$name/presenter-countdown.conf" || fail "forwarded options did not store $line"
done
[ "$failures" -eq 0 ] && echo "all forwarded"
exit "$failures"
