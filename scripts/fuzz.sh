#!/usr/bin/env bash
# Builds the libFuzzer target with clang (AddressSanitizer and UndefinedBehaviorSanitizer on) and runs it
# for FUZZ_SECONDS (default 600): fuzz_settings feeds arbitrary bytes to the colour decoder, then writes them
# as the whole settings file and reads every setting back. Corpora and any crashing inputs stay in fuzz-out/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh @build clang-14 libclang-rt-14-dev
CC=clang-14 CXX=clang++-14 cmake -S . -B build-fuzz -DPC_FUZZ=ON -DBUILD_TESTING=OFF -DPC_BUILD_BENCHMARKS=OFF \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz -j "$(nproc)" --target fuzz_settings

seconds=${FUZZ_SECONDS:-600} corpus=fuzz-out/fuzz_settings/corpus artifacts=fuzz-out/fuzz_settings/crashes
mkdir -p "$corpus" "$artifacts"
echo "== fuzz_settings for ${seconds}s"
status=0
build-fuzz/fuzz_settings -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 \
    -artifact_prefix="$artifacts/" "$corpus" 2>fuzz-out/fuzz_settings.log || status=1
grep -E 'stat::number_of_executed_units|stat::peak_rss_mb|^Done' fuzz-out/fuzz_settings.log || true
echo "findings: $(find "$artifacts" -type f | wc -l)"
exit $status
