#!/usr/bin/env bash
# Checks that the unit tests are sharp: applies one small mutation at a time to the core (a flipped
# comparison, an off-by-one constant, && for ||, a dropped statement), rebuilds the core's tests in
# build-mutants/ and runs them. A mutation the tests do not notice "survives". Prints one line per
# mutation and the number caught; the sources are restored after each one, also on interruption.
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1
bash scripts/build.sh >/dev/null || exit 1
cmake -S . -B build-mutants -DCMAKE_BUILD_TYPE=Release -DPC_BUILD_BENCHMARKS=OFF >/dev/null || exit 1

# FILE @ TEXT AS IT IS @ TEXT MUTATED (each text occurs exactly once in its file)
mutations=$(cat <<'LIST'
src/core/RemainingTime.cpp@if (!target.isValid() || !now.isValid() || !(now < target))@if (!target.isValid() || !(now < target))
src/core/RemainingTime.cpp@msecs / 1000@msecs / 999
src/core/RemainingTime.cpp@hours / 24, static_cast<int>(hours % 24)@hours / 24, static_cast<int>(hours % 23)
src/core/RemainingTime.cpp@static_cast<int>(minutes % 60)@static_cast<int>(minutes % 59)
src/core/RemainingTime.cpp@msecs = std::numeric_limits<qint64>::max();@msecs = 0;
src/core/Countdown.cpp@if (m_overtime && m_remaining.isZero())@if (m_overtime && !m_remaining.isZero())
src/core/Countdown.cpp@if (wasCounting && !m_held@if (wasCounting || !m_held
src/core/Countdown.cpp@kTickIntervalMs = 1000@kTickIntervalMs = 1001
src/core/Countdown.cpp@connect(m_wallClock, &WallClockWatcher::clockChanged, this, &Countdown::clockChanged);@
src/core/DisplayFitting.cpp@m_widthLimit(static_cast<float>(panel.width() - FitMargin))@m_widthLimit(static_cast<float>(panel.width() - FitMargin + 1))
src/core/DisplayFitting.cpp@return measured.width() > m_widthLimit || measured.height() > m_heightLimit;@return measured.width() > m_widthLimit && measured.height() > m_heightLimit;
src/core/DisplayFitting.cpp@for (int step = 1; overflows - fits > 1; step *= 2)@for (int step = 1; overflows - fits > 2; step *= 2)
src/core/DisplayFitting.cpp@        fits = EstimateSize;@        fits = EstimateSize + 1;
src/core/DisplayFitting.cpp@return digitSize / 4;@return digitSize / 3;
src/core/DisplayFitting.cpp@const int offset = unit / 3;@const int offset = unit / 2;
src/core/DisplayFitting.cpp@static_cast<int>(firstCaptionHeight * 0.5)@(firstCaptionHeight * 0.5)
src/core/PanelGeometry.cpp@if (pos.x() < content.left() + border)@if (pos.x() <= content.left() + border)
src/core/PanelGeometry.cpp@right = std::max(right + delta.x(), left + minimum.width());@right = std::min(right + delta.x(), left + minimum.width());
src/core/PanelGeometry.cpp@window.width() * 0.5, window.height() * 0.5@window.width() * 0.5, window.height() * 0.4
src/core/ColorArchive.cpp@return (w[1] <= kMaxHue || w[1] == kAchromaticHue) && w[4] == 0;@return (w[1] <= kMaxHue || w[1] == kAchromaticHue);
src/core/ColorArchive.cpp@return halfWithin(w[0], 0.0f, 1.0f) &&@return halfWithin(w[0], 0.0f, 2.0f) &&
src/core/Settings.cpp@S_ISREG(info.st_mode))@S_ISDIR(info.st_mode))
src/core/Settings.cpp@const QDateTime later = now.toLocalTime().addDays(60);@const QDateTime later = now.addDays(60);
src/core/Settings.cpp@if (!(now > fixedTarget))@if (now < fixedTarget)
src/core/TimeInput.cpp@asIfUtc - oneDay@asIfUtc + oneDay
src/core/Settings.cpp@if (text == QLatin1String("false") || text == QLatin1String("no")@if (text == QLatin1String("true") || text == QLatin1String("no")
src/core/Settings.cpp@            m_unsaved.clear();@            ;
src/core/Settings.cpp@    if (m_unsaved.contains(name))@    if (false)
src/core/Settings.cpp@store(Key::TargetDateTime, moment.isValid() ? moment : target);@store(Key::TargetDateTime, target);
LIST
)

restore() { [ -n "${current:-}" ] && git checkout -- "$current"; }
trap restore EXIT INT TERM
caught=0 total=0
while IFS='@' read -r current from to; do
    [ -n "$current" ] || continue
    total=$((total + 1))
    if ! FROM=$from TO=$to python3 - "$current" <<'PY'; then
import os, sys
path = sys.argv[1]
text = open(path).read()
if text.count(os.environ["FROM"]) != 1:
    sys.exit(f"{path}: the text to mutate is not there exactly once: {os.environ['FROM']}")
open(path, "w").write(text.replace(os.environ["FROM"], os.environ["TO"]))
PY
        echo "SKIPPED  $current: $from"
        continue
    fi
    if ! cmake --build build-mutants -j "$(nproc)" >/dev/null 2>&1; then
        verdict="caught (no longer builds)"
    elif ctest --test-dir build-mutants -L unit -j "$(nproc)" --timeout 300 >/dev/null 2>&1; then
        verdict=SURVIVED
    else
        verdict=caught
    fi
    [ "$verdict" = SURVIVED ] || caught=$((caught + 1))
    printf '%-9s %s: %s\n' "$verdict" "$current" "$from"
    git checkout -- "$current"
    current=
done <<<"$mutations"
echo "mutations caught by the unit tests: $caught of $total"
