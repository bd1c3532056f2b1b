#!/usr/bin/env bash
# Runs the logic tests under valgrind's memcheck; a definite leak or a memory error fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh valgrind >/dev/null
status=0
for test in tst_Countdown tst_PresentationFinder tst_CachedGlyphs; do
    log=$(mktemp)
    if QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME=$(mktemp -d) valgrind --leak-check=full --suppressions=tests/valgrind.supp \
        --errors-for-leak-kinds=definite --error-exitcode=1 "$(find build/tests -name "$test" -type f | head -n 1)" >"$log" 2>&1; then
        echo "$test: $(grep -E 'definitely lost|ERROR SUMMARY' "$log" | sed 's/==[0-9]*== //' | tr '\n' ' ')"
    else
        echo "$test: FAILED"; cat "$log"; status=1
    fi
done
exit $status
