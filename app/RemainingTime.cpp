#include "app/RemainingTime.h"

#include <QtNumeric>

#include <limits>

namespace RemainingTime {

QString text(const QDateTime& target, const QDateTime& now)
{
    if (!target.isValid() || !now.isValid() || !(now < target))
        return FinishedText;

    // Whole seconds in 64 bits: a 32-bit count would wrap for targets about 68 years ahead. Only dates
    // hundreds of millions of years apart overflow the milliseconds themselves; those saturate.
    qint64 msecs = 0;
    if (qSubOverflow(target.toMSecsSinceEpoch(), now.toMSecsSinceEpoch(), &msecs))
        msecs = std::numeric_limits<qint64>::max();
    const qint64 seconds = msecs / 1000;
    const qint64 minutes = seconds / 60;
    const qint64 hours = minutes / 60;
    const qint64 days = hours / 24;
    return QString::asprintf("%lld:%02d:%02d:%02d", static_cast<long long>(days), static_cast<int>(hours % 24),
                             static_cast<int>(minutes % 60), static_cast<int>(seconds % 60));
}

} // namespace RemainingTime
