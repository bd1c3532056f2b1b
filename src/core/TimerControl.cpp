#include "TimerControl.h"

#include "Settings.h"
#include "TimeInput.h"

namespace TimerControl {

namespace {

using Mode = Settings::EndMode;

// The target first, so that the countdown never runs, however briefly, to the end it had before.
void countTo(Settings& settings, Mode mode, const QDateTime& target)
{
    settings.setTargetDateTime(target);
    if (settings.pausedRemaining())
        settings.setPausedRemaining(std::nullopt);
    if (settings.endMode() != mode)
        settings.setEndMode(mode);
}

} // namespace

void countFor(Settings& settings, qint64 seconds, const QDateTime& now)
{
    settings.setSeconds(Settings::Key::Duration, seconds);
    countTo(settings, Mode::Duration, now.addSecs(seconds));
}

void countUntil(Settings& settings, const QDateTime& target)
{
    countTo(settings, Mode::DateTime, target);
}

void countToTimeOfDay(Settings& settings, QTime time, const QDateTime& now)
{
    countTo(settings, Mode::TimeOfDay, TimeInput::nextOccurrence(time, now));
}

bool startAgain(Settings& settings, const QDateTime& now)
{
    if (settings.endMode() != Mode::Duration)
        return false;
    countFor(settings, settings.seconds(Settings::Key::Duration), now);
    return true;
}

bool pause(Settings& settings, const QDateTime& now)
{
    const QDateTime target = settings.targetDateTime().value_or(QDateTime());
    if (settings.endMode() != Mode::Duration || settings.pausedRemaining() || !(now < target))
        return false;
    settings.setPausedRemaining(now.msecsTo(target));
    return true;
}

bool resume(Settings& settings, const QDateTime& now)
{
    const auto left = settings.pausedRemaining();
    if (!left)
        return false;
    settings.setTargetDateTime(now.addMSecs(*left));
    settings.setPausedRemaining(std::nullopt);
    return true;
}

} // namespace TimerControl
