#pragma once

#include <QDateTime>
#include <QLatin1String>
#include <QString>

namespace RemainingTime {

// The text the display shows once the target is reached; the countdown recognises the end by it.
inline constexpr QLatin1String FinishedText{"0:00:00:00"};

// days:hh:mm:ss of the whole seconds from now until target, days unpadded and unbounded. A target at or
// before now, or a moment that is not a valid date, gives FinishedText.
QString text(const QDateTime& target, const QDateTime& now);

} // namespace RemainingTime
