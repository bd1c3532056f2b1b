#!/usr/bin/env bash
# Start-up time to the first painted panel and peak resident memory, under Xvfb, beside the same figures
# for a minimal Qt widget program (a frameless label) built in the same run. Medians of RUNS starts each.
# BASELINE=path/to/an/earlier/presenter-countdown adds that build to the same run, to compare versions.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh @xvfb >/dev/null
# shellcheck source=xvfb-lib.sh
source scripts/xvfb-lib.sh

runs=${RUNS:-15}
start_xvfb
trap stop_xvfb EXIT
XDG_CONFIG_HOME=$(mktemp -d)
XDG_RUNTIME_DIR=$(mktemp -d)
export XDG_CONFIG_HOME XDG_RUNTIME_DIR PC_STARTUP_PROBE=1

measure() { # measure BINARY: "milliseconds kilobytes" for one start
    local start line
    start=$(date +%s%N)
    line=$("$1")
    awk -v s="$start" '{ printf "%.2f %d\n", ($2 - s) / 1e6, $4 }' <<<"$line"
}
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

panel=() minimal=() baseline=()
for _ in $(seq "$runs"); do # alternate, so that all see the same machine
    panel+=("$(measure build/presenter-countdown)")
    minimal+=("$(measure build/bench/minimal_label)")
    [ -z "${BASELINE:-}" ] || baseline+=("$(measure "$BASELINE")")
done
p_ms=$(printf '%s\n' "${panel[@]}" | cut -d' ' -f1 | median)
p_kb=$(printf '%s\n' "${panel[@]}" | cut -d' ' -f2 | median)
m_ms=$(printf '%s\n' "${minimal[@]}" | cut -d' ' -f1 | median)
m_kb=$(printf '%s\n' "${minimal[@]}" | cut -d' ' -f2 | median)
printf '%-22s %14s %16s\n' "program" "first paint" "peak resident"
printf '%-22s %11s ms %13s kB\n' "presenter-countdown" "$p_ms" "$p_kb" "minimal Qt label" "$m_ms" "$m_kb"
awk -v a="$p_ms" -v b="$m_ms" -v c="$p_kb" -v d="$m_kb" \
    'BEGIN { printf "ratio                  %11.2fx %15.2fx\n", a / b, c / d }'
if [ -n "${BASELINE:-}" ]; then
    b_ms=$(printf '%s\n' "${baseline[@]}" | cut -d' ' -f1 | median)
    b_kb=$(printf '%s\n' "${baseline[@]}" | cut -d' ' -f2 | median)
    printf '%-22s %11s ms %13s kB\n' "baseline build" "$b_ms" "$b_kb"
    awk -v a="$p_ms" -v b="$b_ms" -v c="$p_kb" -v d="$b_kb" \
        'BEGIN { printf "ratio to the baseline  %11.2fx %15.2fx\n", a / b, c / d }'
fi
