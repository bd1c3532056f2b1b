#!/usr/bin/env bash
# What the panel costs while it counts, beside `xclock -digital -update 1` (the simplest X11 clock) on the
# same Xvfb display at the same time: CPU (schedstat of all threads) and wake-ups (voluntary context
# switches of all threads) per second, and the panel's ratios to xclock's. Then the system calls the
# panel makes in the 10 s after its countdown reached zero (none means nothing wakes it up). Last, with
# the panel asleep, two Qt floors beside a fresh xclock (bench/qt_floor: a one-second timer alone, and
# the same timer repainting one digit's area): what any Qt widget program spends on such a display.
#
#   COUNT_SECONDS=60   length of one measurement
#   RUNS=1             panel measurements in a row, each reported on its own
#   WM=openbox         run a window manager on the display first, as a real desktop has one
#   PANEL_SIZE=WxH     resize the panel before measuring (the display is 1280x720)
#   QT_FLOOR=0         leave the Qt floors out
#
# Target: at most 1.2 wake-ups a second and at most 1.5 times xclock's CPU, in the same run.
set -euo pipefail
cd "$(dirname "$0")/.."
packages=(xvfb strace x11-apps)
[ -n "${WM:-}" ] && packages+=("$WM")
[ -n "${PANEL_SIZE:-}" ] && packages+=(xdotool)
bash scripts/install-deps.sh "${packages[@]}" >/dev/null
bash scripts/build.sh >/dev/null
# shellcheck source=scripts/xvfb-lib.sh
source scripts/xvfb-lib.sh

count_for=${COUNT_SECONDS:-60}
runs=${RUNS:-1}
warm_up=3

