#pragma once

#include <QDateTime>
#include <QTime>

class Settings;

// The ways to say when the countdown ends, and what the panel's menu does with a running duration, as
// changes of the settings; the settings window, the menu and the command line all go through here, so
// that each changes the settings in the same way.
namespace TimerControl {

// Every end is stored as the target; the mode says how it was given, and each of these ends a pause.
void countFor(Settings& settings, qint64 seconds, const QDateTime& now);
void countUntil(Settings& settings, const QDateTime& target);
void countToTimeOfDay(Settings& settings, QTime time, const QDateTime& now);

// The stored duration again from now; only while counting a duration.
bool startAgain(Settings& settings, const QDateTime& now);
// Keeps the time left (in milliseconds) until resume(), across restarts of the program; only while a
// duration has time left.
bool pause(Settings& settings, const QDateTime& now);
bool resume(Settings& settings, const QDateTime& now);

} // namespace TimerControl
