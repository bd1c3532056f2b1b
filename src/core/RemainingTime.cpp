#include "RemainingTime.h"

#include <QCoreApplication>
#include <QtNumeric>

#include <limits>

namespace RemainingTime {

Parts parts(const QDateTime& target, const QDateTime& now)
{
    if (!target.isValid() || !now.isValid() || !(now < target))
        return {};

    // Whole seconds in 64 bits: a 32-bit count would wrap for targets about 68 years ahead. Only dates
    // hundreds of millions of years apart overflow the milliseconds themselves; those saturate.
    qint64 msecs = 0;
    if (qSubOverflow(target.toMSecsSinceEpoch(), now.toMSecsSinceEpoch(), &msecs))
        msecs = std::numeric_limits<qint64>::max();
    const qint64 seconds = msecs / 1000;
    const qint64 minutes = seconds / 60;
    const qint64 hours = minutes / 60;
    return {hours / 24, static_cast<int>(hours % 24), static_cast<int>(minutes % 60), static_cast<int>(seconds % 60)};
}

QString text(const Parts& p)
{
    return QString::asprintf("%lld:%02d:%02d:%02d", static_cast<long long>(p.days), p.hours, p.minutes, p.seconds);
}

QString text(const QDateTime& target, const QDateTime& now)
{
    return text(parts(target, now));
}

QString spoken(const Parts& p)
{
    // Plural forms take an int; beyond that many days the number is read out as it is.
    const int days =
        p.days > std::numeric_limits<int>::max() ? std::numeric_limits<int>::max() : static_cast<int>(p.days);
    QString dayWords = QCoreApplication::translate("RemainingTime", "%n day(s)", nullptr, days);
    if (p.days != days)
        dayWords.replace(QString::number(days), QString::number(p.days));
    return QCoreApplication::translate("RemainingTime", "%1, %2, %3, %4 left", "days, hours, minutes, seconds")
        .arg(dayWords, QCoreApplication::translate("RemainingTime", "%n hour(s)", nullptr, p.hours),
             QCoreApplication::translate("RemainingTime", "%n minute(s)", nullptr, p.minutes),
             QCoreApplication::translate("RemainingTime", "%n second(s)", nullptr, p.seconds));
}

} // namespace RemainingTime
