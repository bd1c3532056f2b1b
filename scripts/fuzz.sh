#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer and UndefinedBehaviorSanitizer on) and runs
# each for FUZZ_SECONDS (default 600): fuzz_color feeds arbitrary bytes to the colour decoder,
# fuzz_settings writes them as the whole settings file and reads the four settings back.
# Corpora and any crashing inputs stay in fuzz-out/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh @build clang-14 libclang-rt-14-dev
CC=clang-14 CXX=clang++-14 cmake -S . -B build-fuzz -DPC_FUZZ=ON -DBUILD_TESTING=OFF -DPC_BUILD_BENCHMARKS=OFF \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz -j "$(nproc)" --target fuzz_color fuzz_settings

seconds=${FUZZ_SECONDS:-600}
status=0
for target in fuzz_color fuzz_settings; do
    corpus=fuzz-out/$target/corpus artifacts=fuzz-out/$target/crashes
    mkdir -p "$corpus" "$artifacts"
    echo "== $target for ${seconds}s"
    build-fuzz/$target -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 \
        -artifact_prefix="$artifacts/" "$corpus" 2>"fuzz-out/$target.log" || status=1
    grep -E 'stat::number_of_executed_units|stat::peak_rss_mb|^Done' "fuzz-out/$target.log" || true
    echo "findings: $(find "$artifacts" -type f | wc -l)"
done
exit $status
