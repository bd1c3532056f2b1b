#pragma once

#include <QDateTime>
#include <QString>
#include <QTime>

#include <optional>

// What people type for the length of a talk or the time it ends, read the same way on the command line
// and in the settings window.
namespace TimeInput {

// 99:59:59: longer spans are counted to a date, and a typo such as 99999h is refused instead of obeyed.
inline constexpr qint64 LongestDuration = 100 * 3600 - 1;

// Minutes and seconds ("20:00"), hours, minutes and seconds ("1:30:00"), or units in the order h, m, s
// ("20m", "1h30m", "90s"). Nothing for anything else, for zero and for more than LongestDuration.
std::optional<qint64> duration(const QString& text);

// "14:30", "9:05" or "14:30:15" on a 24-hour clock.
std::optional<QTime> timeOfDay(const QString& text);

// The first moment after now at which the local clock shows the time: today or tomorrow.
QDateTime nextOccurrence(QTime time, const QDateTime& now);

// The moment a local date and time names. A time the zone skips (Qt calls it invalid) is read with the
// offset from before the jump, so that 02:00:30 in a gap from 02:00 to 03:00 is when the clock shows 03:00:30.
QDateTime localMoment(QDate date, QTime time);

// "20:00" or "1:30:00": what duration() reads back as the same length.
QString durationText(qint64 seconds);

} // namespace TimeInput
