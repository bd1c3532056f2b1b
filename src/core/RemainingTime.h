#pragma once

#include <QDateTime>
#include <QString>

namespace RemainingTime {

// The whole seconds from now until the target, split up; all zero once the target is reached.
struct Parts {
    qint64 days = 0;
    int hours = 0;
    int minutes = 0;
    int seconds = 0;

    bool isZero() const { return days == 0 && hours == 0 && minutes == 0 && seconds == 0; }
    bool operator==(const Parts&) const = default;
};

// A target at or before now, or a moment that is not a valid date, gives all zeros.
Parts parts(const QDateTime& target, const QDateTime& now);

// days:hh:mm:ss, days unpadded and unbounded, the same in every language.
QString text(const Parts& parts);
QString text(const QDateTime& target, const QDateTime& now);

// The same as words in the user's language, for screen readers: "3 days, 4 hours, 5 minutes, 6 seconds left".
QString spoken(const Parts& parts);

} // namespace RemainingTime
