#pragma once

#include <QDateTime>
#include <QString>

namespace RemainingTime {

// The whole seconds from now until the target, split up; all zero once the target is reached. In overtime
// the same split counts the time since the target instead.
struct Parts {
    qint64 days = 0;
    int hours = 0;
    int minutes = 0;
    int seconds = 0;
    bool overtime = false;

    bool isZero() const { return days == 0 && hours == 0 && minutes == 0 && seconds == 0; }
    qint64 totalSeconds() const { return ((days * 24 + hours) * 60 + minutes) * 60 + seconds; }
    bool operator==(const Parts&) const = default;
};

// A target at or before now, or a moment that is not a valid date, gives all zeros.
Parts parts(const QDateTime& target, const QDateTime& now);

// The time past the target, in whole seconds rounded up, so that the second after 0:00:00:00 already
// reads one second over and every value is shown for one whole second; all zeros until then.
Parts overtime(const QDateTime& target, const QDateTime& now);

// days:hh:mm:ss, days unpadded and unbounded, the same in every language, with a leading minus in
// overtime. Compact leaves out leading groups that are zero, down to minutes and seconds.
QString text(const Parts& parts, bool compact = false);
QString text(const QDateTime& target, const QDateTime& now);

// The same as words in the user's language, for screen readers: "3 days, 4 hours, 5 minutes, 6 seconds left".
QString spoken(const Parts& parts);

} // namespace RemainingTime