start_xvfb
pids=()
cleanup() {
    [ ${#pids[@]} -gt 0 ] && kill "${pids[@]}" 2>/dev/null
    stop_xvfb
}
trap cleanup EXIT
if [ -n "${WM:-}" ]; then
    "$WM" >/dev/null 2>&1 &
    pids+=($!)
    sleep 1
fi

XDG_CONFIG_HOME=$(mktemp -d)
export XDG_CONFIG_HOME
settings=$(settings_file build)
mkdir -p "$(dirname "$settings")"
# Zero comes a few seconds after the last measurement of the panel, for the check after it.
target=$(($(date +%s) + warm_up + 2 + runs * count_for + 4))
{
    echo '[General]'
    settings_target "$target"
} >"$settings"

start() { # start COMMAND...: runs it in the background; its process id is in $started
    "$@" >/dev/null 2>&1 &
    started=$!
    pids+=("$started")
}

# Nanoseconds on the CPU and voluntary context switches, each summed over all threads of a process.
cpu_ns() { awk '{ s += $1 } END { print s }' /proc/"$1"/task/*/schedstat; }
wakeups() { awk '/^voluntary_ctxt_switches/ { s += $2 } END { print s }' /proc/"$1"/task/*/status; }
threads() { # one line per thread of PID: "id name switches"
    local task
    for task in /proc/"$1"/task/*; do
        echo "${task##*/} $(tr ' ' _ <"$task/comm") $(awk '/^voluntary_ctxt_switches/ { print $2 }' "$task/status")"
    done | sort
}

# side_by_side XCLOCK_PID NAME PID [NAME PID...]: measures them all over the same $count_for seconds and
# prints a table with each one's ratios to xclock; the verdict on the target is for the first one.
side_by_side() {
    local xclock=$1 start_ns wall_ns pid i
    shift
    local -a names=() ids=() before=() rows=()
    while [ $# -gt 0 ]; do
        names+=("$1") ids+=("$2")
        shift 2
    done
    names+=(xclock) ids+=("$xclock")
    for pid in "${ids[@]}"; do before+=("$(cpu_ns "$pid") $(wakeups "$pid")"); done
    start_ns=$(date +%s%N)
    sleep "$count_for"
    wall_ns=$(($(date +%s%N) - start_ns))
    for i in "${!ids[@]}"; do
        rows+=("${names[$i]}|${before[$i]}|$(cpu_ns "${ids[$i]}") $(wakeups "${ids[$i]}")")
    done
    printf '%s\n' "${rows[@]}" | awk -F'|' -v wall="$wall_ns" '
        {
            split($2, a, " "); split($3, b, " ")
            name[NR] = $1; cpu[NR] = b[1] - a[1]; wake[NR] = (b[2] - a[2]) * 1e9 / wall
        }
        END {
            printf "  %-18s %8s %11s %13s %14s\n", "", "CPU %", "wake-ups/s", "CPU / xclock", "wake / xclock"
            for (i = 1; i <= NR; i++)
                printf "  %-18s %8.4f %11.2f %12.2fx %13.2fx\n", name[i], 100 * cpu[i] / wall, wake[i],
                    cpu[i] / cpu[NR], wake[i] / wake[NR]
            met = wake[1] <= 1.2 && cpu[1] <= 1.5 * cpu[NR]
            printf "  target for %s (<= 1.2 wake-ups/s, <= 1.5x xclock CPU): %s\n", name[1], met ? "met" : "not met"
        }'
}

start build/presenter-countdown
panel=$started
start xclock -digital -update 1 -geometry +700+300
xclock=$started
sleep "$warm_up"
if [ -n "${PANEL_SIZE:-}" ]; then
    xdotool search --pid "$panel" | tail -n 1 | xargs -I{} xdotool windowsize {} "${PANEL_SIZE%x*}" "${PANEL_SIZE#*x}"
    sleep 2
fi

echo "The panel and xclock side by side on one Xvfb display${WM:+ under $WM}${PANEL_SIZE:+, panel resized to $PANEL_SIZE}"
for run in $(seq "$runs"); do
    echo
    echo "run $run of $runs, $count_for s:"
    threads_before=$(threads "$panel")
    side_by_side "$xclock" panel "$panel"
    # Threads that came or went during the run are left out.
    join <(echo "$threads_before") <(threads "$panel") |
        awk '{ printf "%s%s %d", sep, $2, $5 - $3; sep = ", " } END { print "" }' |
        sed "s/^/  panel wake-ups by thread over $count_for s: /"
done
kill "$xclock"

until_zero=$((target - $(date +%s) + 3)) # past zero, and past the tick that stops the timer
[ "$until_zero" -gt 0 ] && sleep "$until_zero"
trace=$XDG_CONFIG_HOME/strace.log
strace -f -qq -p "$panel" -o "$trace" &
tracer=$!
sleep 10
kill -INT $tracer 2>/dev/null
wait $tracer 2>/dev/null || true
# Attaching shows each thread's interrupted wait once, and detaching each thread's wait since;
# anything else is the program waking up.
calls=$(grep -c -v -E 'restart_syscall|resumed>|<detached \.\.\.>|^[0-9]+ +\+\+\+|--- SIG' "$trace" || true)
echo
echo "after zero: $calls system calls in 10 s"
grep -v -E 'restart_syscall|resumed>|<detached \.\.\.>' "$trace" | head -n 5 || true

if [ "${QT_FLOOR:-1}" != 0 ]; then
    # Sent over the X connection rather than through shared memory, as the panel's are (app/main.cpp).
    start env QT_XCB_NO_MITSHM=1 build/bench/qt_floor repaint
    repaint=$started
    start env QT_XCB_NO_MITSHM=1 build/bench/qt_floor timer
    timer=$started
    start xclock -digital -update 1 -geometry +700+300
    xclock=$started
    sleep "$warm_up"
    echo
    echo "Qt floors beside xclock, $count_for s, the finished panel asleep:"
    side_by_side "$xclock" "Qt floor, repaint" "$repaint" "Qt floor, timer" "$timer"
fi
