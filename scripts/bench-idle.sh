#!/usr/bin/env bash
# What the panel costs while it counts and after it has finished, under Xvfb: CPU time over a minute of
# counting, beside a bare Qt label that changes its text once a second (the least a counting Qt display
# costs), measured at the same time; then the system calls the panel makes in the 10 s after its
# countdown reached zero (none means nothing wakes it up).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh @xvfb strace >/dev/null
# shellcheck source=xvfb-lib.sh
source scripts/xvfb-lib.sh

count_for=${COUNT_SECONDS:-60}
start_xvfb
XDG_CONFIG_HOME=$(mktemp -d)
export XDG_CONFIG_HOME
settings=$(settings_file build)
mkdir -p "$(dirname "$settings")"
{ echo '[General]'; settings_target $(($(date +%s) + count_for + 8)); } >"$settings"

build/presenter-countdown >/dev/null 2>&1 &
panel=$!
build/bench/ticking_label >/dev/null 2>&1 &
label=$!
trap 'kill $panel $label 2>/dev/null; stop_xvfb' EXIT
sleep 3

# /proc/PID/stat counts in clock ticks (10 ms); schedstat in nanoseconds, over all threads.
stat_ms() { awk -v hz="$(getconf CLK_TCK)" '{ print ($14 + $15) * 1000 / hz }' "/proc/$1/stat"; }
sched_ns() { cat /proc/"$1"/task/*/schedstat | awk '{ s += $1 } END { print s }'; }
p_stat=$(stat_ms $panel) p_ns=$(sched_ns $panel) l_stat=$(stat_ms $label) l_ns=$(sched_ns $label)
start=$(date +%s%N)
sleep "$count_for"
wall_ms=$((($(date +%s%N) - start) / 1000000))
p_stat=$(($(stat_ms $panel) - p_stat)) p_ns=$(($(sched_ns $panel) - p_ns))
l_stat=$(($(stat_ms $label) - l_stat)) l_ns=$(($(sched_ns $label) - l_ns))
kill $label
report() {
    awk -v n="$1" -v s="$2" -v ns="$3" -v w="$wall_ms" \
        'BEGIN { printf "%-20s %6d ms CPU (stat), %8.1f ms (schedstat) in %d ms wall = %.3f %%\n", n, s, ns / 1e6, w, 100 * ns / 1e6 / w }'
}
report "panel counting" "$p_stat" "$p_ns"
report "ticking Qt label" "$l_stat" "$l_ns"
awk -v a="$p_ns" -v b="$l_ns" 'BEGIN { printf "ratio panel / label: %.2fx\n", a / b }'

sleep 8 # past zero, and past the tick that stops the timer
trace=$XDG_CONFIG_HOME/strace.log
strace -f -qq -p "$panel" -o "$trace" &
tracer=$!
sleep 10
kill -INT $tracer 2>/dev/null
wait $tracer 2>/dev/null || true
# Attaching shows each thread's interrupted wait once; anything else is the program waking up.
calls=$(grep -c -v -E 'restart_syscall|resumed>|^[0-9]+ +\+\+\+|--- SIG' "$trace" || true)
echo "after zero: $calls system calls in 10 s"
grep -v -E 'restart_syscall|resumed>' "$trace" | head -n 5 || true
